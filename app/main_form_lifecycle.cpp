// The main window's life cycle: creation, the close policy, the exit command,
// the end of Windows and the clean-up.
#include <windows.h>

#include <shellapi.h>

#include "app/application.h"
#include "app/main_form.h"
#include "app/res/resource.h"
#include "app/web_pages.h"
#include "base/exception_guard.h"
#include "base/program_folder.h"
#include "settings/main_settings.h"
#include "settings/profile_file.h"
#include "ui/hints.h"

namespace {

constexpr TrayIconIds kTrayIcons{IDI_PROGRAM, IDI_FRAME1, IDI_FRAME2};
constexpr wchar_t kAutostartSwitch[] = L"-autostart";
// The lines are separated by a line feed followed by a carriage return.
constexpr wchar_t kNoSpeechEnginesText[] =
    L"Sorry, but there are no speech engines installed in your system.\n\r"
    L"Please, install some speech engine and run Tolvane! again.\n\r"
    L"Web page with speech engines list will be opened now.";
constexpr wchar_t kTrayNoticeText[] =
    L"Tolvane will now be minimized into the system tray. To restore this window double "
    L"click on program's icon in system tray.";

}  // namespace

void TfrmMain::CreateControls() {
  pages_.Create(application_.Instance(), Handle(), GetDlgItem(Handle(), IDC_PAGES),
                {&generalPage_, &speechPage_, &slotsPage_, &pronunciationPage_, &aboutPage_});
  tray_ =
      std::make_unique<TTrayPresenter>(Handle(), application_.Instance(), kTrayIcons,
                                       TrayCommands(), [this] { application_.ProcessMessages(); });
  reading_ =
      std::make_unique<ReadingController>(engines_, readingSource_, *tray_, application_.Handle(),
                                          [this] { application_.ProcessMessages(); });
  hotKeys_ = std::make_unique<HotKeys>(Handle(), *reading_, hotKeyRequests_);
  welcome_ = std::make_unique<TfrmWelcome>(application_.Instance(), application_.Handle(), Handle(),
                                           welcomeRequests_);
  voices_ = std::make_unique<TfrmVoices>(
      application_.Instance(), application_.Handle(), Handle(), pageRequests_, files_.downloads,
      ProgramBaseName() + L".exe", [this] { application_.ProcessMessages(); });
  partnerOffer_ = std::make_unique<TfrmPartnerOffer>(application_.Instance(), application_.Handle(),
                                                     pageRequests_, IDI_PROGRAM);
  application_.SetKeyPreview([this](WPARAM virtualKey) {
    aboutPage_.KeyTyped(virtualKey);
    return TurnPageByKey(virtualKey);
  });
  application_.SetCloseHandler([this] { ExitProgram(); });
  application_.SetMinimizeHandler([this] {
    if (!tray_->MinimizeToTray()) return false;
    ShowWindow(Handle(), SW_HIDE);
    return true;
  });
}

void TfrmMain::CreateHints() {
  hints_ = std::make_unique<THints>(Handle());
  generalPage_.AddHints(*hints_);
  pronunciationPage_.AddHints(*hints_);
}

void TfrmMain::FormCreate() {
  application_.SetIcon(programIcon_.get());
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(programIcon_.get()));
  engines_.DetectRuntimes();
  if (!engines_.Sapi4Available() && !engines_.Sapi5Available()) {
    ReportNoSpeechEngines();
    return;
  }
  pages_.SetActivePage(kGeneralPage);
  // A voice that fails while the catalogue is built costs only the catalogue:
  // the settings, the hot keys and the tray icon still follow.
  CallGuarded([this] { speechPage_.LoadVoicesList(); });
  // Slots that cannot be read cost only themselves.
  CallGuarded([this] { LoadVoiceSlots(); });
  LoadCfg();
  tray_->SetVisible(true);
  hotKeys_->ReportRefusedSlotKeys();
  for (const std::wstring& argument : commandLine_) {
    if (argument == kAutostartSwitch) startMinimized_ = true;
  }
  if (!firstRun_) startMinimized_ = true;
  help_.Load();
  if (!help_.Loaded()) ShowMessage(application_.Handle(), kHtmlHelpMissingText);
}

void TfrmMain::ReportNoSpeechEngines() {
  MessageBoxW(application_.Handle(), kNoSpeechEnginesText, kProgramTitle, MB_OK | MB_ICONERROR);
  OpenWebAddress(kEngineListPage);
  // Takes effect when the message loop starts: the program ends before any
  // reading can take place.
  application_.Terminate();
}

bool TfrmMain::FormCloseQuery() { return AnswerCloseRequest(CloseRequester::User); }

bool TfrmMain::AnswerCloseRequest(CloseRequester requester) {
  if (windowsEnding_) return true;
  // Also when the window only goes to the tray.
  SaveCfg();
  if (exiting_) return true;
  if (!generalPage_.Current().minimizeToTray) return true;
  // While Windows ends, the window is not going to the tray, and a box would
  // hold up the end of Windows.
  if (requester == CloseRequester::User) ShowTrayNoticeOnce();
  application_.Minimize();
  return false;
}

// Once per configuration file, and at most once per run when the file cannot
// be written: a settings folder the user may not write to must not bring the
// notice back at every close.
void TfrmMain::ShowTrayNoticeOnce() {
  if (trayNoticeShown_) return;
  const ProfileFile config(files_.mainSettings);
  if (TrayNoticeShown(config)) return;
  ShowInformation(Handle(), kTrayNoticeText);
  trayNoticeShown_ = true;
  CallGuarded([&] {
    MarkTrayNoticeShown(config);
    config.Flush();
  });
}

void TfrmMain::OnCloseRequest() {
  if (!FormCloseQuery()) return;
  FormClose();
  // Closing the main form ends the application.
  application_.Terminate();
}

void TfrmMain::FormClose() { engines_.Sapi5().Disconnect(); }

void TfrmMain::FormDestroy() { BeforeCloseActions(); }

void TfrmMain::ExitProgram() {
  // Each engine is silenced under a guard of its own. One that refuses, as a
  // SAPI 4 engine already paused with the reading does, must neither keep the
  // other engine speaking nor keep the settings from being saved on the close.
  try {
    if (welcome_->Visible()) welcome_->Close();
    exiting_ = true;
    engines_.Silence();
    Close();
  } catch (...) {
    // The clean-up still runs when the windows are destroyed.
    application_.Terminate();
  }
}

void TfrmMain::WMQueryEndSession() {
  // The close request runs as for any close: the settings are saved and, with
  // the tray option on, the window goes to the tray. Its answer does not count.
  AnswerCloseRequest(CloseRequester::EndOfWindows);
  BeforeCloseActions();
  windowsEnding_ = true;
}

void TfrmMain::WMEndSession(bool ending) {
  if (ending || !windowsEnding_) return;
  // Another program refused, and Windows goes on: come back as before the
  // query instead of running on without tray icon and hot keys (an editor
  // still open holds the keys back until it closes).
  windowsEnding_ = false;
  tray_->SetMinimizeToTray(true);
  tray_->SetVisible(true);
  hotKeys_->ActivateFixedKeys(generalPage_.Current());
  CallGuarded([this] { LoadVoiceSlots(); });
}

void TfrmMain::BeforeCloseActions() {
  // Before the tray icon goes: a help window left open would outlive the
  // program.
  help_.CloseAll();
  try {
    tray_->SetMinimizeToTray(false);
    tray_->SetVisible(false);
    if (engines_.Sapi5Available()) engines_.Sapi5().Disconnect();
    hotKeys_->UnregisterAll();
  } catch (...) {
    application_.Terminate();
  }
}
