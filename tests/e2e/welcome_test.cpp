// The first start as a new user has it: the welcome window greets aloud with
// the tutorial beside it, and closing it leaves the options window in front;
// later starts skip it until its mark is deleted from cfg.ini. The first
// start also brings the engine download window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "tests/e2e/driver.h"
#include "tests/support/autostart_value.h"
#include "tests/support/standin_log_quoting.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kWelcomeTitle[] = L"Welcome to Tolvane!";
constexpr wchar_t kVoicesTitle[] = L"Additional voices...";
constexpr char kGreeting[] =
    "Tolvane can read the selected text from any Windows application. Just select desired text, "
    "press hot key, and enjoy! Make your documents, emails, web pages, books and thoughts sound! "
    "Configure volume, speed and pitch of speech. Create Voice Slots to use different hot keys "
    "for different voices! Thank you for trying Tolvane! I am sure, this program will become "
    "your best friend. Enjoy!";
// Slow enough that the greeting is still being read when Esc comes.
constexpr char kSlowVoice[] = "sapi5.voice = Welcome Voice\npace.ms_per_word = 300\n";

int TutorialRequests(const ProgramFolder& folder) {
  const std::vector<LogEntry> log = folder.StandinLog();
  return static_cast<int>(std::count_if(log.begin(), log.end(), [](const LogEntry& entry) {
    return entry.method == "HtmlHelpA" && entry.arguments.find("tutorial.chm") != std::string::npos;
  }));
}

int ActivePage(HWND main) {
  HWND pages = FindWindowExW(main, nullptr, L"SysTabControl32", nullptr);
  return static_cast<int>(SendMessageW(pages, TCM_GETCURSEL, 0, 0));
}

class Welcome : public ::testing::Test {
 protected:
  void TearDown() override { RemoveAutostartValue(); }

  // The start, the greeting and the tutorial; then Esc, after which the
  // program goes on as after any first start.
  void GreetAndCloseWithEsc(const TolvaneProcess& tolvane, double started) {
    HWND welcome = tolvane.WaitForWindow(kWelcomeTitle);
    ASSERT_NE(welcome, nullptr);
    LogEntry tutorial, spoken;
    ASSERT_TRUE(folder_.WaitForCall("htmlhelp", "HtmlHelpA", started, tutorial));
    EXPECT_EQ(tutorial.arguments,
              HelpRequestArguments(
                  welcome, "Welcome to Tolvane!",
                  speech_test::Utf8(folder_.File(L"tutorial.chm") + L"::/tutorial.htm")));
    ASSERT_TRUE(folder_.WaitForCall("sapi5", "Spoken", started, spoken));
    EXPECT_EQ(spoken.arguments, Quoted(kGreeting));
    // Start-up waits for the welcome: the options window is not shown yet.
    EXPECT_EQ(tolvane.FindWindowTitled(kOptionsTitle, true), nullptr);

    const double closed = LogClockMilliseconds();
    ASSERT_TRUE(PressKeyIn(FindControl(welcome, L"Continue"), VK_ESCAPE));
    // The greeting is silenced, and not left paused: its stream ends.
    LogEntry ended;
    EXPECT_TRUE(folder_.WaitForCall("sapi5", "event EndStream", closed, ended));
    HWND main = tolvane.WaitForWindow(kOptionsTitle);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(welcome));
    EXPECT_EQ(ActivePage(main), 0);
    EXPECT_NE(ReadTextFile(folder_.File(L"cfg.ini")).find("WelcomeDlg=1"), std::string::npos);
    // The creation run once more after the welcome holds the keys as before.
    EXPECT_TRUE(HoldsFixedHotKeys());
    // The engine download window comes beside it, not modal, and the tray's
    // "Additional voices..." leaves it so instead of showing it modally again.
    EXPECT_NE(tolvane.WaitForWindow(kVoicesTitle), nullptr);
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(main, WM_COMMAND, IDM_TRAY_ADDITIONAL_VOICES, 0, SMTO_NORMAL,
                                  5000, &answer),
              0);
    EXPECT_TRUE(IsWindowEnabled(main));
    PostMessageW(main, WM_COMMAND, IDM_TRAY_EXIT, 0);
    EXPECT_TRUE(tolvane.WaitForExit());
  }

  HtmlHelpViewer viewer_{StandinHtmlHelp()};
  ProgramFolder folder_{kSlowVoice};
};

}  // namespace

TEST_F(Welcome, GreetsOnTheFirstStartOnlyUntilItsMarkIsDeleted) {
  {
    const double started = LogClockMilliseconds();
    TolvaneProcess tolvane(folder_);
    HWND welcome = tolvane.WaitForWindow(kWelcomeTitle);
    ASSERT_NE(welcome, nullptr);
    EXPECT_TRUE(Photograph(tolvane, welcome, L"welcome"));
    GreetAndCloseWithEsc(tolvane, started);
  }
  {
    TolvaneProcess tolvane(folder_);
    ASSERT_TRUE(WaitUntil(HoldsFixedHotKeys));
    ASSERT_TRUE(tolvane.WaitForIdle());
    EXPECT_EQ(tolvane.FindWindowTitled(kWelcomeTitle, true), nullptr);
    EXPECT_EQ(tolvane.FindWindowTitled(kVoicesTitle, true), nullptr);
    EXPECT_EQ(TutorialRequests(folder_), 1);
  }
  ASSERT_TRUE(WaitUntil(ReleasedFixedHotKeys));
  WritePrivateProfileStringW(L"General", L"WelcomeDlg", nullptr, folder_.File(L"cfg.ini").c_str());
  const double started = LogClockMilliseconds();
  TolvaneProcess tolvane(folder_);
  GreetAndCloseWithEsc(tolvane, started);
  EXPECT_EQ(TutorialRequests(folder_), 2);
}
