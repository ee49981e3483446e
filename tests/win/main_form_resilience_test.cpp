// The main window in the set-ups that users meet by bad luck: an engine that
// fails, a program folder that cannot be written, the end of Windows. The
// program must start, keep its hot keys and never hold anybody up.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/hotkey_probe_client.h"
#include "tests/support/window_class.h"
#include "tests/win/main_form_probe.h"

namespace {

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
  // The window came up whole: hot keys held, tray icon shown, voices listed.
  static void ExpectRunning(MainFormProbe& frmMain) {
    EXPECT_TRUE(frmMain.DefaultHotKey().Active());
    EXPECT_EQ(ProbeHotKey(16392), HotKeyState::Taken);
    EXPECT_TRUE(frmMain.Tray().Visible());
    EXPECT_GT(frmMain.SpeechPage().Picker().Count(), 0);
  }
};

}  // namespace

// Each engine that fails costs only itself.
TEST_F(MainFormResilienceTest, AnEngineThatFailsAtStartUpLeavesTheProgramRunning) {
  const std::string failingEngine =
      "sapi4.engine = Broken Mode | Bea | 50..250 | 80..160 | failselect\n";
  SCOPED_TRACE("a SAPI 5 voice that refuses its rate");
  MainFormProbe& refusing =
      CreateMainForm(std::string(main_form_test::kBothFamilies) + "sapi5.fail = put_Rate\n");
  ExpectRunning(refusing);
  // Its sliders are still set up as a SAPI 5 voice's, so the first start's
  // values land in its range and show in its scale.
  const TVoicePicker& picker = refusing.SpeechPage().Picker();
  EXPECT_TRUE(picker.ShowsSapi5Voice());
  EXPECT_EQ(picker.SpeedBar().Min(), -10);
  EXPECT_EQ(picker.SpeedBox().Text(), L"180");
  EXPECT_EQ(picker.PitchBox().Text(), L"150");
  DestroyMainForm();

  SCOPED_TRACE("the only engine cannot be selected");
  Forget();
  ExpectRunning(CreateMainForm(failingEngine));
  DestroyMainForm();

  SCOPED_TRACE("that engine is the saved voice");
  Forget();
  WriteConfigText("[General]\r\nFirstRun=0\r\n[Speech]\r\nSAPIVersion=4\r\nVoice=Broken Mode\r\n");
  MainFormProbe& frmMain = CreateMainForm(failingEngine + "sapi5.voice = Voice Alpha\n");
  ExpectRunning(frmMain);
  EXPECT_EQ(frmMain.SpeechPage().Picker().Entry(), 0);

  SCOPED_TRACE("the SAPI 5 family's check fails: it counts as missing");
  Forget();
  MainFormProbe& withoutSapi5 =
      CreateMainForm(std::string(main_form_test::kBothFamilies) + "sapi5.fail = GetVoices\n");
  EXPECT_FALSE(withoutSapi5.SpeechEngines().Sapi5Available());
  EXPECT_TRUE(withoutSapi5.SpeechEngines().Sapi4Available());
  ExpectRunning(withoutSapi5);
}

// cfg.ini that is a folder can neither be read nor written, like a file in a
// folder the user may not write to.
TEST_F(MainFormResilienceTest, AFolderThatCannotBeWrittenNeitherStopsStartUpNorTrapsTheWindow) {
  ASSERT_TRUE(CreateDirectoryW(ConfigPath().c_str(), nullptr));
  MainFormProbe& frmMain = CreateMainForm();
  ExpectRunning(frmMain);
  ASSERT_NE(AutostartValue(), L"<none>");

  MessageBoxAnswerer answerer(frmMain.Handle());
  frmMain.ShowMainWindow();
  EXPECT_FALSE(frmMain.FormCloseQuery());
  frmMain.ShowMainWindow();
  // The autostart choice is the registry's, not the folder's.
  frmMain.GeneralPage().SetAutostart(false);
  EXPECT_FALSE(frmMain.FormCloseQuery());
  EXPECT_EQ(answerer.Answered(), 1);
  EXPECT_EQ(AutostartValue(), L"<none>");
}

// A copy under Program Files: its folder refuses new files, so a start finds
// its settings in the user's application data folder, and the second start
// is not a first start again (which would show the window and turn
// autostart on at every start).
TEST_F(MainFormResilienceTest, AProgramFolderThatCannotBeWrittenKeepsTheSettingsInAppData) {
  // A folder below a file can hold no file.
  const std::wstring lockedFolder = programFolder_.File(L"cfg.ini") + L"\\Tolvane";
  WriteConfigText("");
  TempFolder appData;
  files_ = ChooseProgramFiles(lockedFolder, appData.Path());
  ASSERT_EQ(files_.mainSettings, appData.File(L"Tolvane\\cfg.ini"));

  MainFormProbe& first = CreateMainForm();
  EXPECT_TRUE(first.FirstRun());
  first.HotKeyField(IDC_READING_HOTKEY).SetValue(32813);
  first.SaveCfg();
  DisableAutostart();

  MainFormProbe& second = CreateMainForm();
  EXPECT_FALSE(second.FirstRun());
  EXPECT_TRUE(second.StartMinimized());
  EXPECT_EQ(second.GeneralPage().Current().readingHotKey, 32813);
  EXPECT_NE(ConfigText().find("HotKey=32813"), std::string::npos);
  EXPECT_EQ(AutostartValue(), L"<none>");
}

// The notice would say the program goes to the tray while it is ending, and
// Windows would wait for it. An end of Windows that another program cancels
// brings every key back, but not while the slot editor is open: its check
// would take the slot's own key for another program's.
TEST_F(MainFormResilienceTest, TheEndOfWindowsSavesQuietlyAndACancelledOneWaitsForTheEditor) {
  const unsigned slotKey = 0xE000 | VK_F13;  // Ctrl+Shift+Alt+F13
  ReplaceWholeFile(files_.voiceSlots, "[Slot_0]\r\nVoice=Voice Alpha\r\nHotKey=" +
                                          std::to_string(slotKey) + "\r\nSAPIVersion=5\r\n");
  MainFormProbe& frmMain = CreateMainForm();
  frmMain.HotKeyField(IDC_READING_HOTKEY).SetValue(32813);
  {
    MessageBoxAnswerer answerer(frmMain.Handle());
    SendMessageW(frmMain.Handle(), WM_QUERYENDSESSION, 0, 0);
    EXPECT_EQ(answerer.Answered(), 0);
  }
  EXPECT_NE(ConfigText().find("HotKey=32813"), std::string::npos);
  EXPECT_EQ(ConfigText().find("CloseMsg"), std::string::npos);
  SendMessageW(frmMain.Handle(), WM_ENDSESSION, FALSE, 0);

  const auto keyStates = [slotKey] {
    std::vector<HotKeyState> states;
    for (unsigned key : {32813u, 16506u, 16507u, slotKey}) states.push_back(ProbeHotKey(key));
    return states;
  };
  std::vector<HotKeyState> whileOpen;
  OwnerWindow inTheEditor([&](UINT message, WPARAM, LPARAM) {
    if (message != WM_APP) return false;
    SendMessageW(frmMain.Handle(), WM_QUERYENDSESSION, 0, 0);
    SendMessageW(frmMain.Handle(), WM_ENDSESSION, FALSE, 0);
    whileOpen = keyStates();
    PostMessageW(FindWindowW(L"#32770", L"Add voice slot"), WM_COMMAND, IDCANCEL, 0);
    return true;
  });
  // Handled in the editor's modal loop.
  PostMessageW(inTheEditor.Handle(), WM_APP, 0, 0);
  frmMain.SlotsPage().OnAdd();
  EXPECT_EQ(whileOpen, std::vector<HotKeyState>(4, HotKeyState::Free));
  EXPECT_EQ(keyStates(), std::vector<HotKeyState>(4, HotKeyState::Taken));
}
