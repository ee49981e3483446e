// The first start as a new user has it: the welcome window greets aloud with
// the tutorial beside it, and closing it leaves the options window in front;
// later starts skip it until its mark is deleted from cfg.ini. The first
// start also brings the engine download window.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "tests/e2e/driver.h"
#include "tests/support/autostart_value.h"
#include "ui/ui_resources.h"

namespace {

constexpr char kGreeting[] =
    "Tolvane can read the selected text from any Windows application. Just select desired text, "
    "press hot key, and enjoy! Make your documents, emails, web pages, books and thoughts sound! "
    "Configure volume, speed and pitch of speech. Create Voice Slots to use different hot keys "
    "for different voices! Thank you for trying Tolvane! I am sure, this program will become "
    "your best friend. Enjoy!";
// A default voice of either family, slow enough that the greeting is still
// being read when Esc comes: the calls that hand the greeting over and that
// stop it for good (the end the voice would report later is not waited for).
struct GreetingVoice {
  const char* standinConfig;
  const char* api;
  const char* handOver;
  const char* stop;
  const char* stopArguments;
};
constexpr GreetingVoice kSapi5Voice{"sapi5.voice = Welcome Voice\npace.ms_per_word = 300\n",
                                    "sapi5", "Spoken", "Speak", "\"\" 2"};
constexpr GreetingVoice kSapi4Engine{
    "sapi4.engine = Welcome Mode | Wendy | 60..260 | 50..150\npace.ms_per_word = 300\n", "sapi4",
    "TextData", "AudioReset", ""};

// A first start: no cfg.ini yet.
class Welcome : public TolvaneTest {
 protected:
  explicit Welcome(const GreetingVoice& voice = kSapi5Voice)
      : TolvaneTest(voice.standinConfig, ""), voice_(voice) {}
  void TearDown() override { RemoveAutostartValue(); }

  int TutorialRequests() const {
    return static_cast<int>(
        std::ranges::count_if(folder_.Logged("htmlhelp", "HtmlHelpW"), [](const LogEntry& entry) {
          return entry.arguments.find("tutorial.chm") != std::string::npos;
        }));
  }

  // Esc came while the greeting was being read: the greeting stops for good,
  // and nothing holds it or lets it go on. The tray's "Pause" (the pause
  // key's command) then finds no reading to pause or resume.
  void ExpectTheGreetingStopped(HWND main, double closed) {
    LogEntry stop;
    EXPECT_TRUE(folder_.WaitForLogged(
        [&](const LogEntry& entry) {
          return entry.api == voice_.api && entry.method == voice_.stop &&
                 (*voice_.stopArguments == '\0' || entry.arguments == voice_.stopArguments);
        },
        closed, stop));
    EXPECT_TRUE(SendCommand(main, IDM_TRAY_PAUSE_RESUME));
    for (const LogEntry& entry : folder_.StandinLog()) {
      if (entry.milliseconds < closed) continue;
      for (const char* method : {"Pause", "Resume", "AudioPause", "AudioResume"})
        EXPECT_NE(entry.method, method);
    }
  }

  // The start, the greeting and the tutorial; then Esc, after which the
  // program goes on as after any first start.
  void GreetAndCloseWithEsc() {
    const double started = LogClockMilliseconds();
    tolvane_ = std::make_unique<TolvaneProcess>(folder_);
    HWND welcome = tolvane_->WaitForWindow(kWelcomeTitle);
    ASSERT_NE(welcome, nullptr);
    LogEntry tutorial, spoken;
    ASSERT_TRUE(folder_.WaitForCall("htmlhelp", "HtmlHelpW", started, tutorial));
    EXPECT_EQ(tutorial.arguments,
              HelpRequestArguments(
                  welcome, "Welcome to Tolvane!",
                  speech_test::Utf8(folder_.File(L"tutorial.chm") + L"::/tutorial.htm")));
    ASSERT_TRUE(folder_.WaitForCall(voice_.api, voice_.handOver, started, spoken));
    EXPECT_NE(spoken.arguments.find(kGreeting), std::string::npos) << spoken.arguments;
    // Start-up waits for the welcome: the options window is not shown yet.
    EXPECT_EQ(tolvane_->FindWindowTitled(kOptionsTitle, true), nullptr);

    const double closed = LogClockMilliseconds();
    ASSERT_TRUE(PressKeyIn(FindControl(welcome, L"Continue"), VK_ESCAPE));
    HWND main = tolvane_->WaitForWindow(kOptionsTitle);
    ASSERT_NE(main, nullptr);
    ExpectTheGreetingStopped(main, closed);
    EXPECT_FALSE(IsWindowVisible(welcome));
    EXPECT_EQ(OptionsPage(main), 0);
    EXPECT_NE(ReadTextFile(folder_.File(L"cfg.ini")).find("WelcomeDlg=1"), std::string::npos);
    // The creation run once more after the welcome holds the keys as before.
    EXPECT_TRUE(HoldsFixedHotKeys());
    // The engine download window comes beside it, not modal, and the tray's
    // "Additional voices..." leaves it so instead of showing it modally again.
    EXPECT_NE(tolvane_->WaitForWindow(kVoicesTitle), nullptr);
    EXPECT_TRUE(SendCommand(main, IDM_TRAY_ADDITIONAL_VOICES));
    EXPECT_TRUE(IsWindowEnabled(main));
    PostMessageW(main, WM_COMMAND, IDM_TRAY_EXIT, 0);
    EXPECT_TRUE(tolvane_->WaitForExit());
  }

  const GreetingVoice& voice_;
  HtmlHelpViewer viewer_{StandinHtmlHelp()};
};

// A first start on a computer with no SAPI 5 voice: the engine reads the
// greeting.
class WelcomeWithASapi4Engine : public Welcome {
 protected:
  WelcomeWithASapi4Engine() : Welcome(kSapi4Engine) {}
};

}  // namespace

TEST_F(Welcome, GreetsOnTheFirstStartOnlyUntilItsMarkIsDeleted) {
  GreetAndCloseWithEsc();
  Start();
  EXPECT_EQ(tolvane_->FindWindowTitled(kWelcomeTitle, true), nullptr);
  EXPECT_EQ(tolvane_->FindWindowTitled(kVoicesTitle, true), nullptr);
  EXPECT_EQ(TutorialRequests(), 1);
  tolvane_.reset();
  ASSERT_TRUE(WaitUntil(ReleasedFixedHotKeys));
  WritePrivateProfileStringW(L"General", L"WelcomeDlg", nullptr, folder_.File(L"cfg.ini").c_str());
  GreetAndCloseWithEsc();
  EXPECT_EQ(TutorialRequests(), 2);
}

TEST_F(WelcomeWithASapi4Engine, EscStopsTheGreetingForGood) { GreetAndCloseWithEsc(); }
