#include "ui/modal_dialog.h"

#include <algorithm>

#include "base/win32_error.h"
#include "base/window_thunk.h"

namespace {

// Over the middle of the window that opened the dialog, kept inside the work
// area of that window's monitor.
void CentreOnOwner(HWND dialog) {
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner == nullptr || !IsWindowVisible(owner) || IsIconic(owner)) return;
  RECT ownerArea, area;
  GetWindowRect(owner, &ownerArea);
  GetWindowRect(dialog, &area);
  const LONG width = area.right - area.left;
  const LONG height = area.bottom - area.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const LONG left = (ownerArea.left + ownerArea.right - width) / 2;
  const LONG top = (ownerArea.top + ownerArea.bottom - height) / 2;
  SetWindowPos(dialog, nullptr, std::max(work.left, std::min(left, work.right - width)),
               std::max(work.top, std::min(top, work.bottom - height)), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
  icon_ = LoadIconOfSize(instance_, iconId, kSmallIconSize);
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
