#include "ui/dialog_window.h"

#include "base/win32_error.h"
#include "base/window_thunk.h"

TDialogWindow::~TDialogWindow() {
  if (handle_ == nullptr || !IsWindow(handle_)) return;
  SetWindowLongPtrW(handle_, DWLP_USER, 0);
  DestroyWindow(handle_);
}

void TDialogWindow::CreateFromTemplate(HINSTANCE instance, HWND owner) {
  instance_ = instance;
  HWND window = CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId_), owner,
                                   DialogThunk<TDialogWindow>, reinterpret_cast<LPARAM>(this));
  if (window == nullptr) ThrowLastError("cannot create a window");
}

// The window is gone when the call returns: nothing is left to destroy.
INT_PTR TDialogWindow::ShowModalFromTemplate(HINSTANCE instance, HWND owner) {
  instance_ = instance;
  const INT_PTR result =
      DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId_), owner, DialogThunk<TDialogWindow>,
                      reinterpret_cast<LPARAM>(this));
  handle_ = nullptr;
  if (result == -1) ThrowLastError("cannot show a dialog");
  return result;
}

INT_PTR TDialogWindow::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    Initialize();
    return TRUE;
  }
  LRESULT result = 0;
  if (!Route(message, wParam, lParam, result)) return FALSE;
  return AnswerDialogMessage(handle_, message, result);
}
