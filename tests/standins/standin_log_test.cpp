#include <gtest/gtest.h>

#include "speech/sp_voice.h"
#include "tests/support/speech_test_support.h"

namespace {

using speech_test::LogEntry;
using speech_test::StandinFiles;

TEST(StandinLogTest, EveryLineFollowsTheLogFormatInTimeOrderAndStringsAreQuotedWithEscapes) {
  StandinFiles files("sapi5.voice = Say \"hi\" \\ now\n");
  {
    TSpVoice voice;
    voice.PutrefVoice(TokenItem(*voice.GetVoices(L"", L"").Get(), 0).Get());
  }
  EXPECT_EQ(files.Logged("sapi5", "put_Voice").at(0).arguments, R"("Say \"hi\" \\ now")");
  const std::vector<std::string> lines = files.LogLines();
  ASSERT_GE(lines.size(), 4u);
  double previous = 0;
  for (const std::string& line : lines) {
    LogEntry entry;
    ASSERT_TRUE(speech_test::ParseLogLine(line, entry)) << line;
    EXPECT_GE(entry.milliseconds, previous) << line;
    previous = entry.milliseconds;
  }
}

}  // namespace
