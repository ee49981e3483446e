#pragma once
// The "General" page of the options window: autostart, the tray option and
// the three application hot keys.

#include <string>

#include "settings/main_settings.h"
#include "ui/controls.h"
#include "ui/hotkey_edit.h"
#include "ui/options_page.h"

class THints;

class TGeneralPage : public TOptionsPage {
 public:
  TGeneralPage();

  // The hot keys and the tray option; the first-run and welcome flags are
  // not the page's.
  void Load(const GeneralSettings& settings);
  GeneralSettings Current() const;

  // Not kept in cfg.ini: the box shows, and decides, the autostart value.
  bool Autostart() const { return autostartBox_.Checked(); }
  void SetAutostart(bool enabled) { autostartBox_.SetChecked(enabled); }

  // The options and pause keys as their fields show them at the moment.
  std::wstring OptionsHotKeyText() const;
  std::wstring StopHotKeyText() const;

  // The hot key fields each show a hint while the mouse rests on them.
  void AddHints(THints& hints) const;

 protected:
  void OnInit() override;

 private:
  CheckBox autostartBox_;
  CheckBox minimizeToTrayBox_;
  HotKeyEdit readingHotKey_;
  HotKeyEdit optionsHotKey_;
  HotKeyEdit stopHotKey_;
};
