// The main window as a window: its controls, showing and hiding, and the
// routing of its messages to the handlers.
#include "app/main_form.h"

#include <shellapi.h>

#include "app/application.h"
#include "app/res/resource.h"
#include "app/web_pages.h"
#include "base/exception_guard.h"
#include "speech/voice_catalogue.h"
#include "ui/about_page.h"
#include "ui/hints.h"
#include "ui/list_view.h"
#include "ui/partner_offer.h"

namespace {

constexpr wchar_t kTrayHint[] = L"Tolvane!";
constexpr wchar_t kHotKeyHint[] = L"Press the desired key or combination of keys";
constexpr wchar_t kIgnoredCharactersHint[] = L"This characters will be ignored when reading";
// The value boxes hold at most three digits.
constexpr int kValueBoxLength = 3;
// Design values of the hot key edits: Alt+Ins, Ctrl+F11, Ctrl+F12.
constexpr ShortCut kReadingHotKeyDesign = 32813;
constexpr ShortCut kOptionsHotKeyDesign = 16506;
constexpr ShortCut kStopHotKeyDesign = 16507;

OwnedIcon LoadSmallIcon(HINSTANCE instance, int id) {
  return OwnedIcon(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0)));
}

// The result of the request is not looked at: nothing follows when it fails.
void OpenWebAddress(const wchar_t* address) {
  ShellExecuteW(nullptr, L"open", address, L"", L"", SW_SHOWNORMAL);
}

}  // namespace

TfrmMain::TfrmMain(TApplication& application, std::vector<std::wstring> commandLine)
    : TForm(application.Instance(), application.Handle(), IDD_MAIN),
      application_(application),
      commandLine_(std::move(commandLine)),
      taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")) {
  Create();
  application_.SetMainForm(Handle());
  LoadIcons();
  CreateControls();
  CreatePageControls();
  CreateHints();
  // A failure in one step of the creation ends only that step's part of it:
  // the window is still created and the program runs on.
  CallGuarded([this] { FormCreate(); });
}

TfrmMain::~TfrmMain() { FormDestroy(); }

void TfrmMain::LoadIcons() {
  HINSTANCE instance = application_.Instance();
  programIcon_ = LoadSmallIcon(instance, IDI_PROGRAM);
  waveIcon1_ = LoadSmallIcon(instance, IDI_FRAME1);
  waveIcon2_ = LoadSmallIcon(instance, IDI_FRAME2);
}

void TfrmMain::CreateControls() {
  Pages.Create(application_.Instance(), Handle(), GetDlgItem(Handle(), IDC_PAGES));
  HWND general = Pages.Page(kGeneralPage);
  AutoStart_CheckBox = CheckBox(GetDlgItem(general, IDC_AUTOSTART_CHECKBOX));
  TrayIcon_CheckBox = CheckBox(GetDlgItem(general, IDC_TRAYICON_CHECKBOX));
  Helper_HotKeyEx = HotKeyEdit(GetDlgItem(general, IDC_HELPER_HOTKEYEX));
  Reading_HotKey = HotKeyEdit(GetDlgItem(general, IDC_READING_HOTKEY));
  Options_HotKey = HotKeyEdit(GetDlgItem(general, IDC_OPTIONS_HOTKEY));
  Stop_HotKey = HotKeyEdit(GetDlgItem(general, IDC_STOP_HOTKEY));
  TrayIcon_CheckBox.SetChecked(true);
  Reading_HotKey.SetValue(kReadingHotKeyDesign);
  Options_HotKey.SetValue(kOptionsHotKeyDesign);
  Stop_HotKey.SetValue(kStopHotKeyDesign);

  defaultHotKey_ = std::make_unique<GlobalHotKey>(
      Handle(), L"DefaultHotKey", [this](GlobalHotKey&) { reading_->DefaultHotKeyHotKey(); });
  optionsHotKey_ = std::make_unique<GlobalHotKey>(
      Handle(), L"OptionsHotKey", [this](GlobalHotKey& hotKey) { OptionsHotKeyHotKey(hotKey); });
  stopHotKey_ = std::make_unique<GlobalHotKey>(
      Handle(), L"StopHotKey", [this](GlobalHotKey&) { reading_->PauseOrResume(); });
  const ReadingSource& source = *this;
  ReadingFeedback& feedback = *this;
  reading_ = std::make_unique<ReadingController>(engines_, source, feedback, application_.Handle(),
                                                 [this] { application_.ProcessMessages(); });

  trayMenu_ = std::make_unique<TTrayMenu>(
      Handle(), programIcon_.get(), [this](UINT command) { return TrayMenuHotKeyText(command); },
      [this] { application_.ProcessMessages(); });
  trayIcon_ = std::make_unique<TTrayIcon>(Handle(), TRAY_ICON_MESSAGE);
  trayIcon_->SetHint(kTrayHint);
  trayIcon_->SetIcon(programIcon_.get());
  application_.SetKeyPreview([this](WPARAM virtualKey) {
    FormKeyDown(virtualKey);
    return TurnPageByKey(virtualKey);
  });
  application_.SetMinimizeHandler([this] {
    if (!trayIcon_->MinimizeToTray()) return false;
    ShowWindow(Handle(), SW_HIDE);
    return true;
  });
}

// The design state of the pages other than "General": the sliders' design
// ranges and the value boxes showing 0 until the voice list sets them up.
void TfrmMain::CreatePageControls() {
  HWND speech = Pages.Page(kSpeechPage);
  VoicesList.Attach(
      GetDlgItem(speech, IDC_VOICESLIST),
      [this](int oldIndex, int newIndex) { VoicesListChange(oldIndex, newIndex); },
      [this] { VoicesListClick(); });
  TrackBar(GetDlgItem(speech, IDC_SPEED_BAR), {}).SetRange(60, 280);
  TrackBar(GetDlgItem(speech, IDC_PITCH_BAR), {}).SetRange(30, 240);
  TrackBar(GetDlgItem(speech, IDC_VOLUME_BAR), {}).SetRange(0, 100);
  Speed_Bar = TrackBar(GetDlgItem(speech, IDC_SPEED_BAR), [this] { Speed_BarChange(); });
  Pitch_Bar = TrackBar(GetDlgItem(speech, IDC_PITCH_BAR), [this] { Pitch_BarChange(); });
  Volume_Bar = TrackBar(GetDlgItem(speech, IDC_VOLUME_BAR), [this] { Volume_BarChange(); });
  Edit1 = EditBox(GetDlgItem(speech, IDC_SPEED_VALUE));
  Edit2 = EditBox(GetDlgItem(speech, IDC_PITCH_VALUE));
  Edit3 = EditBox(GetDlgItem(speech, IDC_VOLUME_VALUE));
  for (const EditBox& box : {Edit1, Edit2, Edit3}) {
    SendMessageW(box.Handle(), EM_LIMITTEXT, kValueBoxLength, 0);
    box.SetText(L"0");
  }
  Edit4 = EditBox(GetDlgItem(speech, IDC_TEST_TEXT));
  Edit4.SetText(kTestSentence);

  SlotsList = GetDlgItem(Pages.Page(kSlotsPage), IDC_SLOTSLIST);
  SetUpReportList(SlotsList, {{L"Voice", 115, false},
                              {L"Speed", 55, true},
                              {L"Pitch", 55, true},
                              {L"Volume", 55, true},
                              {L"Hot key", 84, true}});

  HWND pronunciation = Pages.Page(kPronunciationPage);
  IgnoreCharacters_CheckBox = CheckBox(GetDlgItem(pronunciation, IDC_IGNORECHARACTERS_CHECKBOX));
  Ignored_Characters = EditBox(GetDlgItem(pronunciation, IDC_IGNORED_CHARACTERS));
  // The design text holds the first seven of the default characters; the
  // configuration load puts in the saved ones.
  Ignored_Characters.SetText(L"*\\/\"`_~");
  WordsCorr_CheckBox = CheckBox(GetDlgItem(pronunciation, IDC_WORDSCORR_CHECKBOX));
  Words_Table = GetDlgItem(pronunciation, IDC_WORDS_TABLE);
  SetUpReportList(Words_Table, {{L"         Word", 90, false},
                                {L"Pronunciation", 90, false},
                                {L"Case sensitive", 96, false}});

  HWND about = Pages.Page(kAboutPage);
  SetDlgItemTextW(about, IDC_HOMEPAGE_LINK, kMakerHomePage);
  aboutPage_ = std::make_unique<TAboutPage>(about, application_.Instance(), IDI_PROGRAM);
}

void TfrmMain::CreateHints() {
  hints_ = std::make_unique<THints>(Handle());
  for (const HotKeyEdit& edit : {Reading_HotKey, Options_HotKey, Stop_HotKey}) {
    hints_->Add(edit.Handle(), kHotKeyHint);
  }
  hints_->Add(Ignored_Characters.Handle(), kIgnoredCharactersHint);
}

void TfrmMain::SetFixedHotKeys() {
  defaultHotKey_->SetHotKey(Reading_HotKey.Value());
  optionsHotKey_->SetHotKey(Options_HotKey.Value());
  stopHotKey_->SetHotKey(Stop_HotKey.Value());
}

void TfrmMain::ActivateFixedHotKeys() {
  SetFixedHotKeys();
  for (GlobalHotKey* hotKey : {defaultHotKey_.get(), optionsHotKey_.get(), stopHotKey_.get()}) {
    hotKey->SetActive(true);
  }
}

void TfrmMain::ShowAtStart() {
  if (application_.Terminated()) return;
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

void TfrmMain::ShowPage(OptionsPage page) {
  ShowMainWindow();
  Pages.SetActivePage(page);
}

void TfrmMain::Options1Click() { ShowPage(kGeneralPage); }

void TfrmMain::OptionsHotKeyHotKey(GlobalHotKey&) { Options1Click(); }

// The menu shows what the hot key fields show at the moment it is drawn.
std::wstring TfrmMain::TrayMenuHotKeyText(UINT command) const {
  if (command == IDM_OPTIONS1) return WindowText(Options_HotKey.Handle());
  if (command == IDM_STOPREADING1) return WindowText(Stop_HotKey.Handle());
  return L"";
}

void TfrmMain::TrayIconDblClick() { ShowMainWindow(); }

bool TfrmMain::HandleCommand(WORD command) {
  switch (command) {
    case IDOK:
      BitBtn1Click();
      return true;
    case IDCANCEL:
      BitBtn2Click();
      return true;
    case IDC_TEST_BUTTON:
      Test_ButtonClick();
      return true;
    case IDC_WORD_TEST_BUTTON:
      BitBtn11Click();
      return true;
    case IDM_OPTIONS1:
      Options1Click();
      return true;
    case IDM_CONFIGUREVOICESLOTS1:
      ShowPage(kSlotsPage);
      return true;
    case IDM_ABOUT1:
      ShowPage(kAboutPage);
      return true;
    case IDM_GETMOREQUALITYVOICESNOW1:
    case IDC_MOREVOICES_LINK:
      if (partnerOffer_ != nullptr) partnerOffer_->Show();
      return true;
    case IDM_WEBSITE1:
    case IDC_HOMEPAGE_LINK:
      OpenWebAddress(kMakerHomePage);
      return true;
    case IDC_INFORMATION_LINK:
      OpenWebAddress(kProductPage);
      return true;
    case IDC_SUPPORT_LINK:
      OpenWebAddress(kSupportMailLink);
      return true;
    case IDM_STOPREADING1:
      reading_->PauseOrResume();
      return true;
    case IDM_EXIT1:
      Exit1Click();
      return true;
    default:
      return false;
  }
}

// The tray menu and the voice list are drawn by the program.
bool TfrmMain::HandleOwnerDraw(UINT message, LPARAM lParam, INT_PTR& result) {
  if (message == WM_MEASUREITEM) {
    auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    result = measure.CtlType == ODT_MENU ? trayMenu_->MeasureItem(measure)
                                         : VoicesList.MeasureItem(measure);
  } else {
    const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    result = draw.CtlType == ODT_MENU ? trayMenu_->DrawItem(draw) : VoicesList.DrawItem(draw);
  }
  return result != FALSE;
}

void TfrmMain::HandleTrayIconMessage(LPARAM mouseMessage) {
  if (mouseMessage == WM_RBUTTONUP) trayMenu_->Popup();
  if (mouseMessage == WM_LBUTTONDBLCLK) {
    // Then the menu's default item, "Options...", which also picks the first page.
    TrayIconDblClick();
    HandleCommand(static_cast<WORD>(trayMenu_->DefaultCommand()));
  }
}

void TfrmMain::DispatchHotKey(WPARAM identifier) {
  for (GlobalHotKey* hotKey : {defaultHotKey_.get(), optionsHotKey_.get(), stopHotKey_.get()}) {
    if (hotKey->HandleHotKey(identifier)) return;
  }
  for (const auto& hotKey : slotHotKeys_) {
    if (hotKey->HandleHotKey(identifier)) return;
  }
}

bool TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message == taskbarCreatedMessage_) {
    trayIcon_->TaskbarCreated();
    return false;
  }
  switch (message) {
    case WM_HOTKEY:
      DispatchHotKey(wParam);
      return true;
    case WM_QUERYENDSESSION:
      WMQueryEndSession();
      // Windows may always end: the settings are saved and everything released.
      SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
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
      if (!Pages.HandleSelectionChange(*reinterpret_cast<NMHDR*>(lParam))) return false;
      PagesChange();
      return true;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      return HandleOwnerDraw(message, lParam, result);
    case WM_HSCROLL:
      for (TrackBar* bar : {&Speed_Bar, &Pitch_Bar, &Volume_Bar}) {
        if (bar->Handle() == reinterpret_cast<HWND>(lParam)) bar->Scrolled();
      }
      return true;
    case WM_SHOWWINDOW:
      if (wParam != FALSE) FormShow();
      return false;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
      return false;
    case kConnectVoiceMessage:
      if (!engines_.Sapi5().Connected()) engines_.Sapi5().Connect();
      return true;
    case WM_TIMER:
      if (wParam == kEasterEggTimer) EasterEgg1TimerTimer();
      if (wParam == kTrayAnimationTimer) AdvanceTrayAnimation();
      return true;
    case WM_COMMAND:
      return HandleCommand(LOWORD(wParam));
    case TRAY_ICON_MESSAGE:
      HandleTrayIconMessage(lParam);
      return true;
    default:
      return false;
  }
}
