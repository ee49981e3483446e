#pragma once
// A top-level window of the program built from a dialog template: created once,
// hidden, owned by the application window, and hidden again when closed. The
// dialog manager gives every one of them Tab, mnemonics, Enter and Esc.

#include <windows.h>

#include <vector>

// Places `window` over the middle of `other`, inside the work area of the
// monitor `other` is on; without `other` it stays where it is.
void CentreWindowOn(HWND window, HWND other);

class TForm {
 public:
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;
  virtual ~TForm();

  HWND Handle() const { return handle_; }
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

  void Attach(HWND handle) { handle_ = handle; }
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // The window is owned by `owner` (the application window), so it has no
  // taskbar button of its own and goes with the application when it minimises.
  TForm(HINSTANCE instance, HWND owner, int templateId);
  // Creates the window; derived classes call it at the end of their
  // constructor, so that their own message handling is in place.
  void Create();

  // The window's own messages; answer false to leave one to the dialog manager.
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
  // What the close box does; the secondary windows only hide.
  virtual void OnCloseRequest() { Hide(); }

  HINSTANCE Instance() const { return instance_; }

 private:
  HINSTANCE instance_;
  HWND owner_;
  int templateId_;
  HWND handle_ = nullptr;
  // The windows that ShowModal disabled, until they are enabled again.
  std::vector<HWND> disabledForModal_;

  void DisableOtherWindows();
  void EnableOtherWindows();
  void RunModalLoop();
};
