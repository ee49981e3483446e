#include "ui/modal_dialog.h"

#include "base/dpi.h"
#include "base/win32_error.h"
#include "base/window_thunk.h"
#include "ui/form.h"

namespace {

// Over the middle of the window that opened the dialog, kept inside the work
// area of that window's monitor.
void CentreOnOwner(HWND dialog) {
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner == nullptr || !IsWindowVisible(owner) || IsIconic(owner)) return;
  CentreWindowOn(dialog, owner);
}

}  // namespace

bool TModalDialog::ShowModal(HINSTANCE instance, HWND owner) {
  instance_ = instance;
  const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId_), owner,
                                         DialogThunk<TModalDialog>, reinterpret_cast<LPARAM>(this));
  if (result == -1) ThrowLastError("cannot show a dialog");
  return result == IDOK;
}

void TModalDialog::ShowIcon(int iconId) {
  icon_ = LoadIconOfSize(instance_, iconId, ScaleForWindow(handle_, kSmallIconSize));
  SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
}

INT_PTR TModalDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    CentreOnOwner(handle_);
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
