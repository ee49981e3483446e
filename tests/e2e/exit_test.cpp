// Ending the program: "Exit" from the tray menu when idle, during a reading
// and after a pause, an installer closing the running copy, and closing the
// options window with the tray option off.
// Each way saves the settings and leaves no speech running.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "ui/ui_resources.h"

namespace {

// The exit pauses the voice and purges it, then pauses the engine.
const std::vector<std::string> kSilenced{"sapi5 Pause", "sapi5 Speak \"\" 2", "sapi4 AudioPause"};

std::wstring LongText() {
  std::wstring text;
  for (int word = 0; word < 300; ++word) text += L"word ";
  return text;
}

enum class ExitWay { TrayMenu, AsASetupDoes };

// The options window is open and its reading hot key changed but not
// confirmed, so only the save on the way out can keep the new key.
class Ending : public TolvaneTest {
 protected:
  void SetUp() override {
    // Started, it holds every fixed key: the options hot key is registered
    // after the reading one.
    Start();
    ASSERT_TRUE(PressKey(VK_F11, {VK_CONTROL}));
    main_ = tolvane_->WaitForWindow(kOptionsTitle);
    ASSERT_NE(main_, nullptr) << "with the fixed hot keys "
                              << (HoldsFixedHotKeys() ? "held" : "no longer all held");
    ASSERT_TRUE(
        TypeHotKey(FindControlById(main_, IDC_READING_HOTKEY), kCtrlShiftF6, L"Shift+Ctrl+F6"));
  }

  // Reads a long text from Notepad with the SAPI 5 default voice; answers the
  // Speak that handed it over, once its stream has started.
  LogEntry StartReading() {
    notepad_ = std::make_unique<NotepadProcess>(folder_.Path(), LongText());
    EXPECT_TRUE(notepad_->SelectAll());
    LogEntry speak, started;
    EXPECT_TRUE(PressTheReadingKey(folder_, speak));
    EXPECT_TRUE(folder_.WaitForCall("sapi5", "event StartStream", speak.milliseconds, started));
    return speak;
  }

  // By default what the tray menu's "Exit" item sends; a setup or an
  // uninstaller instead closes the hidden application window that identifies
  // a running copy.
  void ExitAndWaitForTheEnd(ExitWay way = ExitWay::TrayMenu) {
    exitAt_ = LogClockMilliseconds();
    if (way == ExitWay::AsASetupDoes) {
      ASSERT_TRUE(CloseAsASetupDoes());
    } else {
      PostMessageW(main_, WM_COMMAND, IDM_TRAY_EXIT, 0);
    }
    ASSERT_TRUE(tolvane_->WaitForExit());
  }

  unsigned SavedReadingHotKey() const {
    return GetPrivateProfileIntW(L"General", L"HotKey", 0, folder_.File(L"cfg.ini").c_str());
  }

  // What silenced the engines from the exit on: Pause and the purge (a Speak
  // of nothing with flags 2) on the reading's voice, AudioPause on the engine.
  std::vector<std::string> SilencingAfterTheExit(long voice) const {
    std::vector<std::string> calls;
    for (const LogEntry& entry : folder_.StandinLog()) {
      if (entry.milliseconds < exitAt_) continue;
      const bool onTheVoice = entry.api == "sapi5" && entry.objectId == voice &&
                              (entry.method == "Pause" || entry.method == "Speak");
      const bool onTheEngine = entry.api == "sapi4" && entry.method == "AudioPause";
      if (!onTheVoice && !onTheEngine) continue;
      calls.push_back(entry.api + " " + entry.method +
                      (entry.arguments.empty() ? "" : " " + entry.arguments));
    }
    return calls;
  }

  // An exit that way during a reading silences it, saves and lets go of the keys.
  void ExpectAnExitDuringAReadingToSilenceSaveAndRelease(ExitWay way) {
    const LogEntry speak = StartReading();
    ExitAndWaitForTheEnd(way);
    EXPECT_EQ(SilencingAfterTheExit(speak.objectId), kSilenced);
    EXPECT_EQ(SavedReadingHotKey(), kCtrlShiftF6);
    EXPECT_TRUE(ReleasedFixedHotKeys());
  }

  std::unique_ptr<NotepadProcess> notepad_;
  double exitAt_ = 0;
};

}  // namespace

TEST_F(Ending, ExitDuringAReadingSilencesItSavesAndReleasesTheHotKeys) {
  ExpectAnExitDuringAReadingToSilenceSaveAndRelease(ExitWay::TrayMenu);
}

TEST_F(Ending, ClosingTheApplicationWindowDuringAReadingExitsAsTheTrayExitDoes) {
  ExpectAnExitDuringAReadingToSilenceSaveAndRelease(ExitWay::AsASetupDoes);
}

// The pause key pauses the reading's voice and resumes it. The pause holds
// the SAPI 4 engine too, which then refuses a second pause: the exit must
// still go on to save and close.
TEST_F(Ending, ThePauseKeyPausesAndResumesAndAnExitAfterAPauseSilencesAndSaves) {
  const LogEntry speak = StartReading();
  LogEntry paused, resumed, pausedAgain;
  ASSERT_TRUE(PressKey(VK_F12, {VK_CONTROL}));
  ASSERT_TRUE(folder_.WaitForCall("sapi5", "Pause", speak.milliseconds, paused));
  EXPECT_EQ(paused.objectId, speak.objectId);
  ASSERT_TRUE(PressKey(VK_F12, {VK_CONTROL}));
  ASSERT_TRUE(folder_.WaitForCall("sapi5", "Resume", paused.milliseconds, resumed));
  EXPECT_EQ(resumed.objectId, speak.objectId);
  ASSERT_TRUE(PressKey(VK_F12, {VK_CONTROL}));
  ASSERT_TRUE(folder_.WaitForCall("sapi4", "AudioPause", resumed.milliseconds, pausedAgain));
  ExitAndWaitForTheEnd();
  EXPECT_EQ(SilencingAfterTheExit(speak.objectId), kSilenced);
  EXPECT_EQ(SavedReadingHotKey(), kCtrlShiftF6);
}

TEST_F(Ending, ClosingWithTheTrayOptionOffSavesAndEndsTheProgram) {
  HWND trayOption = FindControl(main_, L"&Minimize to system tray on window closing");
  ASSERT_NE(trayOption, nullptr);
  SendMessageW(trayOption, BM_CLICK, 0, 0);
  ASSERT_EQ(SendMessageW(trayOption, BM_GETCHECK, 0, 0), BST_UNCHECKED);

  PostMessageW(main_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(tolvane_->WaitForExit());
  EXPECT_EQ(SavedReadingHotKey(), kCtrlShiftF6);
  EXPECT_EQ(
      GetPrivateProfileIntW(L"General", L"MinimizeToTray", 1, folder_.File(L"cfg.ini").c_str()),
      0u);
  EXPECT_TRUE(ReleasedFixedHotKeys());
}
