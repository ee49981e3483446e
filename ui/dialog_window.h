#pragma once
// What every window built from a dialog template has in common, whichever
// kind it is (an options page, a modal editor, a top-level window): the
// object travels into the dialog procedure, OnInit finds the template's
// controls made, and a message the window handles is answered the way the
// dialog manager expects (AnswerDialogMessage) in this one place, so that no
// window sets DWLP_MSGRESULT or picks a return value itself.

#include <windows.h>

class TDialogWindow {
 public:
  TDialogWindow(const TDialogWindow&) = delete;
  TDialogWindow& operator=(const TDialogWindow&) = delete;

  HWND Handle() const { return handle_; }

  // For the dialog thunk.
  void Attach(HWND handle) { handle_ = handle; }
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  explicit TDialogWindow(int templateId, HINSTANCE instance = nullptr)
      : templateId_(templateId), instance_(instance) {}
  // A window that is still there goes without reaching the object, whose
  // derived parts are gone by then.
  virtual ~TDialogWindow();

  // Makes the window from the template, modeless, owned by `owner` (a child
  // of it for a child template). Throws when it cannot be made.
  void CreateFromTemplate(HINSTANCE instance, HWND owner);
  // Shows the window modally over `owner` until it calls EndDialog, and
  // answers what it passed. Throws when it cannot be made.
  INT_PTR ShowModalFromTemplate(HINSTANCE instance, HWND owner);

  // The template's controls exist: the window takes them over and gives them
  // their data.
  virtual void OnInit() {}
  // A message of the window; answers whether the window handled it, with the
  // message's result in `result`. What it leaves goes to its kind's defaults
  // (OK and Cancel, the close box), then to the dialog manager.
  virtual bool HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

  HWND Control(int id) const { return GetDlgItem(handle_, id); }
  HINSTANCE Instance() const { return instance_; }

 private:
  // What each kind of window adds around its window's own part: its set-up
  // around OnInit, and its handling around HandleMessage.
  virtual void Initialize() { OnInit(); }
  virtual bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return HandleMessage(message, wParam, lParam, result);
  }

  int templateId_;
  HINSTANCE instance_;
  HWND handle_ = nullptr;
};
