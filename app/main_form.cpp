// The main window as a window: its controls, showing and hiding, and the
// routing of its messages to the handlers.
#include "app/main_form.h"

#include <shellapi.h>

#include "app/application.h"
#include "app/res/resource.h"
#include "app/web_pages.h"
#include "ui/partner_offer.h"

namespace {

constexpr wchar_t kTrayHint[] = L"Tolvane!";
// Design values of the hot key edits: Alt+Ins, Ctrl+F11, Ctrl+F12.
constexpr ShortCut kReadingHotKeyDesign = 32813;
constexpr ShortCut kOptionsHotKeyDesign = 16506;
constexpr ShortCut kStopHotKeyDesign = 16507;

HICON LoadSmallIcon(HINSTANCE instance, int id) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
}

}  // namespace

TfrmMain::TfrmMain(TApplication& application, std::vector<std::wstring> commandLine)
    : TForm(application, IDD_MAIN),
      SpeechAPI4(std::make_unique<TMSpeech>()),
      commandLine_(std::move(commandLine)),
      taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")) {
  Create();
  application_.SetMainForm(Handle());
  LoadIcons();
  CreateControls();
  FormCreate();
}

TfrmMain::~TfrmMain() {
  FormDestroy();
  for (HICON icon : {Image2, Image3, Image4}) DestroyIcon(icon);
}

void TfrmMain::LoadIcons() {
  HINSTANCE instance = application_.Instance();
  Image2 = LoadSmallIcon(instance, IDI_PROGRAM);
  Image3 = LoadSmallIcon(instance, IDI_FRAME1);
  Image4 = LoadSmallIcon(instance, IDI_FRAME2);
  Image5 = Image2;
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

  // The reading and pause keys have no handler here: they are registered so
  // that the keys belong to this program from the start.
  DefaultHotKey = std::make_unique<GlobalHotKey>(Handle(), L"DefaultHotKey", nullptr);
  OptionsHotKey = std::make_unique<GlobalHotKey>(
      Handle(), L"OptionsHotKey", [this](GlobalHotKey& hotKey) { OptionsHotKeyHotKey(hotKey); });
  StopHotKey = std::make_unique<GlobalHotKey>(Handle(), L"StopHotKey", nullptr);

  TrayMenu = std::make_unique<TTrayMenu>(
      Handle(), Image2, [this](UINT command) { return TrayMenuHotKeyText(command); });
  TrayIcon = std::make_unique<TTrayIcon>(Handle(), TRAY_ICON_MESSAGE);
  TrayIcon->SetHint(kTrayHint);
  TrayIcon->SetIcon(Image2);
  application_.SetMinimizeHandler([this] {
    if (!TrayIcon->MinimizeToTray()) return false;
    ShowWindow(Handle(), SW_HIDE);
    return true;
  });
}

void TfrmMain::ActivateFixedHotKeys() {
  DefaultHotKey->SetHotKey(Reading_HotKey.Value());
  OptionsHotKey->SetHotKey(Options_HotKey.Value());
  StopHotKey->SetHotKey(Stop_HotKey.Value());
  for (GlobalHotKey* hotKey : {DefaultHotKey.get(), OptionsHotKey.get(), StopHotKey.get()}) {
    hotKey->SetActive(true);
  }
}

void TfrmMain::ShowAtStart() {
  if (application_.Terminated()) return;
  if (startMinimized) {
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

void TfrmMain::Options1Click() {
  ShowMainWindow();
  Pages.SetActivePage(kGeneralPage);
}

void TfrmMain::CancelClick() { application_.Minimize(); }

// The menu shows what the hot key fields show at the moment it is drawn.
std::wstring TfrmMain::TrayMenuHotKeyText(UINT command) const {
  if (command == IDM_OPTIONS1) return WindowText(Options_HotKey.Handle());
  if (command == IDM_STOPREADING1) return WindowText(Stop_HotKey.Handle());
  return L"";
}

void TfrmMain::TrayIconDblClick() { ShowMainWindow(); }

bool TfrmMain::HandleCommand(WORD command) {
  switch (command) {
    case IDCANCEL:
      CancelClick();
      return true;
    case IDM_OPTIONS1:
      Options1Click();
      return true;
    case IDM_CONFIGUREVOICESLOTS1:
      ShowMainWindow();
      Pages.SetActivePage(kSlotsPage);
      return true;
    case IDM_ABOUT1:
      ShowMainWindow();
      Pages.SetActivePage(kAboutPage);
      return true;
    case IDM_GETMOREQUALITYVOICESNOW1:
      if (partnerOffer_ != nullptr) partnerOffer_->Show();
      return true;
    case IDM_WEBSITE1:
      ShellExecuteW(nullptr, L"open", kMakerHomePage, L"", L"", SW_SHOWNORMAL);
      return true;
    case IDM_EXIT1:
      Exit1Click();
      return true;
    default:
      return false;
  }
}

void TfrmMain::HandleTrayIconMessage(LPARAM mouseMessage) {
  if (mouseMessage == WM_RBUTTONUP) TrayMenu->Popup();
  if (mouseMessage == WM_LBUTTONDBLCLK) {
    // Then the menu's default item, "Options...", which also picks the first page.
    TrayIconDblClick();
    HandleCommand(static_cast<WORD>(TrayMenu->DefaultCommand()));
  }
}

void TfrmMain::DispatchHotKey(WPARAM identifier) {
  for (GlobalHotKey* hotKey : {DefaultHotKey.get(), OptionsHotKey.get(), StopHotKey.get()}) {
    if (hotKey->HandleHotKey(identifier)) return;
  }
  for (const auto& hotKey : SlotHotKeys) {
    if (hotKey->HandleHotKey(identifier)) return;
  }
}

bool TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message == taskbarCreatedMessage_) {
    TrayIcon->TaskbarCreated();
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
      return Pages.HandleSelectionChange(*reinterpret_cast<NMHDR*>(lParam));
    case WM_MEASUREITEM:
      result = TrayMenu->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return result != FALSE;
    case WM_DRAWITEM:
      result = TrayMenu->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return result != FALSE;
    case WM_COMMAND:
      return HandleCommand(LOWORD(wParam));
    case TRAY_ICON_MESSAGE:
      HandleTrayIconMessage(lParam);
      return true;
    default:
      return false;
  }
}
