// The options window of the running program: what a first start writes, hot
// keys changed through the window.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/e2e/driver.h"
#include "tests/support/autostart_value.h"
#include "tests/support/hotkey_probe_client.h"
#include "ui/ui_resources.h"

namespace {

constexpr char kVoicesAndEngines[] =
    "sapi5.voice = Tolvane Test Voice\n"
    "sapi5.voice = Second Test Voice\n"
    "sapi4.engine = Test Engine Mode | Tess | 60..260 | 50..150\n";

class OptionsWindow : public TolvaneTest {
 protected:
  OptionsWindow() : TolvaneTest(kVoicesAndEngines, kWelcomedFirstStart) {}
  void SetUp() override {
    Start();
    main_ = tolvane_->WaitForWindow(kOptionsTitle);
    ASSERT_NE(main_, nullptr);
    // Keys go to the window in front, and a window just shown is visible a
    // moment before it comes to the front.
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main_; }));
    readingHotKey_ = FindControlById(main_, IDC_READING_HOTKEY);
    ASSERT_NE(readingHotKey_, nullptr);
  }
  void TearDown() override { RemoveAutostartValue(); }

  void ShowWithTheOptionsHotKey() {
    ASSERT_TRUE(PressKey(VK_F11, {VK_CONTROL}));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }));
    ASSERT_TRUE(tolvane_->WaitForIdle());
  }

  HWND readingHotKey_ = nullptr;
};

}  // namespace

// A first start turns autostart on and holds the default keys; a new
// reading key cancelled is back at the next showing and still works, and one
// confirmed with OK works at once, in place of the old one.
TEST_F(OptionsWindow, AFirstStartHoldsTheDefaultKeysAndAKeyCancelledOrConfirmedTakesEffect) {
  EXPECT_EQ(AutostartValue(), L"\"" + folder_.File(L"Tolvane.exe") + L"\" -autostart");
  EXPECT_NE(ReadTextFile(folder_.File(L"cfg.ini")).find("FirstRun=0"), std::string::npos);
  EXPECT_TRUE(HoldsFixedHotKeys());
  EXPECT_EQ(ControlText(readingHotKey_), L"Ctrl+BkSp");

  ASSERT_TRUE(TypeHotKey(readingHotKey_, kCtrlShiftF6, L"Shift+Ctrl+F6"));
  // Esc would be the field's new key; the button cancels.
  ASSERT_TRUE(ClickControl(GetDlgItem(main_, IDCANCEL)));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }));
  EXPECT_EQ(ProbeHotKey(kCtrlShiftF6), HotKeyState::Free);
  ShowWithTheOptionsHotKey();
  EXPECT_EQ(ControlText(readingHotKey_), L"Ctrl+BkSp");
  EXPECT_EQ(OptionsPage(main_), 0);
  EXPECT_EQ(ProbeHotKey(kReadingHotKey), HotKeyState::Taken);

  ASSERT_TRUE(TypeHotKey(readingHotKey_, kCtrlShiftF6, L"Shift+Ctrl+F6"));
  ASSERT_TRUE(ClickControl(GetDlgItem(main_, IDOK)));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }));
  EXPECT_EQ(ProbeHotKey(kCtrlShiftF6), HotKeyState::Taken);
  EXPECT_EQ(ProbeHotKey(kReadingHotKey), HotKeyState::Free);
  EXPECT_NE(ReadTextFile(folder_.File(L"cfg.ini")).find("HotKey=" + std::to_string(kCtrlShiftF6)),
            std::string::npos);
  ShowWithTheOptionsHotKey();
  EXPECT_EQ(ControlText(readingHotKey_), L"Shift+Ctrl+F6");
}
