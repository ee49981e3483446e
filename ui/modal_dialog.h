#pragma once
// A modal dialog built from a template, one object per showing, with the data
// it edits passed in and handed back: an editor is a small class derived from
// this behind one function that shows it. It opens over the middle of its
// owner. The dialog manager gives it Tab, mnemonics, Enter and Esc; OK and
// Cancel, Enter and Esc end it.

#include <windows.h>

#include "base/gdi.h"

class TModalDialog {
 public:
  TModalDialog(const TModalDialog&) = delete;
  TModalDialog& operator=(const TModalDialog&) = delete;

  // Shows the dialog over `owner` until the user ends it; answers whether
  // the user ended it with OK. Throws when the dialog cannot be made.
  bool ShowModal(HINSTANCE instance, HWND owner);

  // For the dialog thunk.
  void Attach(HWND handle) { handle_ = handle; }
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  explicit TModalDialog(int templateId) : templateId_(templateId) {}
  virtual ~TModalDialog() = default;

  // The controls exist: the data goes into them.
  virtual void OnInit() {}
  // OK: the controls go into the data; answering false keeps the dialog open.
  virtual bool OnOk() { return true; }
  // Any other message of the dialog; answers whether it was handled, with the
  // message's result in `result`. OK and Cancel come here first.
  virtual bool HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

  HWND Handle() const { return handle_; }
  // The icon resource of that id, small, in the caption.
  void ShowIcon(int iconId);

 private:
  int templateId_;
  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
  OwnedIcon icon_;
};
