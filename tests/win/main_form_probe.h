#pragma once
// The one way the Windows tests reach inside a whole main window built in the
// test process: the probe, which the main window names as its friend, and
// the fixture that builds the window in a program folder of its own, with the
// autostart value and stand-in voices and engines.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_form.h"
#include "settings/autostart.h"
#include "settings/file_replace.h"
#include "settings/program_files.h"
#include "tests/support/autostart_value.h"
#include "tests/support/message_pump.h"
#include "tests/support/speech_test_support.h"
#include "tests/support/temp_folder.h"
#include "ui/ui_resources.h"

class MainFormProbe {
 public:
  explicit MainFormProbe(TfrmMain& form) : form_(form) {}

  HWND Handle() const { return form_.Handle(); }
  bool Visible() const { return form_.Visible(); }
  Engines& SpeechEngines() const { return form_.engines_; }
  ReadingController& ReadingControl() const { return *form_.reading_; }
  TOptionsPages& Pages() const { return form_.pages_; }
  TGeneralPage& GeneralPage() const { return form_.generalPage_; }
  TSpeechPage& SpeechPage() const { return form_.speechPage_; }
  TSlotsPage& SlotsPage() const { return form_.slotsPage_; }
  TPronunciationPage& PronunciationPage() const { return form_.pronunciationPage_; }
  TAboutPage& AboutPage() const { return form_.aboutPage_; }
  // A control of the "General" page by its identifier, as the user reaches it.
  HWND GeneralControl(int id) const { return GetDlgItem(form_.generalPage_.Handle(), id); }
  HotKeyEdit HotKeyField(int id) const { return HotKeyEdit(GeneralControl(id)); }
  const GlobalHotKey& DefaultHotKey() const { return form_.hotKeys_->Fixed(HotKeys::kReadingKey); }
  const GlobalHotKey& OptionsHotKey() const { return form_.hotKeys_->Fixed(HotKeys::kOptionsKey); }
  const TTrayPresenter& Tray() const { return *form_.tray_; }

  // What the start-up found: the first start of the program, the welcome
  // window due, the window staying in the tray.
  bool FirstRun() const { return form_.firstRun_; }
  bool ShowWelcome() const { return form_.showWelcome_; }
  bool StartMinimized() const { return form_.startMinimized_; }

  void ShowMainWindow() { form_.ShowMainWindow(); }
  bool FormCloseQuery() { return form_.FormCloseQuery(); }
  void LoadCfg() { form_.LoadCfg(); }
  void SaveCfg() { form_.SaveCfg(); }
  void BeforeCloseActions() { form_.BeforeCloseActions(); }
  // A command of the window, as its buttons and the tray menu send it.
  void Command(UINT id) { SendMessageW(form_.Handle(), WM_COMMAND, id, 0); }

 private:
  TfrmMain& form_;
};

namespace main_form_test {

// Two SAPI 5 voices and two SAPI 4 engines with different bounds.
inline constexpr char kBothFamilies[] =
    "sapi4.engine = Engine Mode One | Ann | 50..250 | 80..160\n"
    "sapi4.engine = Engine Mode Two | Bob | 20..300 | 40..200\n"
    "sapi5.voice = Voice Alpha\n"
    "sapi5.voice = Voice Beta\n";

// Each test starts in a program folder of its own without cfg.ini, and
// without the autostart value, as on a first start; it leaves no value
// behind.
class MainFormFixture : public ::testing::Test {
 protected:
  void SetUp() override { DisableAutostart(); }
  void TearDown() override {
    DestroyMainForm();
    DisableAutostart();
  }

  // A window made before is destroyed first, as at the end of a program.
  MainFormProbe& CreateMainForm(const std::string& standinConfig = kBothFamilies,
                                std::vector<std::wstring> commandLine = {L"Tolvane.exe"}) {
    DestroyMainForm();
    standins_.WriteConfig(standinConfig);
    frmMain_ = std::make_unique<TfrmMain>(application_, files_, std::move(commandLine));
    probe_ = std::make_unique<MainFormProbe>(*frmMain_);
    return *probe_;
  }

  // The window is gone, as at the end of the program.
  void DestroyMainForm() {
    probe_.reset();
    frmMain_.reset();
  }

  // The next start is a first start again.
  void Forget() {
    DeleteFileW(ConfigPath().c_str());
    DisableAutostart();
  }

  const std::wstring& ConfigPath() const { return files_.mainSettings; }
  std::string ConfigText() const {
    try {
      return ReadWholeFile(ConfigPath());
    } catch (...) {
      return "<none>";
    }
  }
  void WriteConfigText(const std::string& text) const { ReplaceWholeFile(ConfigPath(), text); }

  // Runs the application's own message handling, with its key preview and
  // dialog keys, until the condition holds or the deadline passes.
  bool PumpApplicationUntil(const std::function<bool()>& condition,
                            std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    return PumpUntil(condition, timeout, [this] { application_.ProcessMessages(); });
  }
  bool PumpApplicationUntilQuiet() {
    return PumpUntilPostedHandled([this] { application_.ProcessMessages(); });
  }

  TempFolder programFolder_;
  // The program folder can be written, so its files stay in it.
  ProgramFiles files_ = ChooseProgramFiles(programFolder_.Path(), L"");
  speech_test::StandinFiles standins_;
  TApplication application_{GetModuleHandleW(nullptr)};

 private:
  std::unique_ptr<TfrmMain> frmMain_;
  std::unique_ptr<MainFormProbe> probe_;
};

}  // namespace main_form_test
