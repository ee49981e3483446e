// The pause/resume command and Exit with a SAPI 4 default voice, against
// each documented way an engine answers a pause: refusing a second pause
// (the default), accepting it ("pauseok"), and reporting the pause and the
// resume as AudioStop and AudioStart ("pausenotify").
#include <gtest/gtest.h>

#include <string>

#include "tests/win/main_form_probe.h"
#include "ui/tray_menu.h"
#include "ui/ui_resources.h"

namespace {

class Sapi4PauseVariationsTest : public main_form_test::MainFormFixture,
                                 public ::testing::WithParamInterface<const char*> {
 protected:
  // The only entry is the engine, so it is the default voice; its test
  // test speech starts a reading of a few seconds.
  MainFormProbe& Reading() {
    MainFormProbe& frmMain = CreateMainForm(
        std::string(
            "pace.ms_per_word = 40\nsapi4.engine = Engine Mode One | Ann | 50..250 | 80..160 | ") +
        GetParam() + "\n");
    std::wstring text;
    for (int word = 0; word < 40; ++word) text += L"word ";
    frmMain.ReadingControl().SpeakWithDefaultVoice(text, true);
    EXPECT_TRUE(PumpApplicationUntil([&] { return frmMain.ReadingControl().Reading(); }));
    return frmMain;
  }

  // The command, then whatever the engine reports on it.
  void PauseOrResume(MainFormProbe& frmMain) {
    frmMain.ReadingControl().PauseOrResume();
    ASSERT_TRUE(PumpApplicationUntilQuiet());
  }

  void ExpectPaused(MainFormProbe& frmMain) {
    EXPECT_TRUE(frmMain.ReadingControl().Paused());
    EXPECT_FALSE(frmMain.ReadingControl().Reading());
    EXPECT_EQ(frmMain.Tray().PauseCaption(), kResumeCaption);
    EXPECT_EQ(frmMain.Tray().Picture(), TrayPicture::Idle);
  }

  void ExpectReading(MainFormProbe& frmMain) {
    EXPECT_FALSE(frmMain.ReadingControl().Paused());
    EXPECT_TRUE(frmMain.ReadingControl().Reading());
    EXPECT_EQ(frmMain.Tray().PauseCaption(), kPauseCaption);
  }
};

TEST_P(Sapi4PauseVariationsTest, PauseAndResumeHoldAndGoOnToTheEnd) {
  MainFormProbe& frmMain = Reading();
  PauseOrResume(frmMain);
  ExpectPaused(frmMain);
  PauseOrResume(frmMain);
  ExpectReading(frmMain);
  // Two presses handled before the engine's answers to the first come in.
  PauseOrResume(frmMain);
  frmMain.ReadingControl().PauseOrResume();
  PauseOrResume(frmMain);
  ExpectPaused(frmMain);
  PauseOrResume(frmMain);
  ExpectReading(frmMain);
  ASSERT_TRUE(PumpApplicationUntil([&] { return !frmMain.ReadingControl().Reading(); },
                                   std::chrono::seconds(20)));
  EXPECT_FALSE(frmMain.ReadingControl().Paused());
  EXPECT_EQ(frmMain.Tray().PauseCaption(), kPauseCaption);
  EXPECT_EQ(frmMain.Tray().Picture(), TrayPicture::Idle);
}

TEST_P(Sapi4PauseVariationsTest, ExitAfterAPauseKeepsTheReadingSilentAndSaves) {
  MainFormProbe& frmMain = Reading();
  PauseOrResume(frmMain);
  // A key changed after the start that wrote cfg.ini: only the exit's save keeps it.
  frmMain.HotKeyField(IDC_READING_HOTKEY).SetValue(32813);  // Alt+Ins
  frmMain.Command(IDM_TRAY_EXIT);
  EXPECT_TRUE(application_.Terminated());
  // The quit message would end the message loops of the tests that follow.
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_NE(ConfigText().find("HotKey=32813\r\n"), std::string::npos);
  EXPECT_TRUE(frmMain.SpeechEngines().Sapi4().Paused());
  EXPECT_TRUE(standins_.Logged("sapi4", "AudioResume").empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, Sapi4PauseVariationsTest,
                         ::testing::Values("", "pauseok", "pausenotify"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(*info.param == '\0' ? "refusing" : info.param);
                         });

}  // namespace
