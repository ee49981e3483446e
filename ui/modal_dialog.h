#pragma once
// A modal dialog built from a template, one object per showing, with the data
// it edits passed in and handed back: an editor is a small class derived from
// this behind one function that shows it. It opens over the middle of its
// owner. The dialog manager gives it Tab, mnemonics, Enter and Esc; OK and
// Cancel, Enter and Esc end it.

#include <windows.h>

#include "base/gdi.h"
#include "ui/dialog_window.h"

class TModalDialog : public TDialogWindow {
 public:
  // Shows the dialog over `owner` until the user ends it; answers whether
  // the user ended it with OK. Throws when the dialog cannot be made.
  bool ShowModal(HINSTANCE instance, HWND owner);

 protected:
  explicit TModalDialog(int templateId) : TDialogWindow(templateId) {}

  // OK: the controls go into the data; answering false keeps the dialog open.
  // The window's HandleMessage sees OK and Cancel first.
  virtual bool OnOk() { return true; }

  // The icon resource of that id, small, in the caption.
  void ShowIcon(int iconId);

 private:
  void Initialize() final;
  bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) final;

  OwnedIcon icon_;
};
