// The main window as a window: its controls, showing and hiding, and the
// routing of its messages to the handlers.
#include "app/main_form.h"

#include <shellapi.h>

#include "app/application.h"
#include "app/res/resource.h"
#include "app/web_pages.h"
#include "base/dpi.h"
#include "base/exception_guard.h"
#include "ui/hints.h"
#include "ui/ui_resources.h"

TfrmMain::TfrmMain(TApplication& application, ProgramFiles files,
                   std::vector<std::wstring> commandLine)
    : TForm(application.Instance(), application.Handle(), IDD_MAIN),
      application_(application),
      files_(std::move(files)),
      help_({files_.help, files_.tutorial}, kSupportMail),
      commandLine_(std::move(commandLine)),
      speechPage_(engines_, pageRequests_),
      slotsPage_(pageRequests_, engines_, files_.voiceSlots),
      pronunciationPage_(pageRequests_, files_.words),
      aboutPage_(pageRequests_, IDI_PROGRAM, kMakerHomePage) {
  Create();
  application_.SetMainForm(Handle());
  programIcon_ =
      LoadIconOfSize(application_.Instance(), IDI_PROGRAM, ScaleForDpi(kSmallIconSize, Dpi()));
  CreateControls();
  CreateHints();
  // A failure in one step of the creation ends only that step's part of it:
  // the window is still created and the program runs on.
  CallGuarded([this] { FormCreate(); });
}

TfrmMain::~TfrmMain() { FormDestroy(); }

void TfrmMain::ShowAtStart() {
  // After the first run's welcome the window shows already, with the engine
  // download window in front of it.
  if (application_.Terminated() || Visible()) return;
  if (startMinimized_) {
    application_.Minimize();
  } else {
    ShowMainWindow();
  }
}

void TfrmMain::ShowMainWindow() {
  application_.Restore();
  ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(Handle());
}

// The page is turned before the window shows, so that nothing, not even
// another program looking on, finds the window in front on the page it was
// left on.
void TfrmMain::ShowPage(OptionsPage page) {
  pages_.SetActivePage(page);
  ShowMainWindow();
}

void TfrmMain::ShowOptions() { ShowPage(kGeneralPage); }

// The result of the request is not looked at: nothing follows when it fails.
void TfrmMain::OpenWebAddress(const wchar_t* address) const {
  ShellExecuteW(nullptr, L"open", address, L"", L"", SW_SHOWNORMAL);
}

// The test buttons of the "Default voice" and "Pronunciation" pages.
void TfrmMain::PageRequests::SpeakTestText(const std::wstring& text) {
  root_.reading_->SpeakWithDefaultVoice(text, true);
}

// The correction editor's test: a second test is heard after the first.
void TfrmMain::PageRequests::SpeakPronunciation(const std::wstring& text) {
  root_.reading_->SpeakWithDefaultVoice(text, false);
}

void TfrmMain::PageRequests::ShowMoreVoices() { root_.partnerOffer_->Show(); }

void TfrmMain::PageRequests::SpeakSlotTest(int entry, const VoiceValues& values) {
  root_.reading_->SpeakSlotTest(entry, values);
}

void TfrmMain::PageRequests::ShowHelp(HWND window, HelpTopic topic) {
  root_.help_.ShowTopic(window, topic);
}

void TfrmMain::PageRequests::OpenEngineListPage() { root_.OpenWebAddress(kEngineListPage); }

void TfrmMain::ShowOptionsHelp() {
  if (const std::optional<HelpTopic> topic = OptionsPageHelpTopic(pages_.ActivePage())) {
    help_.ShowTopic(Handle(), *topic);
  }
}

void TfrmMain::PageRequests::OpenAboutLink(AboutLink link) {
  switch (link) {
    case AboutLink::HomePage:
      root_.OpenWebAddress(kMakerHomePage);
      break;
    case AboutLink::ProgramInformation:
      root_.OpenWebAddress(kProductPage);
      break;
    case AboutLink::TechnicalSupport:
      root_.OpenWebAddress(kSupportMailLink);
      break;
  }
}

// The menu shows what the hot key fields show at the moment it is drawn.
std::vector<TrayCommand> TfrmMain::TrayCommands() {
  return {
      {IDM_TRAY_OPTIONS, L"Options...", [this] { ShowOptions(); },
       [this] { return generalPage_.OptionsHotKeyText(); }},
      {IDM_TRAY_VOICE_SLOTS, L"Configure Voice Slots...", [this] { ShowPage(kSlotsPage); }},
      {IDM_TRAY_ADDITIONAL_VOICES, L"Additional voices...",
       [this] { voices_->ShowModalUnlessShowing(); }},
      {IDM_TRAY_MORE_VOICES, L"Get more quality voices now!",
       [this] { pageRequests_.ShowMoreVoices(); }},
      TraySeparator(),
      {IDM_TRAY_PAUSE_RESUME, kPauseCaption, [this] { reading_->PauseOrResume(); },
       [this] { return generalPage_.StopHotKeyText(); }},
      TraySeparator(),
      {IDM_TRAY_HELP, L"Help", [this] { help_.ShowTopic(Handle(), HelpTopic::Introduction); }},
      {IDM_TRAY_TUTORIAL, L"Tutorial", [this] { help_.ShowTopic(Handle(), HelpTopic::Tutorial); }},
      {IDM_TRAY_WEBSITE, L"Official Website", [this] { OpenWebAddress(kMakerHomePage); }},
      {IDM_TRAY_ABOUT, L"About...", [this] { ShowPage(kAboutPage); }},
      TraySeparator(),
      {IDM_TRAY_EXIT, L"Exit", [this] { ExitProgram(); }},
  };
}

bool TfrmMain::HandleCommand(WORD command) {
  switch (command) {
    case IDOK:
      OnOk();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
    case IDC_HELP_BUTTON:
      ShowOptionsHelp();
      return true;
    case IDC_ADDITIONAL_VOICES_BUTTON:
      voices_->ShowModalUnlessShowing();
      return true;
    default:
      return false;
  }
}

bool TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // The tray is made once the window exists, after its first messages.
  if (tray_ != nullptr && tray_->HandleMessage(message, wParam, lParam, result)) return true;
  switch (message) {
    case WM_HOTKEY:
      hotKeys_->HandleHotKey(wParam);
      return true;
    case WM_QUERYENDSESSION:
      WMQueryEndSession();
      // Windows may always end: the settings are saved and everything released.
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      WMEndSession(wParam != FALSE);
      return true;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != SC_MINIMIZE) return false;
      application_.Minimize();
      result = TRUE;
      return true;
    case WM_NOTIFY:
      return pages_.HandleSelectionChange(*reinterpret_cast<NMHDR*>(lParam));
    case WM_SHOWWINDOW:
      if (wParam != FALSE) FormShow();
      return false;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
      return false;
    case kConnectVoiceMessage:
      if (!engines_.Sapi5().Connected()) engines_.Sapi5().Connect();
      return true;
    case WM_COMMAND:
      return HandleCommand(LOWORD(wParam));
    case WM_HELP:
      ShowOptionsHelp();
      result = TRUE;
      return true;
    default:
      return false;
  }
}
