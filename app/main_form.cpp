// The main window as a window: its controls, showing and hiding, and the
// routing of its messages to the handlers.
#include "app/main_form.h"

#include <shellapi.h>

#include "app/application.h"
#include "app/res/resource.h"
#include "app/web_pages.h"
#include "base/dpi.h"
#include "base/exception_guard.h"
#include "ui/dpi_change.h"
#include "ui/hints.h"
#include "ui/partner_offer.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kTrayHint[] = L"Tolvane!";

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
      speechPage_(engines_, *this),
      pronunciationPage_(*this),
      aboutPage_(*this, IDI_PROGRAM, kMakerHomePage),
      taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")) {
  Create();
  dpi_ = WindowDpi(Handle());
  application_.SetMainForm(Handle());
  LoadIcons();
  CreateControls();
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
  pages_.Create(application_.Instance(), Handle(), GetDlgItem(Handle(), IDC_PAGES),
                {&generalPage_, &speechPage_, &slotsPage_, &pronunciationPage_, &aboutPage_});

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

void TfrmMain::CreateHints() {
  hints_ = std::make_unique<THints>(Handle());
  generalPage_.AddHints(*hints_);
  pronunciationPage_.AddHints(*hints_);
}

void TfrmMain::SetFixedHotKeys() {
  defaultHotKey_->SetHotKey(generalPage_.ReadingHotKey().Value());
  optionsHotKey_->SetHotKey(generalPage_.OptionsHotKey().Value());
  stopHotKey_->SetHotKey(generalPage_.StopHotKey().Value());
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
  pages_.SetActivePage(page);
}

// Windows scales nothing inside the window: the controls and their font are
// rescaled first, then the pages rebuild what they size or draw themselves,
// and the window takes the place Windows suggests.
void TfrmMain::DpiChanged(UINT dpi, LPARAM suggestedRect) {
  if (dpi != dpi_) {
    dialogFont_ = RescaleControls(Handle(), dpi_, dpi);
    pages_.SetDpi(dpi);
    dpi_ = dpi;
  }
  ApplyDpiChangedRect(Handle(), suggestedRect);
}

void TfrmMain::Options1Click() { ShowPage(kGeneralPage); }

void TfrmMain::OptionsHotKeyHotKey(GlobalHotKey&) { Options1Click(); }

// The menu shows what the hot key fields show at the moment it is drawn.
std::wstring TfrmMain::TrayMenuHotKeyText(UINT command) const {
  if (command == IDM_OPTIONS1) return WindowText(generalPage_.OptionsHotKey().Handle());
  if (command == IDM_STOPREADING1) return WindowText(generalPage_.StopHotKey().Handle());
  return L"";
}

void TfrmMain::TrayIconDblClick() { ShowMainWindow(); }

void TfrmMain::ShowMoreVoices() {
  if (partnerOffer_ != nullptr) partnerOffer_->Show();
}

void TfrmMain::OpenAboutLink(AboutLink link) {
  switch (link) {
    case AboutLink::HomePage:
      OpenWebAddress(kMakerHomePage);
      break;
    case AboutLink::ProgramInformation:
      OpenWebAddress(kProductPage);
      break;
    case AboutLink::TechnicalSupport:
      OpenWebAddress(kSupportMailLink);
      break;
  }
}

bool TfrmMain::HandleCommand(WORD command) {
  switch (command) {
    case IDOK:
      OnOk();
      return true;
    case IDCANCEL:
      OnCancel();
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
      ShowMoreVoices();
      return true;
    case IDM_WEBSITE1:
      OpenAboutLink(AboutLink::HomePage);
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

// The tray menu is drawn by the program; the voice list's page draws the list.
bool TfrmMain::HandleOwnerDraw(UINT message, LPARAM lParam, INT_PTR& result) {
  if (message == WM_MEASUREITEM) {
    auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    result = measure.CtlType == ODT_MENU && trayMenu_->MeasureItem(measure);
  } else {
    const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    result = draw.CtlType == ODT_MENU && trayMenu_->DrawItem(draw);
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
      if (!pages_.HandleSelectionChange(*reinterpret_cast<NMHDR*>(lParam))) return false;
      PagesChange();
      return true;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      return HandleOwnerDraw(message, lParam, result);
    case WM_DPICHANGED:
      DpiChanged(LOWORD(wParam), lParam);
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
      if (wParam == kEasterEggTimer) ShowNextAboutColours();
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
