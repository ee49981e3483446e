#include <gtest/gtest.h>

#include <algorithm>

#include "base/com_error.h"
#include "speech/sp_voice.h"
#include "tests/support/message_pump.h"
#include "tests/support/speech_test_support.h"

namespace {

using speech_test::StandinFiles;

// SPERR_NO_MORE_ITEMS, which MinGW's sperror.h lacks.
constexpr HRESULT kNoMoreItems = static_cast<HRESULT>(0x80045039);

class SpVoiceTest : public ::testing::Test {
 protected:
  std::vector<std::wstring> VoiceDescriptions() {
    auto tokens = voice_.GetVoices(L"", L"");
    std::vector<std::wstring> descriptions;
    for (long i = 0; i < TokenCount(*tokens.Get()); ++i)
      descriptions.push_back(TokenDescription(*TokenItem(*tokens.Get(), i).Get()));
    return descriptions;
  }

  // Records the events in arrival order, each with the thread it came on.
  void RecordEvents() {
    voice_.OnStartStream = [this](long stream, const VARIANT&) {
      Record("StartStream " + std::to_string(stream));
    };
    voice_.OnEndStream = [this](long stream, const VARIANT&) {
      Record("EndStream " + std::to_string(stream));
    };
    voice_.OnWord = [this](long stream, const VARIANT&, long position, long length) {
      Record("Word " + std::to_string(stream) + " " + std::to_string(position) + " " +
             std::to_string(length));
    };
  }

  void Record(const std::string& event) {
    events_.push_back(event);
    eventThreads_.push_back(GetCurrentThreadId());
  }

  bool Received(const std::string& event) const {
    return std::find(events_.begin(), events_.end(), event) != events_.end();
  }

  StandinFiles files_;
  TSpVoice voice_;
  std::vector<std::string> events_;
  std::vector<DWORD> eventThreads_;
};

void ExpectComFailure(const std::function<void()>& call, HRESULT expected) {
  try {
    call();
    ADD_FAILURE() << "expected a ComError";
  } catch (const ComError& error) {
    EXPECT_EQ(error.Result(), expected);
  }
}

// The members connect first when needed; the settings reach the voice.
TEST_F(SpVoiceTest, ConnectsListsTheConfiguredVoicesInOrderAndSetsThem) {
  files_.WriteConfig("sapi5.voice = Anna\nsapi5.voice = Zoë (UK)\n");
  EXPECT_FALSE(voice_.Connected());
  EXPECT_EQ(VoiceDescriptions(), (std::vector<std::wstring>{L"Anna", L"Zoë (UK)"}));
  EXPECT_TRUE(voice_.Connected());
  EXPECT_EQ(files_.Logged("sapi5", "GetVoices").at(0).arguments, "\"\" \"\"");
  auto tokens = voice_.GetVoices(L"", L"");
  ExpectComFailure([&] { TokenItem(*tokens.Get(), 2); }, kNoMoreItems);

  voice_.PutrefVoice(TokenItem(*tokens.Get(), 0).Get());
  voice_.PutRate(-2);
  voice_.PutVolume(80);
  EXPECT_EQ(files_.Logged("sapi5", "put_Voice").at(0).arguments, "\"Anna\"");
  EXPECT_EQ(files_.Logged("sapi5", "put_Rate").at(0).arguments, "-2");
  EXPECT_EQ(files_.Logged("sapi5", "put_Volume").at(0).arguments, "80");
}

// Reconnecting gives a fresh voice object; the events of the old one, still
// speaking, are dropped.
TEST_F(SpVoiceTest, ReconnectingGivesAFreshVoiceObjectAndDropsTheOldOnesEvents) {
  files_.WriteConfig("pace.ms_per_word = 5\n");
  RecordEvents();
  voice_.Speak(L"old words", SVSFlagsAsync);
  voice_.Connect();  // already connected: nothing new
  voice_.Disconnect();
  EXPECT_FALSE(voice_.Connected());
  voice_.Disconnect();  // harmless when disconnected
  voice_.Connect();
  const long fresh = voice_.Speak(L"new", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return Received("EndStream " + std::to_string(fresh)); }, 10s));
  EXPECT_EQ(events_, (std::vector<std::string>{"StartStream 1", "Word 1 0 3", "EndStream 1"}));
  const auto created = files_.Logged("sapi5", "Create");
  ASSERT_EQ(created.size(), 2u);
  EXPECT_NE(created[0].objectId, created[1].objectId);
  // The first voice is gone; the events were attached to each voice and
  // detached from the first.
  ASSERT_EQ(files_.Logged("sapi5", "Release").size(), 1u);
  EXPECT_EQ(files_.Logged("sapi5", "Release")[0].objectId, created[0].objectId);
  EXPECT_EQ(files_.Logged("sapi5", "Advise").size(), 2u);
  EXPECT_EQ(files_.Logged("sapi5", "Unadvise").size(), 1u);
}

// Pitch markup is not spoken as words. Without a configuration there are no
// voices, and the voice object speaks all the same.
TEST_F(SpVoiceTest, SpeechEventsArriveInOrderThroughTheMessageLoop) {
  files_.WriteConfig("pace.ms_per_word = 5\n");
  EXPECT_EQ(TokenCount(*voice_.GetVoices(L"", L"").Get()), 0);
  RecordEvents();
  const long stream = voice_.Speak(L"Hello from  Tolvane", SVSFlagsAsync);
  EXPECT_TRUE(events_.empty()) << "events must wait for the message loop";
  const long pitched = voice_.Speak(L"<pitch middle=\"-5\">Hi there", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return Received("EndStream " + std::to_string(pitched)); }, 10s));
  const std::string s = std::to_string(stream);
  const std::string p = std::to_string(pitched);
  EXPECT_EQ(events_, (std::vector<std::string>{
                         "StartStream " + s, "Word " + s + " 0 5", "Word " + s + " 6 4",
                         "Word " + s + " 12 7", "EndStream " + s, "StartStream " + p,
                         "Word " + p + " 19 2", "Word " + p + " 22 5", "EndStream " + p}));
  for (DWORD thread : eventThreads_) EXPECT_EQ(thread, GetCurrentThreadId());
}

TEST_F(SpVoiceTest, UnassignedEventsAreIgnored) {
  files_.WriteConfig("pace.ms_per_word = 5\n");
  voice_.OnEndStream = [this](long, const VARIANT&) { Record("EndStream"); };
  voice_.Speak(L"one two", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return Received("EndStream"); }, 10s));
  EXPECT_EQ(events_, std::vector<std::string>{"EndStream"});
}

TEST_F(SpVoiceTest, PauseHoldsTheWordsUntilResumeAndEveryPauseCanBeUndone) {
  files_.WriteConfig("pace.ms_per_word = 5\n");
  RecordEvents();
  voice_.Speak(L"one two three", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return !events_.empty(); }, 10s));
  voice_.Pause();
  const size_t heldAt = events_.size();
  // A second voice at the same pace speaks as many words. The held stream
  // started first, so by the end of the second one it would have ended too.
  TSpVoice pacer;
  bool pacerEnded = false;
  pacer.OnEndStream = [&](long, const VARIANT&) { pacerEnded = true; };
  pacer.Speak(L"one two three", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return pacerEnded; }, 10s));
  EXPECT_EQ(events_.size(), heldAt);
  voice_.Resume();
  ASSERT_TRUE(PumpUntil([&] { return events_.back().rfind("EndStream", 0) == 0; }, 10s));
  EXPECT_EQ(files_.Logged("sapi5", "Pause").size(), 1u);
  EXPECT_EQ(files_.Logged("sapi5", "Resume").size(), 1u);

  // The voice speaks only once every pause has had its resume; the wrapper
  // undoes the pauses it made, and only those of the voice object it holds.
  voice_.Resume();  // nothing paused: nothing to undo later
  voice_.Pause();
  voice_.Pause();
  voice_.ResumeEveryPause();
  const long stream = voice_.Speak(L"heard", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return Received("EndStream " + std::to_string(stream)); }, 10s));
  EXPECT_EQ(files_.Logged("sapi5", "Resume").size(), 4u);

  voice_.Pause();
  voice_.Disconnect();
  voice_.ResumeEveryPause();
  EXPECT_FALSE(voice_.Connected());
  EXPECT_EQ(files_.Logged("sapi5", "Resume").size(), 4u);
}

TEST_F(SpVoiceTest, PurgeDropsWhatIsQueued) {
  files_.WriteConfig("pace.ms_per_word = 5\n");
  RecordEvents();
  voice_.Speak(L"first stream with several words", SVSFlagsAsync);
  const long second = voice_.Speak(L"second stream", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return !events_.empty(); }, 10s));
  voice_.Pause();
  voice_.Speak(L"", SVSFPurgeBeforeSpeak);
  voice_.Resume();
  const long third = voice_.Speak(L"third", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return Received("EndStream " + std::to_string(third)); }, 10s));
  EXPECT_FALSE(Received("StartStream " + std::to_string(second)));
  EXPECT_EQ(files_.Logged("sapi5", "Speak").at(2).arguments, "\"\" 2");
}

// A voice object that cannot be made leaves the wrapper disconnected; a
// failing member raises and the voice stays connected.
TEST_F(SpVoiceTest, FailingCallsRaise) {
  files_.WriteConfig("sapi5.voice = Anna\nsapi5.fail = Create\n");
  ExpectComFailure([&] { voice_.Connect(); }, E_FAIL);
  EXPECT_FALSE(voice_.Connected());

  files_.WriteConfig("sapi5.fail = GetVoices | Speak | Pause | Resume | put_Rate | put_Volume\n");
  ExpectComFailure([&] { voice_.GetVoices(L"", L""); }, E_FAIL);
  EXPECT_TRUE(voice_.Connected());
  ExpectComFailure([&] { voice_.Speak(L"text", SVSFlagsAsync); }, E_FAIL);
  ExpectComFailure([&] { voice_.Pause(); }, E_FAIL);
  ExpectComFailure([&] { voice_.Resume(); }, E_FAIL);
  ExpectComFailure([&] { voice_.PutRate(1); }, E_FAIL);
  ExpectComFailure([&] { voice_.PutVolume(50); }, E_FAIL);
  ExpectComFailure([&] { voice_.PutVolume(101); }, E_INVALIDARG);
}

}  // namespace
