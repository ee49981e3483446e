#pragma once
// The main window `frmMain`: at once the options window and the owner of every
// long-lived object of the program (speech engines, reading controller, hot
// keys, tray, the options pages, the secondary windows). It wires them
// together; small adapter members answer what each of them asks. The pages'
// controls are the live settings that the rest of the program reads. Its
// member functions are defined in app/, a file for each concern.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/pages_reading_source.h"
#include "base/gdi.h"
#include "downloads/voices_window.h"
#include "reading/hot_keys.h"
#include "reading/reading_controller.h"
#include "settings/program_files.h"
#include "speech/engines.h"
#include "ui/about_page.h"
#include "ui/form.h"
#include "ui/general_page.h"
#include "ui/help.h"
#include "ui/options_pages.h"
#include "ui/partner_offer.h"
#include "ui/pronunciation_page.h"
#include "ui/slot_editor.h"
#include "ui/slots_page.h"
#include "ui/speech_page.h"
#include "ui/tray_presenter.h"
#include "ui/welcome_window.h"

class THints;

class TfrmMain : public TForm {
 public:
  // The program's files are where `files` says: the window reads and writes
  // no other.
  TfrmMain(TApplication& application, ProgramFiles files, std::vector<std::wstring> commandLine);
  ~TfrmMain() override;

  // Start-up, on the first run only: the welcome window, shown modally, what
  // follows when it closes, and then the engine download window.
  void ShowFirstRunWindows();
  // Start-up: the application becomes visible, or stays a tray icon only.
  void ShowAtStart();

 protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnCloseRequest() override;
  // The pages rebuild what they size or draw themselves.
  void LayOutForDpi() override { pages_.SetDpi(Dpi()); }

 private:
  // Tests reach the window's parts through this one probe (tests/win).
  friend class MainFormProbe;

  // Posted by the first activation of the window to connect the SAPI 5 voice.
  static constexpr UINT kConnectVoiceMessage = WM_APP + 2;

  // What the options pages, the editors and the partner window ask of the
  // window.
  class PageRequests final : public SpeechPageOwner,
                             public PronunciationPageOwner,
                             public AboutPageOwner,
                             public SlotsPageOwner,
                             public PartnerOfferOwner,
                             public VoicesWindowOwner {
   public:
    explicit PageRequests(TfrmMain& root) : root_(root) {}
    void SpeakTestText(const std::wstring& text) override;
    void SpeakPronunciation(const std::wstring& text) override;
    void ShowMoreVoices() override;
    void OpenAboutLink(AboutLink link) override;
    void SpeakSlotTest(int entry, const VoiceValues& values) override;
    void ShowHelp(HWND window, HelpTopic topic) override;
    void OpenEngineListPage() override;
    std::wstring DownloadBaseAddress() const override { return root_.downloadAddress_; }
    void ExitProgram() override { root_.ExitProgram(); }
    void LoadVoiceSlots() override { root_.LoadVoiceSlots(); }
    HotKeyRelease ReleaseHotKeys() override { return root_.hotKeys_->Release(); }
    std::vector<HotKeyWord> FixedHotKeys() const override { return root_.hotKeys_->FixedWords(); }

   private:
    TfrmMain& root_;
  };

  // What the hot keys ask of the window.
  class HotKeyRequests final : public HotKeysOwner {
   public:
    explicit HotKeyRequests(TfrmMain& root) : root_(root) {}
    void ShowOptions() override { root_.ShowOptions(); }
    void WarnHotKeyRefused(const std::wstring& text) override;
    bool ShowHotKeyNotice(const std::wstring& text) override;

   private:
    TfrmMain& root_;
  };

  // What the welcome window asks of the window.
  class WelcomeRequests final : public WelcomeOwner {
   public:
    explicit WelcomeRequests(TfrmMain& root) : root_(root) {}
    void SpeakGreeting(const std::wstring& greeting) override;
    void SilenceGreeting() override;

   private:
    TfrmMain& root_;
  };

  void FormCreate();
  void FormClose();
  void FormDestroy();
  // Restores the application, un-minimises, shows the window and brings it
  // to the foreground.
  void ShowMainWindow();
  // Tray menu "Options..." and the options hot key: the window on its
  // "General" page.
  void ShowOptions();
  void ShowPage(OptionsPage page);
  // Tray menu "Exit". Also what the download window's "Exit now?" runs, so
  // that an engine installer can replace files the program holds.
  void ExitProgram();
  void OpenWebAddress(const wchar_t* address) const;
  // The tray menu's commands, in menu order.
  std::vector<TrayCommand> TrayCommands();
  // The options window's "&Help" and F1: the active page's topic.
  void ShowOptionsHelp();

  // The first run's welcome (main_form_welcome.cpp): what its closing runs.
  void AfterWelcome();

  // The voice slots (main_form_slots.cpp): the slot table and the slot hot
  // keys rebuilt from slots.ini.
  void LoadVoiceSlots();

  // The options window (main_form_options.cpp).
  void FormShow();
  void FormActivate();
  // Ctrl+Tab and Ctrl+Shift+Tab turn the pages, as in any tabbed dialog;
  // answers whether the key was one of them.
  bool TurnPageByKey(WPARAM virtualKey);
  void OnOk();
  // "&Cancel" and Esc.
  void OnCancel();
  bool HandleCommand(WORD command);
  // The focused control by name, for the saved window placement.
  std::wstring ActiveControlName() const;
  void FocusControl(const std::wstring& name);

  // cfg.ini and the autostart value (main_form_settings.cpp).
  void LoadCfg();
  void SaveCfg();

  // The life cycle (main_form_lifecycle.cpp).
  void CreateControls();
  void CreateHints();
  void ReportNoSpeechEngines();
  // The close request is the user's, or the end of Windows runs it.
  enum class CloseRequester { User, EndOfWindows };
  bool FormCloseQuery();
  bool AnswerCloseRequest(CloseRequester requester);
  void ShowTrayNoticeOnce();
  void WMQueryEndSession();
  void WMEndSession(bool ending);
  void BeforeCloseActions();

  TApplication& application_;
  const ProgramFiles files_;
  THtmlHelp help_;
  std::vector<std::wstring> commandLine_;
  Engines engines_;
  PageRequests pageRequests_{*this};
  HotKeyRequests hotKeyRequests_{*this};
  WelcomeRequests welcomeRequests_{*this};
  TOptionsPages pages_;
  TGeneralPage generalPage_;
  TSpeechPage speechPage_;
  TSlotsPage slotsPage_;
  TPronunciationPage pronunciationPage_;
  TAboutPage aboutPage_;
  PagesReadingSource readingSource_{speechPage_, pronunciationPage_, slotsPage_};
  OwnedIcon programIcon_;
  std::unique_ptr<TTrayPresenter> tray_;
  std::unique_ptr<ReadingController> reading_;
  std::unique_ptr<HotKeys> hotKeys_;
  // Declared after the pages, so it goes before the controls it has hints for.
  std::unique_ptr<THints> hints_;
  std::unique_ptr<TfrmWelcome> welcome_;
  std::unique_ptr<TfrmVoices> voices_;
  std::unique_ptr<TfrmPartnerOffer> partnerOffer_;
  // Where the engine download window fetches installers from (cfg.ini).
  std::wstring downloadAddress_;
  bool firstRun_ = true;
  bool showWelcome_ = false;
  bool startMinimized_ = false;
  bool windowsEnding_ = false;
  // Until the first LoadCfg: that one restores the window placement, and only
  // later showings of the window reload the settings.
  bool firstLoad_ = true;
  bool activatedOnce_ = false;
  bool trayNoticeShown_ = false;
  // Set by the exit command: the close request that follows lets the window
  // close instead of hiding it in the tray.
  bool exiting_ = false;
};
