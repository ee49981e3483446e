#pragma once
// A top-level window of the program built from a dialog template: created once,
// hidden, owned by the application window, and hidden again when closed. The
// dialog manager gives every one of them Tab, mnemonics, Enter and Esc.
//
// The frame owns the window's DPI: it notes the DPI of the monitor the window
// is made on, and when the window moves to a monitor of another DPI
// (WM_DPICHANGED) it rescales the template's controls and their font and
// takes the rectangle Windows suggests, so that the window does not flip back
// and forth between the two monitors. What a window sizes, places or draws
// itself it rebuilds in LayOutForDpi.

#include <windows.h>

#include <vector>

#include "base/gdi.h"
#include "ui/dialog_window.h"

// Places `window` over the middle of `other`, inside the work area of the
// monitor `other` is on; without `other` it stays where it is.
void CentreWindowOn(HWND window, HWND other);

class TForm : public TDialogWindow {
 public:
  bool Visible() const;
  // Shows the window and brings it to the front, also when it is already shown.
  void Show();
  // Shows the window and returns once it is hidden again. Meanwhile the
  // thread's other windows are disabled, except those this window owns (a
  // help window opened beside it stays usable), and the dialog keys work. A
  // quit request ends the wait and is handed on to the outer message loop.
  void ShowModal();
  void Hide();
  // Asks the window to close, as its close box does.
  void Close();

 protected:
  // The window is owned by `owner` (the application window), so it has no
  // taskbar button of its own and goes with the application when it minimises.
  TForm(HINSTANCE instance, HWND owner, int templateId);
  // Creates the window; derived classes call it at the end of their
  // constructor, so that their own message handling is in place.
  void Create();

  // What the close box and Esc do; the secondary windows only hide.
  virtual void OnCloseRequest() { Hide(); }
  // The window has moved to a monitor of another DPI, the frame has rescaled
  // the controls and their font, and the window has its new rectangle: the
  // window rebuilds for Dpi() what it sizes, places or draws itself.
  virtual void LayOutForDpi() {}

  // The DPI the window is laid out for, from WM_INITDIALOG on.
  UINT Dpi() const { return dpi_; }

 private:
  void Initialize() final;
  bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) final;
  void DpiChanged(UINT dpi, LPARAM suggestedRect);

  void DisableOtherWindows();
  void EnableOtherWindows();
  void RunModalLoop();

  HWND owner_;
  UINT dpi_ = 0;
  // The controls' font remade for the DPI, once the window has moved to a
  // monitor of another DPI than the template's.
  OwnedFont font_;
  // The windows that ShowModal disabled, until they are enabled again.
  std::vector<HWND> disabledForModal_;
};
