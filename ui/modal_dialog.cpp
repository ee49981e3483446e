#include "ui/modal_dialog.h"

#include "base/win32_error.h"
#include "base/window_thunk.h"

bool TModalDialog::ShowModal(HINSTANCE instance, HWND owner) {
  const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId_), owner,
                                         DialogThunk<TModalDialog>, reinterpret_cast<LPARAM>(this));
  if (result == -1) ThrowLastError("cannot show a dialog");
  return result == IDOK;
}

INT_PTR TModalDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    OnInit();
    return TRUE;
  }
  LRESULT result = 0;
  if (HandleMessage(message, wParam, lParam, result)) {
    return AnswerDialogMessage(handle_, message, result);
  }
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          if (OnOk()) EndDialog(handle_, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(handle_, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}
