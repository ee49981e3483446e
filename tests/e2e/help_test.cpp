// Help as a user asks for it: every place that offers help opens its topic
// of the manual or the tutorial over its own window, by button, F1, link and
// tray item; without the viewer, start-up and every request say so; and the
// real viewer opens the manual.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "app/res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/support/hotkey_probe_client.h"
#include "ui/ui_resources.h"

namespace {

constexpr char kIntroduction[] = "::/Source\\Introducing Tolvane!\\Introduction.htm";
constexpr char kVoiceSlots[] = "::/Source\\Quick start\\Working with voice slots.htm";
constexpr char kPronunciation[] = "::/Source\\Quick start\\Correcting pronunciation.htm";
// By page of the options window.
constexpr const char* kPageTopics[] = {
    "::/Source\\Quick start\\Configuring keys.htm",
    "::/Source\\Quick start\\Reading text from any application.htm",
    kVoiceSlots,
    kPronunciation,
    kIntroduction,
};

class Help : public TolvaneTest {
 protected:
  // The next request after `after`: the topic in that file over the window.
  ::testing::AssertionResult Requested(double after, HWND owner, const wchar_t* file,
                                       const std::string& topic) {
    LogEntry request;
    if (!folder_.WaitForCall("htmlhelp", "HtmlHelpW", after, request)) {
      return ::testing::AssertionFailure() << "no request for " << topic;
    }
    const std::string expected =
        HelpRequestArguments(owner, speech_test::Utf8(ControlText(owner)),
                             speech_test::Utf8(folder_.File(file)) + topic);
    if (request.arguments == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << request.arguments << "\nexpected " << expected;
  }
  // F1 pressed in the control, then the request it makes over `owner`.
  ::testing::AssertionResult F1Requests(HWND control, HWND owner, const std::string& topic) {
    const double pressed = LogClockMilliseconds();
    if (!PressKeyIn(control, VK_F1)) return ::testing::AssertionFailure() << "F1 not pressed";
    return Requested(pressed, owner, L"Help.chm", topic);
  }
  // The command sent to the options window, then the request it makes over it.
  ::testing::AssertionResult CommandRequests(int command, const wchar_t* file,
                                             const std::string& topic) {
    const double sent = LogClockMilliseconds();
    PostMessageW(main_, WM_COMMAND, command, 0);
    return Requested(sent, main_, file, topic);
  }
};

}  // namespace

TEST_F(Help, EveryPlaceOpensItsOwnTopic) {
  HtmlHelpViewer viewer(StandinHtmlHelp());
  Start();
  main_ = ShowOptionsPage(0);
  ASSERT_NE(main_, nullptr);
  HWND pages = FindWindowExW(main_, nullptr, L"SysTabControl32", nullptr);
  for (int page = 0; page < 5; ++page) {
    if (page > 0) {
      ASSERT_TRUE(PressKeyIn(pages, VK_TAB, {VK_CONTROL}));
    }
    ASSERT_TRUE(WaitUntil([&] { return OptionsPage(main_) == page; }));
    EXPECT_TRUE(F1Requests(pages, main_, kPageTopics[page])) << page;
    EXPECT_TRUE(CommandRequests(IDC_HELP_BUTTON, L"Help.chm", kPageTopics[page])) << page;
  }
  EXPECT_TRUE(CommandRequests(IDM_TRAY_HELP, L"Help.chm", kIntroduction));
  EXPECT_TRUE(CommandRequests(IDM_TRAY_TUTORIAL, L"tutorial.chm", "::/tutorial.htm"));

  // The editors answer F1 with their own topics over themselves.
  ShowTablePage(2, IDC_SLOTSLIST);
  ASSERT_NE(OpenEditor(VK_INSERT, L"Add voice slot"), nullptr);
  HWND voices = InEditor(IDC_VOICESLIST);
  EXPECT_TRUE(F1Requests(voices, editor_, kVoiceSlots));
  ASSERT_TRUE(PressKeyIn(voices, VK_ESCAPE));
  // The editor lets go of the program's keys while it shows.
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor_) && HoldsFixedHotKeys(); }));

  ShowTablePage(3, IDC_WORDS_TABLE);
  ASSERT_NE(OpenEditor(VK_INSERT, L"Pronunciation correction"), nullptr);
  HWND wordField = InEditor(IDC_WORD_FIELD);
  EXPECT_TRUE(F1Requests(wordField, editor_, kPronunciation));
  const double clicked = LogClockMilliseconds();
  ASSERT_TRUE(ClickControl(InEditor(IDC_WORD_HELP_LINK)));
  EXPECT_TRUE(Requested(clicked, editor_, L"Help.chm", kPronunciation));
  ASSERT_TRUE(PressKeyIn(wordField, VK_ESCAPE));
}

TEST_F(Help, WithoutTheViewerStartUpSaysSoAndEveryRequestApologises) {
  HtmlHelpViewer viewer(folder_.File(L"gone\\hhctrl.ocx"));
  tolvane_ = std::make_unique<TolvaneProcess>(folder_);
  EXPECT_EQ(AnswerBox(IDOK), L"HTML Help is not installed on this PC.");
  ASSERT_TRUE(WaitUntil(HoldsFixedHotKeys));
  HWND main = tolvane_->FindWindowTitled(kOptionsTitle, false);
  PostMessageW(main, WM_COMMAND, IDM_TRAY_TUTORIAL, 0);
  // The two lines are parted by a carriage return alone.
  EXPECT_EQ(AnswerBox(IDOK),
            L"Sorry, but your system doesn't support HTMLHelp.\rPlease, consult "
            L"support@vantorel.com and we'll send you another help file.");
}

// Wine's own viewer, as `make run` has it.
TEST_F(Help, TheViewerOpensTheManualWithItsTitle) {
  ASSERT_TRUE(CopyFileW((TestProgramFolder() + L"\\Help.chm").c_str(),
                        folder_.File(L"Help.chm").c_str(), FALSE));
  Start();
  PostMessageW(tolvane_->FindWindowTitled(kOptionsTitle, false), WM_COMMAND, IDM_TRAY_HELP, 0);
  EXPECT_NE(tolvane_->WaitForWindow(L"Tolvane! Help"), nullptr);
}
