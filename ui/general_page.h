#pragma once
// The "General" page of the options window: autostart, the tray option and
// the three application hot keys.

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

  // The hot key fields each show a hint while the mouse rests on them.
  void AddHints(THints& hints) const;

  // The controls themselves.
  CheckBox AutostartBox() const { return autostartBox_; }
  CheckBox MinimizeToTrayBox() const { return minimizeToTrayBox_; }
  HotKeyEdit HelperHotKey() const { return helperHotKey_; }
  HotKeyEdit ReadingHotKey() const { return readingHotKey_; }
  HotKeyEdit OptionsHotKey() const { return optionsHotKey_; }
  HotKeyEdit StopHotKey() const { return stopHotKey_; }

 protected:
  void OnInit() override;

 private:
  CheckBox autostartBox_;
  CheckBox minimizeToTrayBox_;
  // Hidden: it turns a stored hot key word into the text a hot key field shows.
  HotKeyEdit helperHotKey_;
  HotKeyEdit readingHotKey_;
  HotKeyEdit optionsHotKey_;
  HotKeyEdit stopHotKey_;
};
