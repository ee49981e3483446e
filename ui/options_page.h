#pragma once
// One page of the options window: a child dialog built from a template of its
// own, laid over the tab control's display area, and a class that handles the
// messages of the page's controls itself. The window that holds the pages
// only switches between them.

#include <windows.h>

#include <span>
#include <string>

// A control whose focus the saved window placement keeps, by a name of
// cfg.ini's ("BitBtn1", "Edit4", ...): files written by earlier versions name
// their focused control so.
struct NamedControl {
  const wchar_t* name;
  int id;
};
// The name of `parent`'s control among `controls` that has the focus; empty
// when none has.
std::wstring FocusedControlName(HWND parent, std::span<const NamedControl> controls);
// `parent`'s control that `name` names among `controls`; null when none.
HWND NamedControlHandle(HWND parent, std::span<const NamedControl> controls,
                        const std::wstring& name);

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

  // The name of the page's control that has the focus; empty when none of
  // its named controls has.
  std::wstring FocusedControlName() const;
  // The page's control that `name` names; null when the page has none.
  HWND NamedControlHandle(const std::wstring& name) const;

  // Builds the page, hidden, as a child of `owner` over `area` (in the
  // owner's client coordinates).
  void Create(HINSTANCE instance, HWND owner, const RECT& area);

  // For the dialog thunk.
  void Attach(HWND handle) { handle_ = handle; }
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // `namedControls`: the page's controls whose focus the window placement
  // keeps.
  TOptionsPage(int templateId, const wchar_t* caption,
               std::span<const NamedControl> namedControls = {});

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
  std::span<const NamedControl> namedControls_;
  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
};
