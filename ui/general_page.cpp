#include "ui/general_page.h"

#include "ui/hints.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kCaption[] = L"General";
// Design values of the hot key edits: Alt+Ins, Ctrl+F11, Ctrl+F12.
constexpr HotKeyWord kReadingHotKeyDesign = 32813;
constexpr HotKeyWord kOptionsHotKeyDesign = 16506;
constexpr HotKeyWord kStopHotKeyDesign = 16507;

}  // namespace

TGeneralPage::TGeneralPage() : TOptionsPage(IDD_PAGE_GENERAL, kCaption) {}

void TGeneralPage::OnInit() {
  autostartBox_ = CheckBox(Control(IDC_AUTOSTART_CHECKBOX));
  minimizeToTrayBox_ = CheckBox(Control(IDC_TRAYICON_CHECKBOX));
  helperHotKey_ = HotKeyEdit(Control(IDC_HELPER_HOTKEYEX));
  readingHotKey_ = HotKeyEdit(Control(IDC_READING_HOTKEY));
  optionsHotKey_ = HotKeyEdit(Control(IDC_OPTIONS_HOTKEY));
  stopHotKey_ = HotKeyEdit(Control(IDC_STOP_HOTKEY));
  minimizeToTrayBox_.SetChecked(true);
  readingHotKey_.SetValue(kReadingHotKeyDesign);
  optionsHotKey_.SetValue(kOptionsHotKeyDesign);
  stopHotKey_.SetValue(kStopHotKeyDesign);
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

void TGeneralPage::AddHints(THints& hints) const {
  for (const HotKeyEdit& edit : {readingHotKey_, optionsHotKey_, stopHotKey_}) {
    hints.Add(edit.Handle(), kHotKeyEditHint);
  }
}
