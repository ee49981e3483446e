#pragma once
// A modal dialog built from a template, one object per showing, with the data
// it edits passed in and handed back: an editor is a small class derived from
// this behind one function that shows it. The dialog manager gives it Tab,
// mnemonics, Enter and Esc; OK and Cancel, Enter and Esc end it.

#include <windows.h>

class TModalDialog {
 public:
  TModalDialog(const TModalDialog&) = delete;
  TModalDialog& operator=(const TModalDialog&) = delete;

  // For the dialog thunk.
  void Attach(HWND handle) { handle_ = handle; }
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  explicit TModalDialog(int templateId) : templateId_(templateId) {}
  virtual ~TModalDialog() = default;

  // Shows the dialog over `owner` until the user ends it; answers whether he
  // ended it with OK. Throws when the dialog cannot be made.
  bool ShowModal(HINSTANCE instance, HWND owner);

  // The controls exist: the data goes into them.
  virtual void OnInit() {}
  // OK: the controls go into the data; answering false keeps the dialog open.
  virtual bool OnOk() { return true; }

  HWND Handle() const { return handle_; }

 private:
  int templateId_;
  HWND handle_ = nullptr;
};
