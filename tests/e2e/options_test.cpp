// The options window of the running program: what a first start writes, hot
// keys changed through the window, and a picture of every page.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "tests/e2e/driver.h"
#include "tests/support/autostart_value.h"
#include "tests/support/hotkey_probe_client.h"
#include "ui/ui_resources.h"

namespace {

constexpr char kVoicesAndEngines[] =
    "sapi5.voice = Tolvane Test Voice\n"
    "sapi5.voice = Second Test Voice\n"
    "sapi4.engine = Test Engine Mode | Tess | 60..260 | 50..150\n";
constexpr unsigned kCtrlBkSp = 16392;
constexpr unsigned kCtrlShiftF6 = 0x6000 | VK_F6;

class OptionsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    main_ = tolvane_.WaitForWindow(kOptionsTitle);
    ASSERT_NE(main_, nullptr);
    ASSERT_TRUE(tolvane_.WaitForIdle());
    // Keys go to the window in front, and a window just shown is visible a
    // moment before it comes to the front.
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main_; }));
    readingHotKey_ = FindControlById(main_, IDC_READING_HOTKEY);
    ASSERT_NE(readingHotKey_, nullptr);
  }
  void TearDown() override { RemoveAutostartValue(); }

  // A new reading hot key typed into its field.
  void TypeReadingHotKey() {
    ASSERT_TRUE(TypeHotKey(readingHotKey_, VK_F6, {VK_CONTROL, VK_SHIFT}, L"Shift+Ctrl+F6"));
  }

  void ShowWithTheOptionsHotKey() {
    ASSERT_TRUE(PressKey(VK_F11, {VK_CONTROL}));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }));
    ASSERT_TRUE(tolvane_.WaitForIdle());
  }

  ProgramFolder folder_{kVoicesAndEngines, kWelcomedFirstStart};
  TolvaneProcess tolvane_{folder_};
  HWND main_ = nullptr;
  HWND readingHotKey_ = nullptr;
};

}  // namespace

// A first start turns autostart on and holds the default keys; a new
// reading key cancelled is back at the next showing and still works, and one
// confirmed with OK works at once, in place of the old one.
TEST_F(OptionsWindow, AFirstStartHoldsTheDefaultKeysAndAKeyCancelledOrConfirmedTakesEffect) {
  EXPECT_EQ(AutostartValue(), L"\"" + folder_.File(L"Tolvane.exe") + L"\" -autostart");
  EXPECT_NE(ReadTextFile(folder_.File(L"cfg.ini")).find("FirstRun=0"), std::string::npos);
  for (unsigned word : {kCtrlBkSp, 16506u, 16507u}) {
    EXPECT_EQ(ProbeHotKey(word), HotKeyState::Taken) << word;
  }
  EXPECT_EQ(ControlText(readingHotKey_), L"Ctrl+BkSp");

  TypeReadingHotKey();
  // Esc would be the field's new key; the button cancels.
  ASSERT_TRUE(ClickControl(GetDlgItem(main_, IDCANCEL)));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }));
  EXPECT_EQ(ProbeHotKey(kCtrlShiftF6), HotKeyState::Free);
  ShowWithTheOptionsHotKey();
  EXPECT_EQ(ControlText(readingHotKey_), L"Ctrl+BkSp");
  EXPECT_EQ(OptionsPage(main_), 0);
  EXPECT_EQ(ProbeHotKey(kCtrlBkSp), HotKeyState::Taken);

  TypeReadingHotKey();
  ASSERT_TRUE(ClickControl(GetDlgItem(main_, IDOK)));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }));
  EXPECT_EQ(ProbeHotKey(kCtrlShiftF6), HotKeyState::Taken);
  EXPECT_EQ(ProbeHotKey(kCtrlBkSp), HotKeyState::Free);
  EXPECT_NE(ReadTextFile(folder_.File(L"cfg.ini")).find("HotKey=" + std::to_string(kCtrlShiftF6)),
            std::string::npos);
  ShowWithTheOptionsHotKey();
  EXPECT_EQ(ControlText(readingHotKey_), L"Shift+Ctrl+F6");
}
