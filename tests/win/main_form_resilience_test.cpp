// The main window in the set-ups that users meet by bad luck: an engine that
// fails, a program folder that cannot be written, the end of Windows. The
// program must start, keep its hot keys and never hold anybody up.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "tests/support/hotkey_probe_client.h"
#include "tests/win/main_form_test_support.h"

namespace {

using main_form_test::ConfigPath;
using main_form_test::ConfigText;
using main_form_test::WriteConfigText;

// Answers every message box of a window with OK, from a thread of its own,
// and counts them: the boxes run their own modal loops on the thread under
// test.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(HWND owner) : owner_(owner), thread_([this] { Run(); }) {}
  ~MessageBoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  int Answered() const { return answered_; }

 private:
  HWND OpenBox() const {
    for (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); box != nullptr;
         box = FindWindowExW(nullptr, box, L"#32770", nullptr)) {
      if (GetWindow(box, GW_OWNER) == owner_ && IsWindowVisible(box)) return box;
    }
    return nullptr;
  }

  void Run() {
    while (!stop_) {
      HWND box = OpenBox();
      if (box != nullptr) {
        ++answered_;
        SendMessageW(box, WM_COMMAND, IDOK, 0);
        // The box's window goes once its modal loop sees the answer.
        while (!stop_ && IsWindow(box)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  HWND owner_;
  std::atomic<bool> stop_{false};
  std::atomic<int> answered_{0};
  std::thread thread_;
};

class MainFormResilienceTest : public main_form_test::MainFormFixture {
 protected:
  // A folder left by a run that was cut short would spoil every later test.
  void SetUp() override {
    RemoveDirectoryW(ConfigPath().c_str());
    MainFormFixture::SetUp();
  }
  void TearDown() override {
    MainFormFixture::TearDown();
    RemoveDirectoryW(ConfigPath().c_str());
  }

  // The window came up whole: hot keys held, tray icon shown, voices listed.
  static void ExpectRunning(TfrmMain& frmMain) {
    EXPECT_TRUE(frmMain.DefaultHotKey().Active());
    EXPECT_EQ(ProbeHotKey(16392), HotKeyState::Taken);
    EXPECT_TRUE(frmMain.TrayIcon().Visible());
    EXPECT_GT(frmMain.SpeechPage().Picker().Count(), 0);
  }
};

}  // namespace

// Each engine that fails costs only itself.
TEST_F(MainFormResilienceTest, AnEngineThatFailsAtStartUpLeavesTheProgramRunning) {
  const std::string failingEngine =
      "sapi4.engine = Broken Mode | Bea | 50..250 | 80..160 | failselect\n";
  SCOPED_TRACE("a SAPI 5 voice that refuses its rate");
  TfrmMain& refusing =
      CreateMainForm(std::string(main_form_test::kBothFamilies) + "sapi5.fail = put_Rate\n");
  ExpectRunning(refusing);
  // Its sliders are still set up as a SAPI 5 voice's, so the first start's
  // values land in its range and show in its scale.
  const TVoicePicker& picker = refusing.SpeechPage().Picker();
  EXPECT_TRUE(picker.ShowsSapi5Voice());
  EXPECT_EQ(picker.SpeedBar().Min(), -10);
  EXPECT_EQ(picker.SpeedBox().Text(), L"180");
  EXPECT_EQ(picker.PitchBox().Text(), L"150");
  frmMain_.reset();

  SCOPED_TRACE("the only engine cannot be selected");
  Forget();
  ExpectRunning(CreateMainForm(failingEngine));
  frmMain_.reset();

  SCOPED_TRACE("that engine is the saved voice");
  Forget();
  WriteConfigText("[General]\r\nFirstRun=0\r\n[Speech]\r\nSAPIVersion=4\r\nVoice=Broken Mode\r\n");
  TfrmMain& frmMain = CreateMainForm(failingEngine + "sapi5.voice = Voice Alpha\n");
  ExpectRunning(frmMain);
  EXPECT_EQ(frmMain.SpeechPage().Picker().Entry(), 0);
}

// cfg.ini that is a folder can neither be read nor written, like a file in a
// folder the user may not write to.
TEST_F(MainFormResilienceTest, AFolderThatCannotBeWrittenNeitherStopsStartUpNorTrapsTheWindow) {
  ASSERT_TRUE(CreateDirectoryW(ConfigPath().c_str(), nullptr));
  TfrmMain& frmMain = CreateMainForm();
  ExpectRunning(frmMain);

  MessageBoxAnswerer answerer(frmMain.Handle());
  frmMain.ShowMainWindow();
  EXPECT_FALSE(frmMain.FormCloseQuery());
  frmMain.ShowMainWindow();
  EXPECT_FALSE(frmMain.FormCloseQuery());
  EXPECT_EQ(answerer.Answered(), 1);
}

// The notice would say the program goes to the tray while it is ending, and
// Windows would wait for it.
TEST_F(MainFormResilienceTest, TheEndOfWindowsSavesTheSettingsWithoutANotice) {
  TfrmMain& frmMain = CreateMainForm();
  frmMain.GeneralPage().ReadingHotKey().SetValue(32813);
  MessageBoxAnswerer answerer(frmMain.Handle());
  frmMain.WMQueryEndSession();
  EXPECT_EQ(answerer.Answered(), 0);
  EXPECT_NE(ConfigText().find("HotKey=32813"), std::string::npos);
  EXPECT_EQ(ConfigText().find("CloseMsg"), std::string::npos);
}
