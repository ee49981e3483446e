// The stand-in SAPI 5 voice where the real runtime is stricter or looser than
// one might guess, each case named after the documented behaviour it follows.
#include <gtest/gtest.h>

#include <windows.h>

#include <sapi.h>
#include <wrl/client.h>

#include <algorithm>

#include "base/com_error.h"
#include "speech/sp_voice.h"
#include "tests/support/message_pump.h"
#include "tests/support/speech_test_support.h"

namespace {

using Microsoft::WRL::ComPtr;
using speech_test::StandinFiles;

class Sapi5RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.WriteConfig("sapi5.voice = Anna\npace.ms_per_word = 5\n");
    voice_.OnStartStream = [this](long stream, const VARIANT&) { started_.push_back(stream); };
    voice_.OnEndStream = [this](long stream, const VARIANT&) { ended_.push_back(stream); };
  }

  // A second voice at the same pace speaks a stream of as many words as the
  // test's. A stream of the voice under test queued before it, were it not
  // held, would have started and ended by then.
  void LetAStreamOfThreeWordsPass() {
    TSpVoice clock;
    bool ended = false;
    clock.OnEndStream = [&](long, const VARIANT&) { ended = true; };
    clock.Speak(L"one two three", SVSFlagsAsync);
    ASSERT_TRUE(PumpUntil([&] { return ended; }, 10s));
  }

  bool Ended(long stream) const {
    return std::find(ended_.begin(), ended_.end(), stream) != ended_.end();
  }

  StandinFiles files_;
  TSpVoice voice_;
  std::vector<long> started_;
  std::vector<long> ended_;
};

// ISpVoice::SetRate: values outside -10..10 may be truncated in the speech;
// SpVoice's Rate property reads back what was set.
TEST_F(Sapi5RuntimeTest, AnyRateIsTakenAndReadBackAsSet) {
  ComPtr<ISpeechVoice> voice;
  ThrowIfFailed(
      CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&voice)));
  for (const LONG rate : {25L, -40L}) {
    EXPECT_EQ(voice->put_Rate(rate), S_OK);
    LONG readBack = 0;
    ThrowIfFailed(voice->get_Rate(&readBack));
    EXPECT_EQ(readBack, rate);
  }
}

// ISpVoice::Pause and Resume: the voice keeps a pause count; speech goes on
// only when every Pause has had its Resume, and a Resume of a voice that is
// not paused has no effect. A purge leaves the count as it is.
TEST_F(Sapi5RuntimeTest, PauseIsACountThatResumeCountsDownAndAPurgeKeeps) {
  voice_.Resume();
  voice_.Pause();
  voice_.Pause();
  voice_.Resume();
  const long first = voice_.Speak(L"one two three", SVSFlagsAsync);
  LetAStreamOfThreeWordsPass();
  EXPECT_TRUE(started_.empty()) << "one pause is still held";

  voice_.Resume();
  ASSERT_TRUE(PumpUntil([&] { return !started_.empty(); }, 10s));
  voice_.Pause();
  voice_.Speak(L"", SVSFPurgeBeforeSpeak);
  const long next = voice_.Speak(L"four", SVSFlagsAsync);
  LetAStreamOfThreeWordsPass();
  EXPECT_EQ(started_, std::vector<long>{first});
  EXPECT_TRUE(ended_.empty()) << "the purge did not resume the voice";

  voice_.Resume();
  EXPECT_TRUE(PumpUntil([&] { return Ended(next); }, 10s));
  EXPECT_EQ(started_, (std::vector<long>{first, next}));
}

}  // namespace
