// The options window's own handlers: showing, the first activation, OK and
// Cancel, turning the pages by keys, and the focused control by name.
#include "app/application.h"
#include "app/main_form.h"
#include "app/res/resource.h"
#include "ui/hotkey_edit.h"

void TfrmMain::FormShow() {
  if (!firstLoad_) LoadCfg();
}

void TfrmMain::FormActivate() {
  if (activatedOnce_) return;
  activatedOnce_ = true;
  // COM may not call out of the process while the system waits for the
  // activation to be answered, so the voice connects right after it.
  PostMessageW(Handle(), kConnectVoiceMessage, 0, 0);
}

void TfrmMain::OnOk() {
  SaveCfg();
  // A hot key whose word changed moves to the new keys; none is switched on
  // or off here.
  hotKeys_->SetFixedKeys(generalPage_.Current());
  hotKeys_->ReportRefusedFixedKeys();
  application_.Minimize();
}

// Nothing is written: the next showing loads the saved settings again.
void TfrmMain::OnCancel() { application_.Minimize(); }

// In a hot key edit, Ctrl+Tab and Ctrl+Shift+Tab are keys to enter.
bool TfrmMain::TurnPageByKey(WPARAM virtualKey) {
  if (virtualKey != VK_TAB || GetKeyState(VK_CONTROL) >= 0) return false;
  if (IsHotKeyEdit(GetFocus())) return false;
  pages_.TurnPage(GetKeyState(VK_SHIFT) < 0);
  SetFocus(GetDlgItem(Handle(), IDC_PAGES));
  return true;
}

namespace {

// The window's own controls whose focus the saved window placement keeps; the
// pages name theirs.
constexpr NamedControl kWindowFocusNames[] = {
    {L"Pages", IDC_PAGES}, {L"BitBtn1", IDOK}, {L"BitBtn2", IDCANCEL}};

}  // namespace

std::wstring TfrmMain::ActiveControlName() const {
  const std::wstring name = FocusedControlName(Handle(), kWindowFocusNames);
  return name.empty() ? pages_.FocusedControlName() : name;
}

void TfrmMain::FocusControl(const std::wstring& name) {
  HWND control = NamedControlHandle(Handle(), kWindowFocusNames, name);
  if (control == nullptr) control = pages_.TurnToNamedControl(name);
  if (control == nullptr) return;
  SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}
