#pragma once
// The main window `frmMain`: at once the options window and the owner of every
// long-lived object of the program (speech engines, hot keys, tray icon, the
// options pages). The pages' controls are the live settings that the rest of
// the program reads. The member functions are defined in the files of the
// subsystems they belong to.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "reading/global_hotkey.h"
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
struct SlotVoiceSettings;

// The exit command marks the main window with this tag, so that the close
// request that follows lets the window close instead of hiding it in the tray.
inline constexpr int kExitMark = 777;
// Posted by the first activation of the window to connect the SAPI 5 voice.
inline constexpr UINT kConnectVoiceMessage = WM_APP + 2;
// The timers of the About page's colour animation and of the tray icon's.
inline constexpr UINT_PTR kEasterEggTimer = 1;
inline constexpr UINT_PTR kTrayAnimationTimer = 2;

class TfrmMain : public TForm,
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

  void FormCreate();
  bool FormCloseQuery();
  void FormClose();
  void FormDestroy();
  void Exit1Click();
  void WMQueryEndSession();
  void BeforeCloseActions();

  // Reading (reading/reading_control.cpp).
  void DefaultHotKeyHotKey(GlobalHotKey& hotKey);
  void SelectSlot(GlobalHotKey& hotKey);
  void OptionsHotKeyHotKey(GlobalHotKey& hotKey);
  void StopHotKeyHotKey(GlobalHotKey& hotKey);
  // Pause and resume, by the default voice's family.
  void Stopreading1Click();
  void SpeechAPI5StartStream();
  void SpeechAPI5EndStream();
  void SpeechAPI5Word();
  void SpeechAPI4Start();
  void SpeechAPI4Stop();
  void TrayAnimation_TimerTimer();
  // The text selected in the program the user works in, prepared with the
  // Pronunciation page's settings (reading/prepared_text.cpp).
  std::wstring GetSelectedText();
  // Tray menu "Options...": the window on its "General" page.
  void Options1Click();

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
  void OnCancel();  // also Esc
  void EasterEgg1TimerTimer();

  // The default voice (main_form_voice.cpp).
  void SelectDefaultVoice();
  void SpeakWithDefaultVoice(const std::wstring& text, bool purgeFirst);
  // Speaks with the SAPI 5 voice, the pitch prefix before the text.
  void SpeakBehindPitchPrefix(std::wstring_view text);
  // The family of the default voice's entry: 4 below the SAPI 4 engine count
  // (no selection included), 5 otherwise.
  int DefaultVoiceFamily() const;

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

  // Components.
  std::unique_ptr<GlobalHotKey> DefaultHotKey;
  std::unique_ptr<GlobalHotKey> OptionsHotKey;
  std::unique_ptr<GlobalHotKey> StopHotKey;
  // One per voice slot, named "SlotHotKey_<n>" with the slot number as tag;
  // the slot itself is row n of the "Voice slots" page.
  std::vector<std::unique_ptr<GlobalHotKey>> SlotHotKeys;
  std::unique_ptr<TTrayIcon> TrayIcon;
  std::unique_ptr<TTrayMenu> TrayMenu;

  // The program icon (Image2, and the idle icon Image5) and the two
  // animation frames (Image3, Image4).
  HICON Image2 = nullptr;
  HICON Image3 = nullptr;
  HICON Image4 = nullptr;
  HICON Image5 = nullptr;

  // Process-wide flags.
  bool firstRun = true;
  bool showWelcome = false;
  bool windowsEnding = false;
  // A reading is under way and not paused; a reading is paused.
  bool reading = false;
  bool paused = false;
  bool startMinimized = false;
  // Until the first LoadCfg: that one restores the window placement, and only
  // later showings of the window reload the settings.
  bool firstLoad = true;
  int Tag = 0;
  std::wstring helpFilePath;
  // Put before the text of every SAPI 5 reading; set by the reading paths.
  std::wstring PitchPrefix;
  // A failed reading says so by the system's warning sound, never by a
  // message box. Tests listen to it here.
  std::function<void()> WarningSound = [] { MessageBeep(MB_ICONEXCLAMATION); };

 protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnCloseRequest() override;

 private:
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
  void ConnectEngineEvents();
  void SetTrayAnimation(bool running);
  void ShowPauseCaption(bool pause);
  SlotVoiceSettings SlotSettings(int slot) const;
  void ReadWithSapi5Slot(const SlotVoiceSettings& slot);
  void ReadWithSapi4Slot(SlotVoiceSettings slot);
  void SpeakWithSapi4(const std::wstring& text);

  TApplication& application_;
  Engines engines_;
  std::vector<std::wstring> commandLine_;
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
  bool easterEggRunning_ = false;
  // The keys typed in the window, for the About page's colour animation.
  std::wstring typedKeys_;
  UINT taskbarCreatedMessage_;
};
