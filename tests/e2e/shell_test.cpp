// Starting, refusing a second copy, exiting and the end of Windows, seen from
// outside the program.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/res/resource.h"
#include "tests/e2e/driver.h"
#include "ui/ui_resources.h"

namespace {

constexpr char kOneVoice[] = "sapi5.voice = Tolvane Test Voice\n";
constexpr char kNoVoices[] = "# neither voices nor engines\n";
constexpr wchar_t kBoxTitle[] = L"Tolvane!";

int CountApplicationWindows() {
  int count = 0;
  FindTopLevelWindow([&](HWND window) {
    count += ClassName(window) == L"TApplication" && WindowTitle(window) == L"Tolvane!";
    return false;
  });
  return count;
}

// A first start with one voice: the options window shows by itself.
class Tray : public TolvaneTest {
 protected:
  Tray() : TolvaneTest(kOneVoice, kWelcomedFirstStart) {}
  void SetUp() override {
    Start();
    main_ = tolvane_->WaitForWindow(kOptionsTitle);
    ASSERT_NE(main_, nullptr);
  }
};

}  // namespace

TEST(Startup, AutostartShowsNoWindowUntilTheOptionsHotKeyIsPressed) {
  ProgramFolder folder(kOneVoice, kWelcomedFirstStart);
  TolvaneProcess tolvane(folder, L"-autostart");
  ASSERT_TRUE(WaitUntil(HoldsFixedHotKeys));
  ASSERT_TRUE(tolvane.WaitForIdle());
  EXPECT_FALSE(tolvane.AnyWindowVisible());

  ASSERT_TRUE(PressKey(VK_F11, {VK_CONTROL}));
  EXPECT_NE(tolvane.WaitForWindow(kOptionsTitle), nullptr);
}

TEST(Startup, NoSpeechEnginesShowsTheErrorBoxAndEnds) {
  ProgramFolder folder(kNoVoices);
  TolvaneProcess tolvane(folder);
  HWND box = tolvane.WaitForWindow(kBoxTitle);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box),
            L"Sorry, but there are no speech engines installed in your system.\n\r"
            L"Please, install some speech engine and run Tolvane! again.\n\r"
            L"Web page with speech engines list will be opened now.");
  EXPECT_TRUE(ReleasedFixedHotKeys());
  PressButton(box, IDOK);
  ASSERT_TRUE(tolvane.WaitForExit());
  EXPECT_EQ(tolvane.FindWindowTitled(kOptionsTitle, true), nullptr);
}

// The end of Windows is never refused, and a cancelled end restores the hot
// keys. A second copy shows only a notice and ends; the first runs on. The
// window goes to the tray by Esc and by closing, which notices it only once,
// and comes back by the tray's items and a double click on the icon. The
// tray menu opens on the right button, and its last item exits the program.
TEST_F(Tray, EndOfWindowsASecondCopyAndTheTraysWaysInAndOut) {
  // With the tray option on, the query goes through the close request, which
  // saves the settings; no notice holds up the answer while Windows ends.
  DWORD_PTR answer = 0;
  ASSERT_NE(SendMessageTimeoutW(main_, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 30000, &answer), 0);
  EXPECT_EQ(answer, 1u);
  EXPECT_EQ(tolvane_->FindWindowTitled(kBoxTitle, true), nullptr);
  EXPECT_TRUE(ReleasedFixedHotKeys());
  const std::string config = ReadTextFile(folder_.File(L"cfg.ini"));
  EXPECT_NE(config.find("HotKey=16392"), std::string::npos);
  EXPECT_EQ(config.find("CloseMsg"), std::string::npos);

  // Another program refused, so Windows goes on: the program must come back.
  SendMessageW(main_, WM_ENDSESSION, FALSE, 0);
  EXPECT_TRUE(HoldsFixedHotKeys());
  EXPECT_TRUE(tolvane_->Running());

  TolvaneProcess second(folder_);
  HWND notice = second.WaitForWindow(kBoxTitle);
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(MessageBoxText(notice), L"Tolvane! is already running now.");
  EXPECT_EQ(second.FindWindowTitled(kOptionsTitle, false), nullptr);
  PressButton(notice, IDOK);
  ASSERT_TRUE(second.WaitForExit());
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(tolvane_->Running());
  EXPECT_EQ(CountApplicationWindows(), 1);

  PostMessageW(main_, WM_COMMAND, IDM_TRAY_ABOUT, 0);
  ASSERT_TRUE(WaitUntil([&] { return OptionsPage(main_) == 4; }));
  // Esc: the window goes to the tray.
  PostMessageW(main_, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }));
  PostMessageW(main_, TRAY_ICON_MESSAGE, MAKEWPARAM(300, 300), MAKELPARAM(WM_LBUTTONDBLCLK, 1));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }));
  EXPECT_EQ(OptionsPage(main_), 0);

  PostMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_EQ(AnswerBox(IDOK),
            L"Tolvane will now be minimized into the system tray. To restore this window double "
            L"click on program's icon in system tray.");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }));
  PostMessageW(main_, WM_COMMAND, IDM_TRAY_OPTIONS, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main_); }));
  PostMessageW(main_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }));
  EXPECT_EQ(tolvane_->FindWindowTitled(kBoxTitle, true), nullptr);
  EXPECT_TRUE(tolvane_->Running());

  // What the notification area sends, once it speaks version 4 to the icon,
  // when the icon is clicked with the right button: the button, then the
  // request for the menu at the icon (id 1).
  PostMessageW(main_, TRAY_ICON_MESSAGE, MAKEWPARAM(300, 300), MAKELPARAM(WM_RBUTTONUP, 1));
  PostMessageW(main_, TRAY_ICON_MESSAGE, MAKEWPARAM(300, 300), MAKELPARAM(WM_CONTEXTMENU, 1));
  ASSERT_TRUE(WaitUntil([&] { return tolvane_->OpenMenuWindow() != nullptr; }));
  ASSERT_TRUE(PressKey(VK_UP));
  ASSERT_TRUE(PressKey(VK_RETURN));
  ASSERT_TRUE(tolvane_->WaitForExit());
  EXPECT_TRUE(ReleasedFixedHotKeys());
}
