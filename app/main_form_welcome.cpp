// The first run's welcome: the welcome window shown modally inside start-up
// with the tutorial beside it, the greeting it speaks, and what its closing
// runs before start-up goes on.
#include <windows.h>

#include "app/main_form.h"
#include "base/exception_guard.h"
#include "settings/main_settings.h"
#include "settings/profile_file.h"

void TfrmMain::ShowFirstRunWindows() {
  if (!showWelcome_ || application_.Terminated()) return;
  // Without the viewer the tutorial is left out quietly: start-up has said
  // that help is missing.
  if (help_.Loaded()) help_.ShowTopic(welcome_->Handle(), HelpTopic::Tutorial);
  welcome_->ShowModal();
  AfterWelcome();
  // Beside the options window, for more voices than the system has.
  if (!application_.Terminated()) voices_->Show();
}

void TfrmMain::AfterWelcome() {
  CallGuarded([this] {
    const ProfileFile config(files_.mainSettings);
    MarkWelcomeShown(config);
    config.Flush();
  });
  // "Exit" chosen while the welcome showed: the program is ending, and
  // nothing is to be set up again or shown.
  if (application_.Terminated()) return;
  SaveCfg();
  LoadCfg();
  // Each step of the creation is safe to repeat: the lists are rebuilt, the
  // slot keys made anew, the fixed keys kept, the tray icon and the help
  // library kept as they are.
  CallGuarded([this] { FormCreate(); });
  // The welcome's last step shows the options window, whatever this second
  // creation decided for a later start.
  startMinimized_ = false;
  ShowPage(kGeneralPage);
}

void TfrmMain::WelcomeRequests::SpeakGreeting(const std::wstring& greeting) {
  root_.reading_->SpeakWithDefaultVoice(greeting, false);
}

// Closing the welcome ends the greeting for good, whether it was still being
// said or the user had paused it: nothing is left for the pause key.
void TfrmMain::WelcomeRequests::SilenceGreeting() { root_.reading_->StopReading(); }
