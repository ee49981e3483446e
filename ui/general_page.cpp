#include "ui/general_page.h"

#include "ui/hints.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kCaption[] = L"General";
// The names under which cfg.ini keeps the focused control.
constexpr NamedControl kFocusNames[] = {
    {L"AutoStart_CheckBox", IDC_AUTOSTART_CHECKBOX},
    {L"TrayIcon_CheckBox", IDC_TRAYICON_CHECKBOX},
    {L"Reading_HotKey", IDC_READING_HOTKEY},
    {L"Options_HotKey", IDC_OPTIONS_HOTKEY},
    {L"Stop_HotKey", IDC_STOP_HOTKEY},
};

}  // namespace

TGeneralPage::TGeneralPage() : TOptionsPage(IDD_PAGE_GENERAL, kCaption, kFocusNames) {}

// Until the configuration is loaded, the fields show the settings' defaults.
void TGeneralPage::OnInit() {
  autostartBox_ = CheckBox(Control(IDC_AUTOSTART_CHECKBOX));
  minimizeToTrayBox_ = CheckBox(Control(IDC_TRAYICON_CHECKBOX));
  readingHotKey_ = HotKeyEdit(Control(IDC_READING_HOTKEY));
  optionsHotKey_ = HotKeyEdit(Control(IDC_OPTIONS_HOTKEY));
  stopHotKey_ = HotKeyEdit(Control(IDC_STOP_HOTKEY));
  Load(GeneralSettings{});
}

void TGeneralPage::Load(const GeneralSettings& settings) {
  readingHotKey_.SetValue(settings.readingHotKey);
  optionsHotKey_.SetValue(settings.optionsHotKey);
  stopHotKey_.SetValue(settings.stopHotKey);
  minimizeToTrayBox_.SetChecked(settings.minimizeToTray);
}

GeneralSettings TGeneralPage::Current() const {
  GeneralSettings settings;
  settings.readingHotKey = readingHotKey_.Value();
  settings.optionsHotKey = optionsHotKey_.Value();
  settings.stopHotKey = stopHotKey_.Value();
  settings.minimizeToTray = minimizeToTrayBox_.Checked();
  return settings;
}

std::wstring TGeneralPage::OptionsHotKeyText() const { return WindowText(optionsHotKey_.Handle()); }

std::wstring TGeneralPage::StopHotKeyText() const { return WindowText(stopHotKey_.Handle()); }

void TGeneralPage::AddHints(THints& hints) const {
  for (const HotKeyEdit& edit : {readingHotKey_, optionsHotKey_, stopHotKey_}) {
    hints.Add(edit.Handle(), kHotKeyEditHint);
  }
}
