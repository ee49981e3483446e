// The options window's own handlers: showing, the first activation, OK and
// Cancel, turning the pages by keys, and the focused control by name.
#include "app/application.h"
#include "app/main_form.h"
#include "app/res/resource.h"
#include "ui/hotkey_edit.h"
#include "ui/ui_resources.h"

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

// The controls whose focus the saved window placement keeps, by name. The
// names are cfg.ini's format ("BitBtn1", "Edit4", ...): files written by
// earlier versions name their focused control so.
struct NamedControl {
  const wchar_t* name;
  int page;  // -1: on the window itself
  int id;
};

namespace {

constexpr NamedControl kNamedControls[] = {
    {L"Pages", -1, IDC_PAGES},
    {L"BitBtn1", -1, IDOK},
    {L"BitBtn2", -1, IDCANCEL},
    {L"AutoStart_CheckBox", kGeneralPage, IDC_AUTOSTART_CHECKBOX},
    {L"TrayIcon_CheckBox", kGeneralPage, IDC_TRAYICON_CHECKBOX},
    {L"Reading_HotKey", kGeneralPage, IDC_READING_HOTKEY},
    {L"Options_HotKey", kGeneralPage, IDC_OPTIONS_HOTKEY},
    {L"Stop_HotKey", kGeneralPage, IDC_STOP_HOTKEY},
    {L"VoicesList", kSpeechPage, IDC_VOICESLIST},
    {L"Edit4", kSpeechPage, IDC_TEST_TEXT},
    {L"Test_Button", kSpeechPage, IDC_TEST_BUTTON},
    {L"Speed_Bar", kSpeechPage, IDC_SPEED_BAR},
    {L"Pitch_Bar", kSpeechPage, IDC_PITCH_BAR},
    {L"Volume_Bar", kSpeechPage, IDC_VOLUME_BAR},
    {L"SlotsList", kSlotsPage, IDC_SLOTSLIST},
    {L"IgnoreCharacters_CheckBox", kPronunciationPage, IDC_IGNORECHARACTERS_CHECKBOX},
    {L"Ignored_Characters", kPronunciationPage, IDC_IGNORED_CHARACTERS},
    {L"WordsCorr_CheckBox", kPronunciationPage, IDC_WORDSCORR_CHECKBOX},
    {L"Words_Table", kPronunciationPage, IDC_WORDS_TABLE},
};

}  // namespace

HWND TfrmMain::NamedControlHandle(const NamedControl& control) const {
  HWND parent = control.page < 0 ? Handle() : pages_.Page(static_cast<OptionsPage>(control.page));
  return GetDlgItem(parent, control.id);
}

std::wstring TfrmMain::ActiveControlName() const {
  HWND focus = GetFocus();
  for (const NamedControl& control : kNamedControls) {
    if (NamedControlHandle(control) == focus) return control.name;
  }
  return L"";
}

void TfrmMain::FocusControl(const std::wstring& name) {
  for (const NamedControl& control : kNamedControls) {
    if (name != control.name) continue;
    if (control.page >= 0) pages_.SetActivePage(static_cast<OptionsPage>(control.page));
    SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(NamedControlHandle(control)),
                 TRUE);
  }
}
