#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/com_error.h"
#include "speech/sp_voice.h"
#include "tests/support/message_pump.h"
#include "tests/support/speech_test_support.h"

namespace {

using speech_test::LogEntry;
using speech_test::StandinFiles;

// SAPI 5's SPERR_UNSUPPORTED_FORMAT, the answer to text its XML parser refuses.
constexpr HRESULT kUnsupportedFormat = static_cast<HRESULT>(0x80045003);
constexpr auto kXml = static_cast<SpeechVoiceSpeakFlags>(SVSFlagsAsync | SVSFIsXML);
constexpr auto kNotXml = static_cast<SpeechVoiceSpeakFlags>(SVSFlagsAsync | SVSFIsNotXML);

class StandinMarkupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.WriteConfig("pace.ms_per_word = 5\n");
    voice_.OnStartStream = [this](long stream, const VARIANT&) {
      events_.push_back("StartStream " + std::to_string(stream));
    };
    voice_.OnWord = [this](long stream, const VARIANT&, long position, long length) {
      events_.push_back("Word " + std::to_string(stream) + " " + std::to_string(position) + " " +
                        std::to_string(length));
    };
    voice_.OnEndStream = [this](long stream, const VARIANT&) {
      events_.push_back("EndStream " + std::to_string(stream));
    };
  }

  // Speaks and waits until the stream has ended.
  long SpeakOut(const std::wstring& text, SpeechVoiceSpeakFlags flags) {
    const long stream = voice_.Speak(text, flags);
    const std::string end = "EndStream " + std::to_string(stream);
    EXPECT_TRUE(PumpUntil([&] { return !events_.empty() && events_.back() == end; }, 10s));
    return stream;
  }

  // The argument of each Spoken line, each checked to follow its Speak line.
  std::vector<std::string> SpokenLines() const {
    const std::vector<LogEntry> entries = files_.StandinLog();
    std::vector<std::string> spoken;
    for (size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].method != "Spoken") continue;
      EXPECT_TRUE(i > 0 && entries[i - 1].method == "Speak")
          << entries[i].arguments << " follows no Speak line";
      spoken.push_back(entries[i].arguments);
    }
    return spoken;
  }

  StandinFiles files_;
  TSpVoice voice_;
  std::vector<std::string> events_;
};

TEST_F(StandinMarkupTest, TheVoiceSaysTheTextWithoutMarkupAndWithEntitiesDecoded) {
  const long pitched = SpeakOut(L"<pitch middle=\"-2\">Q&amp;A &lt;b&gt;", SVSFlagsAsync);
  SpeakOut(L"  <pitch middle=\"0\"/>&#81;&#x26;A", SVSFlagsAsync);  // white space before the markup
  SpeakOut(L"Q&amp;A", kXml);
  SpeakOut(L"Q&A <b>", SVSFlagsAsync);  // not starting with <, so plain text
  SpeakOut(L"<pitch middle=\"0\">Q&A", kNotXml);

  EXPECT_EQ(SpokenLines(),
            (std::vector<std::string>{R"("Q&A <b>")", R"("  Q&A")", R"("Q&A")", R"("Q&A <b>")",
                                      R"("<pitch middle=\"0\">Q&A")"}));
  // Word positions count in the text as given, entities at their full length.
  const std::string s = std::to_string(pitched);
  EXPECT_EQ(std::vector<std::string>(events_.begin(), events_.begin() + 4),
            (std::vector<std::string>{"StartStream " + s, "Word " + s + " 19 7",
                                      "Word " + s + " 27 9", "EndStream " + s}));
}

TEST_F(StandinMarkupTest, MarkupTheParserRefusesFailsTheSpeakAndStartsNoStream) {
  for (const wchar_t* refused :
       {L"<pitch middle=\"0\">Q&A", L"<pitch middle=\"0\">a < b", L"<pitch middle=\"0\">a < b > c",
        L"<pitch middle=\"0\"", L"<pitch middle=\"0\">&bogus;", L"<pitch middle=\"0\">&#0;"}) {
    try {
      voice_.Speak(refused, SVSFlagsAsync);
      ADD_FAILURE() << "accepted: " << speech_test::Utf8(refused);
    } catch (const ComError& error) {
      EXPECT_EQ(error.Result(), kUnsupportedFormat) << speech_test::Utf8(refused);
    }
  }
  EXPECT_THROW(voice_.Speak(L"Q&A", kXml), ComError);

  const long stream = SpeakOut(L"done", SVSFlagsAsync);
  const std::string s = std::to_string(stream);
  EXPECT_EQ(events_,
            (std::vector<std::string>{"StartStream " + s, "Word " + s + " 0 4", "EndStream " + s}));
  EXPECT_EQ(files_.Logged("sapi5", "Speak").size(), 8u) << "a refused speak is still logged";
  EXPECT_EQ(SpokenLines(), std::vector<std::string>{"\"done\""});
}

}  // namespace
