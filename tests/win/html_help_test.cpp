// The help's requests as the viewer receives them, through the stand-in
// viewer's log.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/html_help_viewer.h"
#include "tests/support/speech_test_support.h"
#include "ui/help.h"

// The folder's name fits no ANSI code page, and where Windows keeps no short
// names there is no other name for it: the viewer must get it as it is.
TEST(HtmlHelpTest, AFolderNamedInAnotherScriptReachesTheViewerByThatName) {
  speech_test::StandinFiles standins;
  HtmlHelpViewer viewer(StandinHtmlHelp());
  const std::wstring folder = L"C:\\Программы\\Ωμέγα 程序";
  THtmlHelp help({folder + L"\\Help.chm", folder + L"\\tutorial.chm"}, L"support@example.com");
  help.Load();
  ASSERT_TRUE(help.Loaded());
  help.ShowTopic(nullptr, HelpTopic::WorkingWithVoiceSlots);
  help.ShowTopic(nullptr, HelpTopic::Tutorial);
  help.CloseAll();

  const auto requests = standins.Logged("htmlhelp", "HtmlHelpW");
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(
      requests[0].arguments,
      HelpRequestArguments(nullptr, "",
                           speech_test::Utf8(folder + L"\\Help.chm::/Source\\Quick "
                                                      L"start\\Working with voice slots.htm")));
  EXPECT_EQ(requests[1].arguments,
            HelpRequestArguments(nullptr, "",
                                 speech_test::Utf8(folder + L"\\tutorial.chm::/tutorial.htm")));
  EXPECT_EQ(requests[2].arguments, "0 \"\" \"\" 18 0");
}
