#pragma once
// One page of the options window: a child dialog built from a template of its
// own, laid over the tab control's display area, and a class that handles the
// messages of the page's controls itself. The window that holds the pages
// only switches between them.

#include <windows.h>

class TOptionsPage {
 public:
  TOptionsPage(const TOptionsPage&) = delete;
  TOptionsPage& operator=(const TOptionsPage&) = delete;
  virtual ~TOptionsPage();

  HWND Handle() const { return handle_; }
  // The text of the page's tab.
  const wchar_t* Caption() const { return caption_; }

  // The window moved to a monitor of this DPI, and the page's controls have
  // been rescaled and given their font for it: the page rebuilds what it
  // sizes or draws itself.
  virtual void SetDpi(UINT) {}
  // The user has just turned to the page (a tab, or Ctrl+Tab).
  virtual void OnShown() {}

  // Builds the page, hidden, as a child of `owner` over `area` (in the
  // owner's client coordinates).
  void Create(HINSTANCE instance, HWND owner, const RECT& area);

  // For the dialog thunk.
  void Attach(HWND handle) { handle_ = handle; }
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  TOptionsPage(int templateId, const wchar_t* caption);

  // The page's controls exist: the page takes them over and gives them their
  // design state.
  virtual void OnInit() {}
  // A message of the page; answers whether the page handled it, with the
  // message's result in `result`. Unhandled messages go to the dialog manager.
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  HWND Control(int id) const { return GetDlgItem(handle_, id); }
  HINSTANCE Instance() const { return instance_; }

 private:
  int templateId_;
  const wchar_t* caption_;
  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
};
