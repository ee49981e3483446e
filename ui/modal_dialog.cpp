#include "ui/modal_dialog.h"

#include "base/dpi.h"
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
  return ShowModalFromTemplate(instance, owner) == IDOK;
}

void TModalDialog::ShowIcon(int iconId) {
  icon_ = LoadIconOfSize(Instance(), iconId, ScaleForWindow(Handle(), kSmallIconSize));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
}

void TModalDialog::Initialize() {
  CentreOnOwner(Handle());
  OnInit();
}

bool TModalDialog::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (HandleMessage(message, wParam, lParam, result)) return true;
  if (message != WM_COMMAND) return false;
  switch (LOWORD(wParam)) {
    case IDOK:
      if (OnOk()) EndDialog(Handle(), IDOK);
      return true;
    case IDCANCEL:
      EndDialog(Handle(), IDCANCEL);
      return true;
    default:
      return false;
  }
}
