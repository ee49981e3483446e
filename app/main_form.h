#pragma once
// The main window `frmMain`: at once the options window and the owner of every
// long-lived object of the program (speech engines, hot keys, tray icon). Its
// controls are the live settings that the rest of the program reads. The
// member functions are defined in the folders of the subsystems they belong to.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "reading/global_hotkey.h"
#include "speech/ms_speech.h"
#include "speech/sp_voice.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/hotkey_edit.h"
#include "ui/options_pages.h"
#include "ui/tray_icon.h"
#include "ui/tray_menu.h"

class TfrmPartnerOffer;
class TfrmWelcome;

// The exit command marks the main window with this tag, so that the close
// request that follows lets the window close instead of hiding it in the tray.
inline constexpr int kExitMark = 777;

class TfrmMain : public TForm {
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
  void OptionsHotKeyHotKey(GlobalHotKey& hotKey);
  // Tray menu "Options...": the window on its "General" page.
  void Options1Click();

  // Sets the three application hot keys from the hot key edits; a changed word
  // re-registers, and each key is then activated.
  void ActivateFixedHotKeys();

  // Components.
  std::unique_ptr<TMSpeech> SpeechAPI4;
  TSpVoice SpeechAPI5;
  std::unique_ptr<GlobalHotKey> DefaultHotKey;
  std::unique_ptr<GlobalHotKey> OptionsHotKey;
  std::unique_ptr<GlobalHotKey> StopHotKey;
  // One per voice slot, named "SlotHotKey_<n>" with the slot number as tag.
  std::vector<std::unique_ptr<GlobalHotKey>> SlotHotKeys;
  std::unique_ptr<TTrayIcon> TrayIcon;
  std::unique_ptr<TTrayMenu> TrayMenu;

  // Controls holding live settings.
  TOptionsPages Pages;
  CheckBox AutoStart_CheckBox;
  CheckBox TrayIcon_CheckBox;
  HotKeyEdit Helper_HotKeyEx;
  HotKeyEdit Reading_HotKey;
  HotKeyEdit Options_HotKey;
  HotKeyEdit Stop_HotKey;

  // The program icon (Image2, and the idle icon Image5) and the two
  // animation frames (Image3, Image4).
  HICON Image2 = nullptr;
  HICON Image3 = nullptr;
  HICON Image4 = nullptr;
  HICON Image5 = nullptr;

  // Process-wide flags.
  bool sapi4Available = true;
  bool sapi5Available = true;
  bool firstRun = true;
  bool showWelcome = false;
  bool windowsEnding = false;
  bool startMinimized = false;
  int Tag = 0;
  std::wstring helpFilePath;

 protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnCloseRequest() override;

 private:
  void CreateControls();
  void LoadIcons();
  void ReportNoSpeechEngines();
  void WMEndSession(bool ending);
  bool HandleCommand(WORD command);
  void DispatchHotKey(WPARAM identifier);
  void HandleTrayIconMessage(LPARAM mouseMessage);
  void TrayIconDblClick();
  std::wstring TrayMenuHotKeyText(UINT command) const;
  void CancelClick();

  std::vector<std::wstring> commandLine_;
  TfrmWelcome* frmWelcome_ = nullptr;
  TfrmPartnerOffer* partnerOffer_ = nullptr;
  UINT taskbarCreatedMessage_;
};
