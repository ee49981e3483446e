// The pause/resume command and Exit with a SAPI 4 default voice, against
// each documented way an engine answers a pause: refusing a second pause
// (the default), accepting it ("pauseok"), and reporting the pause and the
// resume as AudioStop and AudioStart ("pausenotify").
#include <gtest/gtest.h>

#include <string>

#include "app/res/resource.h"
#include "tests/win/main_form_test_support.h"
#include "ui/tray_menu.h"

namespace {

using main_form_test::PumpApplicationUntil;

class Sapi4PauseVariationsTest : public main_form_test::MainFormFixture,
                                 public ::testing::WithParamInterface<const char*> {
 protected:
  // The only entry is the engine, so it is the default voice; its test
  // test speech starts a reading of a few seconds.
  TfrmMain& Reading() {
    TfrmMain& frmMain = CreateMainForm(
        std::string(
            "pace.ms_per_word = 40\nsapi4.engine = Engine Mode One | Ann | 50..250 | 80..160 | ") +
        GetParam() + "\n");
    std::wstring text;
    for (int word = 0; word < 40; ++word) text += L"word ";
    frmMain.ReadingControl().SpeakWithDefaultVoice(text, true);
    EXPECT_TRUE(
        PumpApplicationUntil(application_, [&] { return frmMain.ReadingControl().Reading(); }));
    return frmMain;
  }

  // The command, then whatever the engine reports on it.
  void PauseOrResume(TfrmMain& frmMain) {
    frmMain.ReadingControl().PauseOrResume();
    ASSERT_TRUE(main_form_test::PumpApplicationUntilPostedHandled(application_));
  }

  void ExpectPaused(TfrmMain& frmMain) {
    EXPECT_TRUE(frmMain.ReadingControl().Paused());
    EXPECT_FALSE(frmMain.ReadingControl().Reading());
    EXPECT_EQ(frmMain.TrayMenu().Caption(IDM_STOPREADING1), kResumeCaption);
    EXPECT_EQ(frmMain.TrayIcon().Icon(), frmMain.IdleIcon());
  }

  void ExpectReading(TfrmMain& frmMain) {
    EXPECT_FALSE(frmMain.ReadingControl().Paused());
    EXPECT_TRUE(frmMain.ReadingControl().Reading());
    EXPECT_EQ(frmMain.TrayMenu().Caption(IDM_STOPREADING1), kPauseCaption);
  }
};

TEST_P(Sapi4PauseVariationsTest, PauseAndResumeHoldAndGoOnToTheEnd) {
  TfrmMain& frmMain = Reading();
  PauseOrResume(frmMain);
  ExpectPaused(frmMain);
  PauseOrResume(frmMain);
  ExpectReading(frmMain);
  ASSERT_TRUE(PumpApplicationUntil(
      application_, [&] { return !frmMain.ReadingControl().Reading(); }, std::chrono::seconds(20)));
  EXPECT_FALSE(frmMain.ReadingControl().Paused());
  EXPECT_EQ(frmMain.TrayMenu().Caption(IDM_STOPREADING1), kPauseCaption);
  EXPECT_EQ(frmMain.TrayIcon().Icon(), frmMain.IdleIcon());
}

// Two presses handled before the engine's answers to the first come in.
TEST_P(Sapi4PauseVariationsTest, AQuickResumeAndPauseEndPaused) {
  TfrmMain& frmMain = Reading();
  PauseOrResume(frmMain);
  frmMain.ReadingControl().PauseOrResume();
  PauseOrResume(frmMain);
  ExpectPaused(frmMain);
  PauseOrResume(frmMain);
  ExpectReading(frmMain);
}

TEST_P(Sapi4PauseVariationsTest, ExitAfterAPauseKeepsTheReadingSilentAndSaves) {
  TfrmMain& frmMain = Reading();
  PauseOrResume(frmMain);
  // A key changed after the start that wrote cfg.ini: only the exit's save keeps it.
  frmMain.GeneralPage().ReadingHotKey().SetValue(32813);  // Alt+Ins
  frmMain.Exit1Click();
  EXPECT_TRUE(application_.Terminated());
  // The quit message would end the message loops of the tests that follow.
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_NE(main_form_test::ConfigText().find("HotKey=32813\r\n"), std::string::npos);
  EXPECT_TRUE(frmMain.SpeechEngines().Sapi4().Paused());
  EXPECT_TRUE(standins_.Logged("sapi4", "AudioResume").empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, Sapi4PauseVariationsTest,
                         ::testing::Values("", "pauseok", "pausenotify"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(*info.param == '\0' ? "refusing" : info.param);
                         });

}  // namespace
