#pragma once
// The main window `frmMain`: at once the options window and the owner of every
// long-lived object of the program (speech engines, hot keys, tray icon). Its
// controls are the live settings that the rest of the program reads. The
// member functions are defined in the folders of the subsystems they belong to.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "base/gdi.h"
#include "reading/global_hotkey.h"
#include "reading/reading_controller.h"
#include "speech/engines.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/hotkey_edit.h"
#include "ui/options_pages.h"
#include "ui/track_bar.h"
#include "ui/tray_icon.h"
#include "ui/tray_menu.h"
#include "ui/voice_list.h"

class TAboutPage;
class TfrmPartnerOffer;
class TfrmWelcome;
class THints;
class ProfileFile;
struct NamedControl;
struct SlotVoiceSettings;

// Posted by the first activation of the window to connect the SAPI 5 voice.
inline constexpr UINT kConnectVoiceMessage = WM_APP + 2;
// The timers of the About page's colour animation and of the tray icon's.
inline constexpr UINT_PTR kEasterEggTimer = 1;
inline constexpr UINT_PTR kTrayAnimationTimer = 2;

class TfrmMain : public TForm, private ReadingSource, private ReadingFeedback {
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

  // What the reading hot keys and the pause command reach.
  ReadingController& ReadingControl() { return *reading_; }
  // Tray menu "Options...": the window on its "General" page.
  void Options1Click();
  // The options hot key does the same.
  void OptionsHotKeyHotKey(GlobalHotKey& hotKey);

  // Sets the three application hot keys from the hot key edits; a changed word
  // re-registers, and each key is then activated.
  void ActivateFixedHotKeys();

  // The options window (ui/options_window.cpp).
  void FormShow();
  void FormActivate();
  void FormKeyDown(WPARAM virtualKey);
  // Ctrl+Tab and Ctrl+Shift+Tab turn the pages, as in any tabbed dialog;
  // answers whether the key was one of them.
  bool TurnPageByKey(WPARAM virtualKey);
  void PagesChange();
  void BitBtn1Click();  // "&OK"
  void BitBtn2Click();  // "&Cancel" and Esc
  void EasterEgg1TimerTimer();

  // The voice catalogue and the default voice (speech/default_voice.cpp).
  void LoadVoicesList();
  void VoicesListChange(int oldIndex, int newIndex);
  void VoicesListClick();
  void Speed_BarChange();
  void Pitch_BarChange();
  void Volume_BarChange();
  void SelectDefaultVoice();
  void Test_ButtonClick();
  void BitBtn11Click();
  // The family of the entry selected in VoicesList: 4 below the SAPI 4
  // engine count (no selection included), 5 otherwise.
  int DefaultVoiceFamily() const;

  // cfg.ini and the autostart value (settings/cfg.cpp).
  void LoadCfg();
  void SaveCfg();

  // Both speech engine families.
  Engines& SpeechEngines() { return engines_; }

  // The application hot keys, the voice slots' hot keys and the tray, as
  // they stand.
  const GlobalHotKey& DefaultHotKey() const { return *defaultHotKey_; }
  const GlobalHotKey& OptionsHotKey() const { return *optionsHotKey_; }
  const GlobalHotKey& StopHotKey() const { return *stopHotKey_; }
  std::vector<std::unique_ptr<GlobalHotKey>>& SlotHotKeys() { return slotHotKeys_; }
  const TTrayIcon& TrayIcon() const { return *trayIcon_; }
  const TTrayMenu& TrayMenu() const { return *trayMenu_; }

  // What the start-up found: the first start of the program, the welcome
  // window due, the window staying in the tray.
  bool FirstRun() const { return firstRun_; }
  bool ShowWelcome() const { return showWelcome_; }
  bool StartMinimized() const { return startMinimized_; }
  const std::wstring& HelpFilePath() const { return helpFilePath_; }

  // The engine family (4 or 5) of each slot, by slot number; the slot's voice
  // and values are its row of SlotsList.
  std::vector<int> SlotFamilies;

  // Controls holding live settings.
  TOptionsPages Pages;
  CheckBox AutoStart_CheckBox;
  CheckBox TrayIcon_CheckBox;
  HotKeyEdit Helper_HotKeyEx;
  HotKeyEdit Reading_HotKey;
  HotKeyEdit Options_HotKey;
  HotKeyEdit Stop_HotKey;
  TVoiceList VoicesList;
  TrackBar Speed_Bar;
  TrackBar Pitch_Bar;
  TrackBar Volume_Bar;
  EditBox Edit1;  // speed as displayed and stored
  EditBox Edit2;  // pitch
  EditBox Edit3;  // volume
  EditBox Edit4;  // the test text
  HWND SlotsList = nullptr;
  CheckBox IgnoreCharacters_CheckBox;
  EditBox Ignored_Characters;
  CheckBox WordsCorr_CheckBox;
  HWND Words_Table = nullptr;

  // The tray icon at rest, which is the program icon, and the two frames of
  // its animation while a voice reads.
  HICON IdleIcon() const { return programIcon_.get(); }
  HICON WaveIcon1() const { return waveIcon1_.get(); }
  HICON WaveIcon2() const { return waveIcon2_.get(); }

  // The current entry of VoicesList is a SAPI 5 voice.
  bool defaultVoiceIsSapi5 = false;

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
  void CreatePageControls();
  void LoadGeneralSettings(const ProfileFile& config);
  void LoadPronunciationSettings(const ProfileFile& config);
  void SelectSavedDefaultVoice(const ProfileFile& config);
  int SavedDefaultVoiceIndex(const ProfileFile& config) const;
  void LoadDefaultVoiceValues(const ProfileFile& config);
  void WriteSettings(const ProfileFile& config) const;
  // The focused control by name, for the saved window placement.
  std::wstring ActiveControlName() const;
  void FocusControl(const std::wstring& name);
  HWND NamedControlHandle(const NamedControl& control) const;
  void SetFixedHotKeys();
  void CreateHints();
  bool HandleOwnerDraw(UINT message, LPARAM lParam, INT_PTR& result);
  void ShowPage(OptionsPage page);
  void SetTrayAnimation(bool running);
  void AdvanceTrayAnimation();
  // The reading controller's questions and reports.
  DefaultVoiceChoice DefaultVoice() const override;
  TextPreparationSettings PreparationSettings() const override;
  SlotVoiceSettings Slot(int slot) const override;
  void ReadingStateChanged(ReadingState state) override;
  void ReadingFailed() override;

  TApplication& application_;
  Engines engines_;
  std::unique_ptr<ReadingController> reading_;
  std::vector<std::wstring> commandLine_;
  std::unique_ptr<GlobalHotKey> defaultHotKey_;
  std::unique_ptr<GlobalHotKey> optionsHotKey_;
  std::unique_ptr<GlobalHotKey> stopHotKey_;
  // One per voice slot, named "SlotHotKey_<n>" with the slot number as tag.
  std::vector<std::unique_ptr<GlobalHotKey>> slotHotKeys_;
  std::unique_ptr<TTrayIcon> trayIcon_;
  std::unique_ptr<TTrayMenu> trayMenu_;
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
  std::unique_ptr<TAboutPage> aboutPage_;
  std::unique_ptr<THints> hints_;
  bool activatedOnce_ = false;
  bool trayNoticeShown_ = false;
  bool trayAnimationRunning_ = false;
  int trayAnimationFrame_ = 0;
  // Set by the exit command: the close request that follows lets the window
  // close instead of hiding it in the tray.
  bool exiting_ = false;
  OwnedIcon programIcon_;
  OwnedIcon waveIcon1_;
  OwnedIcon waveIcon2_;
  // The catalogue entry whose ranges and values the sliders show.
  int slidersEntry_ = -1;
  bool easterEggRunning_ = false;
  // The keys typed in the window, for the About page's colour animation.
  std::wstring typedKeys_;
  UINT taskbarCreatedMessage_;
};
