#pragma once
// The main window `frmMain`: at once the options window and the owner of every
// long-lived object of the program (speech engines, hot keys, tray icon, the
// options pages). It wires them together and answers what they ask of it; the
// pages' controls are the live settings that the rest of the program reads.
// Its member functions are defined in app/, a file for each concern.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "base/gdi.h"
#include "reading/global_hotkey.h"
#include "reading/reading_controller.h"
#include "speech/engines.h"
#include "ui/about_page.h"
#include "ui/form.h"
#include "ui/general_page.h"
#include "ui/options_pages.h"
#include "ui/pronunciation_page.h"
#include "ui/slots_page.h"
#include "ui/speech_page.h"
#include "ui/tray_icon.h"
#include "ui/tray_menu.h"

class TfrmPartnerOffer;
class TfrmWelcome;
class THints;
struct NamedControl;

// Posted by the first activation of the window to connect the SAPI 5 voice.
inline constexpr UINT kConnectVoiceMessage = WM_APP + 2;
// The timers of the About page's colour animation and of the tray icon's.
inline constexpr UINT_PTR kEasterEggTimer = 1;
inline constexpr UINT_PTR kTrayAnimationTimer = 2;

class TfrmMain : public TForm,
                 private ReadingSource,
                 private ReadingFeedback,
                 private SpeechPageOwner,
                 private PronunciationPageOwner,
                 private AboutPageOwner {
 public:
  TfrmMain(TApplication& application, std::vector<std::wstring> commandLine);
  ~TfrmMain() override;

  // The windows created after this one that its commands reach.
  void SetSecondaryWindows(TfrmWelcome* welcome, TfrmPartnerOffer* partnerOffer) {
    frmWelcome_ = welcome;
    partnerOffer_ = partnerOffer;
  }

  // Start-up: the application becomes visible, or stays a tray icon only.
  void ShowAtStart();
  // Restores the application, un-minimises, shows the window and brings it
  // to the foreground.
  void ShowMainWindow();

  bool FormCloseQuery();
  void Exit1Click();
  void WMQueryEndSession();
  void BeforeCloseActions();

  // What the reading hot keys and the pause command reach.
  ReadingController& ReadingControl() { return *reading_; }
  // Tray menu "Options...": the window on its "General" page.
  void Options1Click();
  // "&Cancel" and Esc.
  void OnCancel();

  // cfg.ini and the autostart value (main_form_settings.cpp).
  void LoadCfg();
  void SaveCfg();

  // Both speech engine families.
  Engines& SpeechEngines() { return engines_; }

  // The options pages, whose controls hold the live settings.
  TOptionsPages& Pages() { return pages_; }
  const TOptionsPages& Pages() const { return pages_; }
  TGeneralPage& GeneralPage() { return generalPage_; }
  const TGeneralPage& GeneralPage() const { return generalPage_; }
  TSpeechPage& SpeechPage() { return speechPage_; }
  const TSpeechPage& SpeechPage() const { return speechPage_; }
  TSlotsPage& SlotsPage() { return slotsPage_; }
  const TSlotsPage& SlotsPage() const { return slotsPage_; }
  TPronunciationPage& PronunciationPage() { return pronunciationPage_; }
  const TPronunciationPage& PronunciationPage() const { return pronunciationPage_; }
  TAboutPage& AboutPage() { return aboutPage_; }

  // The application hot keys, the voice slots' hot keys and the tray, as
  // they stand.
  const GlobalHotKey& DefaultHotKey() const { return *defaultHotKey_; }
  const GlobalHotKey& OptionsHotKey() const { return *optionsHotKey_; }
  const GlobalHotKey& StopHotKey() const { return *stopHotKey_; }
  std::vector<std::unique_ptr<GlobalHotKey>>& SlotHotKeys() { return slotHotKeys_; }
  const TTrayIcon& TrayIcon() const { return *trayIcon_; }
  const TTrayMenu& TrayMenu() const { return *trayMenu_; }
  // The tray icon at rest, which is the program icon, and the two frames of
  // its animation while a voice reads.
  HICON IdleIcon() const { return programIcon_.get(); }
  HICON WaveIcon1() const { return waveIcon1_.get(); }
  HICON WaveIcon2() const { return waveIcon2_.get(); }

  // What the start-up found: the first start of the program, the welcome
  // window due, the window staying in the tray.
  bool FirstRun() const { return firstRun_; }
  bool ShowWelcome() const { return showWelcome_; }
  bool StartMinimized() const { return startMinimized_; }
  const std::wstring& HelpFilePath() const { return helpFilePath_; }

 protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnCloseRequest() override;

 private:
  void FormCreate();
  void FormClose();
  void FormDestroy();
  // The options hot key does what "Options..." does.
  void OptionsHotKeyHotKey(GlobalHotKey& hotKey);
  // Sets the three application hot keys from the hot key edits; a changed word
  // re-registers, and each key is then activated.
  void ActivateFixedHotKeys();

  // The options window (main_form_options.cpp).
  void FormShow();
  void FormActivate();
  void FormKeyDown(WPARAM virtualKey);
  // Ctrl+Tab and Ctrl+Shift+Tab turn the pages, as in any tabbed dialog;
  // answers whether the key was one of them.
  bool TurnPageByKey(WPARAM virtualKey);
  void PagesChange();
  void OnOk();
  void ShowNextAboutColours();

  void CreateControls();
  void LoadIcons();
  void ReportNoSpeechEngines();
  // The close request is the user's, or the end of Windows runs it.
  enum class CloseRequester { User, EndOfWindows };
  bool AnswerCloseRequest(CloseRequester requester);
  void ShowTrayNoticeOnce();
  void WMEndSession(bool ending);
  bool HandleCommand(WORD command);
  void DispatchHotKey(WPARAM identifier);
  void HandleTrayIconMessage(LPARAM mouseMessage);
  void TrayIconDblClick();
  std::wstring TrayMenuHotKeyText(UINT command) const;
  // What the pages ask for.
  void SpeakTestText(const std::wstring& text) override;
  void ShowMoreVoices() override;
  void OpenAboutLink(AboutLink link) override;
  // The focused control by name, for the saved window placement.
  std::wstring ActiveControlName() const;
  void FocusControl(const std::wstring& name);
  HWND NamedControlHandle(const NamedControl& control) const;
  void SetFixedHotKeys();
  void CreateHints();
  bool HandleOwnerDraw(UINT message, LPARAM lParam, INT_PTR& result);
  void ShowPage(OptionsPage page);
  // The window moved to a monitor of another DPI.
  void DpiChanged(UINT dpi, LPARAM suggestedRect);
  void SetTrayAnimation(bool running);
  void AdvanceTrayAnimation();
  // The reading controller's questions and reports.
  DefaultVoiceChoice DefaultVoice() const override;
  TextPreparationSettings PreparationSettings() const override;
  VoiceSlot Slot(int slot) const override;
  void ReadingStateChanged(ReadingState state) override;
  void ReadingFailed() override;

  TApplication& application_;
  Engines engines_;
  std::unique_ptr<ReadingController> reading_;
  std::vector<std::wstring> commandLine_;
  std::unique_ptr<GlobalHotKey> defaultHotKey_;
  std::unique_ptr<GlobalHotKey> optionsHotKey_;
  std::unique_ptr<GlobalHotKey> stopHotKey_;
  // One per voice slot, named "SlotHotKey_<n>", its handler holding n;
  // the slot itself is row n of the "Voice slots" page.
  std::vector<std::unique_ptr<GlobalHotKey>> slotHotKeys_;
  std::unique_ptr<TTrayIcon> trayIcon_;
  std::unique_ptr<TTrayMenu> trayMenu_;
  OwnedIcon programIcon_;
  OwnedIcon waveIcon1_;
  OwnedIcon waveIcon2_;
  bool firstRun_ = true;
  bool showWelcome_ = false;
  bool startMinimized_ = false;
  bool windowsEnding_ = false;
  // Until the first LoadCfg: that one restores the window placement, and only
  // later showings of the window reload the settings.
  bool firstLoad_ = true;
  std::wstring helpFilePath_;
  TfrmWelcome* frmWelcome_ = nullptr;
  TfrmPartnerOffer* partnerOffer_ = nullptr;
  TOptionsPages pages_;
  TGeneralPage generalPage_;
  TSpeechPage speechPage_;
  TSlotsPage slotsPage_;
  TPronunciationPage pronunciationPage_;
  TAboutPage aboutPage_;
  // Declared after the pages, so it goes before the controls it has hints for.
  std::unique_ptr<THints> hints_;
  bool activatedOnce_ = false;
  bool trayNoticeShown_ = false;
  bool trayAnimationRunning_ = false;
  int trayAnimationFrame_ = 0;
  // Set by the exit command: the close request that follows lets the window
  // close instead of hiding it in the tray.
  bool exiting_ = false;
  bool easterEggRunning_ = false;
  // The keys typed in the window, for the About page's colour animation.
  std::wstring typedKeys_;
  UINT taskbarCreatedMessage_;
  // The DPI the window and its controls are laid out for, and their font
  // when it had to be remade for another DPI than the template's.
  UINT dpi_ = 0;
  OwnedFont dialogFont_;
};
