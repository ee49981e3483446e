// cfg.ini, the autostart value and words.ini: LoadCfg fills the options pages
// from them, SaveCfg writes the pages back.
#include <windows.h>

#include "app/main_form.h"
#include "base/exception_guard.h"
#include "base/program_folder.h"
#include "settings/autostart.h"
#include "settings/main_settings.h"
#include "settings/profile_file.h"
#include "settings/window_placement.h"

namespace {

constexpr wchar_t kOptionsWindow[] = L"Options_window";

}  // namespace

void TfrmMain::LoadCfg() {
  const ProfileFile config(files_.mainSettings);
  const MainSettings settings = ReadMainSettings(config);
  firstRun_ = settings.general.firstRun;
  downloadAddress_ = ReadDownloadAddress(config);
  if (firstRun_) {
    // The very first start turns autostart on. Without a Run key, or in a
    // folder the user may not write to, the rest of the load still goes on:
    // the hot keys matter more.
    CallGuarded([] { EnableAutostart(ProgramPath()); });
    CallGuarded([&] { MarkFirstRunDone(config); });
  }
  generalPage_.Load(settings.general);
  if (!settings.general.skipWelcome) showWelcome_ = true;
  pronunciationPage_.Load(settings.pronunciation);
  speechPage_.Load(settings.speech);
  config.Flush();
  hotKeys_->ActivateFixedKeys(generalPage_.Current());
  generalPage_.SetAutostart(AutostartEnabled());
  if (firstLoad_) {
    RestoreWindowPlacement(config, kOptionsWindow, Handle(),
                           [this](const std::wstring& name) { FocusControl(name); });
    firstLoad_ = false;
  }
  // A dictionary that cannot be read keeps the table as it was, and is not
  // written back until a later load has read it.
  CallGuarded([this] { pronunciationPage_.RestoreWords(); });
  speechPage_.ChooseFirstVoiceUnlessChosen();
}

// Everything goes into a copy of cfg.ini, which takes the file's place in one
// step once complete and tidied: a failure at any point leaves the old file
// whole and ends the save of the files silently where it happens. The
// autostart choice lives in the registry, not in the folder: it is applied
// whatever became of the files, or in a folder that cannot be written the
// user could never turn autostart off.
void TfrmMain::SaveCfg() {
  CallGuarded([this] {
    RewriteIniFile(files_.mainSettings, [this](const ProfileFile& copy) {
      SaveWindowPlacement(copy, kOptionsWindow, Handle(), ActiveControlName());
      WriteMainSettings(
          copy, {generalPage_.Current(), pronunciationPage_.Current(), speechPage_.Current()});
    });
    pronunciationPage_.SaveWords();
  });
  CallGuarded([this] {
    if (generalPage_.Autostart()) {
      EnableAutostart(ProgramPath());
    } else {
      DisableAutostart();
    }
  });
}
