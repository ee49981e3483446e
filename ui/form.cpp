#include "ui/form.h"

#include "base/win32_error.h"
#include "base/window_thunk.h"

TForm::TForm(HINSTANCE instance, HWND owner, int templateId)
    : instance_(instance), owner_(owner), templateId_(templateId) {}

TForm::~TForm() {
  if (handle_ != nullptr) DestroyWindow(handle_);
}

void TForm::Create() {
  HWND handle = CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), owner_,
                                   DialogThunk<TForm>, reinterpret_cast<LPARAM>(this));
  if (handle == nullptr) ThrowLastError("cannot create a window");
}

bool TForm::Visible() const { return handle_ != nullptr && IsWindowVisible(handle_); }

void TForm::Show() { ShowWindow(handle_, SW_SHOW); }

void TForm::Hide() { ShowWindow(handle_, SW_HIDE); }

void TForm::Close() { SendMessageW(handle_, WM_CLOSE, 0, 0); }

void TForm::SetClientHeight(int height) {
  RECT client;
  GetClientRect(handle_, &client);
  RECT frame{0, 0, client.right, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE)));
  SetWindowPos(handle_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR TForm::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = FALSE;
  if (HandleMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_CLOSE:
      OnCloseRequest();
      return TRUE;
    case WM_COMMAND:
      // Esc arrives as IDCANCEL and acts as the close box.
      if (LOWORD(wParam) == IDCANCEL) {
        OnCloseRequest();
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

bool TForm::HandleMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }
