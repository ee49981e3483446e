// The speech components against the stand-in engines: the SAPI 4 wrapper,
// the SAPI 5 voice and the start-up check of both families. (That values
// pass intact through our SAPI 4 declarations is Sapi4RuntimeTest's.)
#include <gtest/gtest.h>

#include <algorithm>

#include "base/com_error.h"
#include "speech/engine_check.h"
#include "speech/sapi4.h"
#include "tests/support/message_pump.h"
#include "tests/support/speech_test_support.h"

namespace {

using speech_test::LogEntry;
using speech_test::StandinFiles;
using SpeechError = EMSpeechException;

// What an error carries: a COM failure its HRESULT, a speech component's
// error its fixed text.
HRESULT Carried(const ComError& error) { return error.Result(); }
std::string Carried(const SpeechError& error) { return error.what(); }

// The call must throw `Error` carrying the expected value.
template <typename Error, typename Value>
void ExpectThrows(const std::function<void()>& call, const Value& expected) {
  try {
    call();
    ADD_FAILURE() << "expected " << ::testing::PrintToString(expected);
  } catch (const Error& error) {
    EXPECT_EQ(Carried(error), expected);
  }
}

constexpr const char* kEngines =
    "# engines for the component's tests\n"
    "pace.ms_per_word = 5 # trailing comment\n"
    "sapi4.engine = Mary | Mary Speaker | 50..250 | 60..200\n"
    "sapi4.engine = Adult Male #2 | Mike | 80..300 | 40..120 | nodialogs\n"
    "sapi4.engine = MARY | Twin | 50..250 | 60..200\n"
    "sapi4.engine = Broken | Broken | 50..250 | 60..200 | failselect\n"
    "sapi4.engine = Clamping | Clamping | 100..200 | 80..90 | clamp\n"
    "sapi4.engine = Zoë | Zoë | 50..250 | 60..200\n";

class MSpeechTest : public ::testing::Test {
 protected:
  // The component reads the configuration when it is created.
  TMSpeech& Speech(const std::string& config = kEngines) {
    files_.WriteConfig(config);
    speech_ = std::make_unique<TMSpeech>();
    return *speech_;
  }

  // Speaks `lines` and runs the message loop until the engine stops.
  void SpeakAndWait(TMSpeech& speech, std::vector<std::string> lines) {
    bool stopped = false;
    speech.OnStop = [&](IUnknown*) { stopped = true; };
    speech.Text = std::move(lines);
    speech.SpeakText();
    ASSERT_TRUE(PumpUntil([&] { return stopped; }, 10s));
  }

  std::vector<std::string> Arguments(const std::string& method) const {
    std::vector<std::string> arguments;
    for (const LogEntry& entry : files_.Logged("sapi4", method))
      arguments.push_back(entry.arguments);
    return arguments;
  }

  StandinFiles files_;
  std::unique_ptr<TMSpeech> speech_;
};

// The engines as the enumeration lists them; none, or an enumeration that
// fails, leave nothing to select. The bounds are probed with sentinels,
// which an engine that clamps instead of refusing answers too, and the
// engine's own values are put back.
TEST_F(MSpeechTest, SelectionFindsTheEngineByNameAndReportsItsProbedBounds) {
  TMSpeech& speech = Speech();
  EXPECT_TRUE(speech.Initialized());
  EXPECT_FALSE(speech.EngineSelected());
  EXPECT_EQ(speech.Engines(), (std::vector<std::string>{"Mary", "Adult Male #2", "MARY", "Broken",
                                                        "Clamping", "Zo\xEB"}));
  speech.SelectEngine("Mary");
  ASSERT_TRUE(speech.EngineSelected());
  const TMSpeechEngineInfo& info = speech.EngineInfo();
  EXPECT_EQ(info.ModeName, "Mary");
  EXPECT_EQ(info.Speaker, "Mary Speaker");
  EXPECT_EQ(std::vector<DWORD>({info.MinSpeed, info.MaxSpeed, info.MinPitch, info.MaxPitch}),
            std::vector<DWORD>({50, 250, 60, 200}));
  EXPECT_EQ(speech.GetSpeed(), 150u);
  EXPECT_EQ(speech.GetPitch(), 130u);
  EXPECT_EQ(Arguments("SpeedSet"), (std::vector<std::string>{"4294967295", "0", "150"}));

  speech.SelectEngine("Clamping");
  EXPECT_EQ(std::vector<DWORD>({info.MinSpeed, info.MaxSpeed, info.MinPitch, info.MaxPitch}),
            std::vector<DWORD>({100, 200, 80, 90}));

  // Names differing only in case select the first; an unknown name keeps the
  // selection; the mode identifier, of a mode named in the ANSI code page,
  // arrives intact by value; an engine without dialogs, or one whose selection
  // fails, leaves none selected, not even the one before.
  speech.SelectEngine("MARY");
  EXPECT_EQ(speech.EngineInfo().Speaker, "Mary Speaker");
  speech.SelectEngine("mary");
  EXPECT_EQ(speech.EngineInfo().Speaker, "Mary Speaker");
  ExpectThrows<SpeechError>([&] { speech.SelectEngine("Nobody"); }, SpeechError::kEngineNotFound);
  EXPECT_EQ(speech.EngineInfo().ModeName, "Mary");

  speech.SelectEngine(speech.Engines().back());
  ASSERT_TRUE(speech.EngineSelected());
  EXPECT_EQ(speech.EngineInfo().ModeID, "{6B0F1E05-5A3C-4E71-9C2A-3D5E7F901234}");
  EXPECT_EQ(Arguments("Select").back(), speech.EngineInfo().ModeID);

  for (const char* refusing : {"Adult Male #2", "Broken"}) {
    speech.SelectEngine("Mary");
    speech.SelectEngine(refusing);
    EXPECT_FALSE(speech.EngineSelected()) << refusing;
    ExpectThrows<SpeechError>([&] { speech.SpeakText(); }, SpeechError::kNotSelected);
  }

  EXPECT_TRUE(Speech("").Initialized());
  EXPECT_TRUE(speech_->Engines().empty());
  ExpectThrows<SpeechError>([&] { speech_->SelectEngine("Mary"); }, SpeechError::kEngineNotFound);

  TMSpeech& failed = Speech(std::string(kEngines) + "sapi4.fail = Enumerate\n");
  EXPECT_FALSE(failed.Initialized());
  EXPECT_TRUE(failed.Engines().empty());
  ExpectThrows<SpeechError>([&] { failed.SelectEngine("Mary"); }, SpeechError::kNotInitialized);
  ExpectThrows<SpeechError>([&] { failed.SpeakText(); }, SpeechError::kNotInitialized);
}

// Speed, pitch and volume are injected as tags; start and stop arrive on the
// calling thread through the message loop.
TEST_F(MSpeechTest, ValuesAreInjectedAsTagsAndStartAndStopArriveThroughTheMessageLoop) {
  TMSpeech& speech = Speech();
  speech.SelectEngine("Mary");
  speech.SetSpeed(120);
  speech.SetPitch(65535);
  speech.SetVolume(100);
  speech.SetVolume(50);
  speech.SetVolume(0);
  EXPECT_EQ(
      Arguments("Inject"),
      (std::vector<std::string>{R"("\\Spd=120\\")", R"("\\Pit=65535\\")", R"("\\Vol=4294967295\\")",
                                R"("\\Vol=2147450879\\")", R"("\\Vol=0\\")"}));
  EXPECT_EQ(speech.GetSpeed(), 120u);
  EXPECT_EQ(speech.GetPitch(), 200u) << "65535 stands for the engine's highest pitch";
  speech.SetVolume(50);
  EXPECT_EQ(speech.GetVolume(), 49u);
  speech.SetVolume(100);
  EXPECT_EQ(speech.GetVolume(), 100u);

  std::vector<std::string> events;
  const DWORD caller = GetCurrentThreadId();
  const auto note = [&](const char* event) {
    EXPECT_EQ(GetCurrentThreadId(), caller) << event;
    events.push_back(event);
  };
  speech.OnStart = [&](IUnknown* sender) {
    EXPECT_NE(sender, nullptr);
    note("start");
  };
  speech.OnStop = [&](IUnknown*) { note("stop"); };
  // Mouth shapes reach the visual event, one a word.
  std::vector<int> jawOpenings;
  speech.OnVisual = [&](IUnknown*, DWORD, TTSMOUTH* mouth) {
    jawOpenings.push_back(mouth->bJawOpen);
  };
  speech.Text = {"Hello from Tolvane"};
  speech.SpeakText();
  EXPECT_TRUE(events.empty()) << "notifications must wait for the message loop";
  ASSERT_TRUE(PumpUntil([&] { return events.size() == 2; }, 10s));
  EXPECT_EQ(events, (std::vector<std::string>{"start", "stop"}));
  EXPECT_EQ(jawOpenings, (std::vector<int>{100, 100, 100}));
  EXPECT_EQ(speech.WordOffset(), 11u);

  // The text is handed over as lines, with the terminating zero.
  SpeakAndWait(speech, {"abc"});
  SpeakAndWait(speech, {});
  SpeakAndWait(speech, {"one two", "three"});
  const std::string bufferSink = " {E4963D40-C743-11CD-80E5-00AA003E4B50}";
  const auto handedOver = Arguments("TextData");
  ASSERT_EQ(handedOver.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(handedOver.begin() + 1, handedOver.end()),
            (std::vector<std::string>{R"(0 0 "abc\r\n" 6)" + bufferSink, R"(0 0 "" 1)" + bufferSink,
                                      R"(0 0 "one two\r\nthree\r\n" 17)" + bufferSink}));
  EXPECT_EQ(speech.WordOffset(), 9u);
}

// A stop, and a new text, end a pause; the engine refuses a second pause and
// a resume without one. A text the engine refuses is swallowed; a refused
// pause raises and leaves none.
TEST_F(MSpeechTest, StopAndANewTextEndThePauseAndAFailingPauseRaises) {
  TMSpeech& speech = Speech(std::string(kEngines) + "pace.ms_per_word = 1000\n");
  speech.SelectEngine("Mary");
  bool started = false, stopped = false;
  speech.OnStart = [&](IUnknown*) { started = true; };
  speech.OnStop = [&](IUnknown*) { stopped = true; };
  speech.Text = {"a long text that would take many seconds"};
  speech.SpeakText();
  ASSERT_TRUE(PumpUntil([&] { return started; }, 10s));
  speech.PauseSpeech();
  speech.StopSpeech();
  EXPECT_FALSE(speech.Paused());
  ASSERT_TRUE(PumpUntil([&] { return stopped; }, 10s));
  EXPECT_EQ(files_.Logged("sapi4", "AudioReset").size(), 1u);

  speech.PauseSpeech();
  EXPECT_TRUE(speech.Paused());
  ExpectThrows<ComError>([&] { speech.PauseSpeech(); }, TTSERR_ALREADYPAUSED);
  EXPECT_TRUE(speech.Paused());
  speech.ResumeSpeech();
  EXPECT_FALSE(speech.Paused());
  ExpectThrows<ComError>([&] { speech.ResumeSpeech(); }, TTSERR_NOTPAUSED);
  speech.PauseSpeech();
  speech.Text = {"after pause"};
  speech.SpeakText();
  EXPECT_FALSE(speech.Paused());

  TMSpeech& failing = Speech(std::string(kEngines) + "sapi4.fail = TextData | AudioPause\n");
  failing.SelectEngine("Mary");
  failing.Text = {"swallowed"};
  EXPECT_FALSE(failing.SpeakText());
  EXPECT_THROW(failing.PauseSpeech(), ComError);
  EXPECT_FALSE(failing.Paused());
}

TEST_F(MSpeechTest, ReferencesBalanceAcrossSelectionsAndDestruction) {
  TMSpeech& speech = Speech();
  speech.SelectEngine("Mary");
  speech.Text = {"one two three"};
  speech.SpeakText();
  speech.SelectEngine("MARY");
  // The first engine and its audio destination are gone with the reselection.
  EXPECT_EQ(files_.Logged("sapi4", "Release").size(), 2u);
  EXPECT_EQ(Arguments("UnRegister"), std::vector<std::string>{"1"});
  speech_.reset();
  const auto created = files_.Logged("sapi4", "Create");
  const auto released = files_.Logged("sapi4", "Release");
  for (const LogEntry& object : created) {
    if (object.arguments.empty()) continue;  // the enumerator
    EXPECT_EQ(
        std::count_if(released.begin(), released.end(),
                      [&](const LogEntry& entry) { return entry.objectId == object.objectId; }),
        1)
        << "object " << object.objectId << " " << object.arguments;
  }
  // The engine held the last reference to every sink it let go of at the end.
  const auto sinkReleases = Arguments("ReleaseSink");
  ASSERT_FALSE(sinkReleases.empty());
  EXPECT_EQ(sinkReleases.back(), "\"ITTSNotifySinkA\" 0");
  EXPECT_NE(std::find(sinkReleases.begin(), sinkReleases.end(), "\"ITTSBufNotifySink\" 0"),
            sinkReleases.end());
}

TEST_F(MSpeechTest, TheFileOutputOpensItsTargetBeforeSpeaking) {
  TMSpeech& speech = Speech();
  speech.Output = TSpeechOutput::soFile;
  speech.SelectEngine("Mary");
  ASSERT_TRUE(speech.EngineSelected());
  speech.Filename = files_.Path() + L"\\speech.wav";
  SpeakAndWait(speech, {"to a file"});
  EXPECT_EQ(files_.Logged("sapi4", "Set").size(), 1u);
  EXPECT_EQ(files_.Logged("sapi4", "Flush").size(), 1u);

  speech.Filename = files_.Path() + L"\\missing folder\\speech.wav";
  speech.Text = {"not spoken"};
  speech.SpeakText();  // "Cannot open file" stays inside the component
  EXPECT_EQ(files_.Logged("sapi4", "TextData").size(), 1u);
}

// Start-up's check of each family: a family whose runtime fails when asked
// counts as not installed; a voice object that cannot be made stays
// disconnected.
TEST_F(MSpeechTest, TheEngineCheckReportsEachFamily) {
  const struct {
    const char* config;
    bool sapi4, sapi5, connected;
  } cases[] = {
      {"", false, false, true},
      {"sapi5.voice = Anna\nsapi4.engine = Mary | Mary | 50..250 | 60..200\n", true, true, true},
      {"sapi4.engine = Mary | Mary | 50..250 | 60..200\nsapi4.fail = Enumerate\n"
       "sapi5.voice = Anna\nsapi5.fail = GetVoices\n",
       false, false, true},
      {"sapi5.voice = Anna\nsapi5.fail = Create\n", false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.config);
    TMSpeech& speech = Speech(c.config);
    TSpVoice voice;
    EXPECT_EQ(Sapi4EnginesInstalled(speech), c.sapi4);
    EXPECT_EQ(Sapi5VoicesInstalled(voice), c.sapi5);
    EXPECT_EQ(voice.Connected(), c.connected);
  }
}

// SPERR_NO_MORE_ITEMS, which MinGW's sperror.h lacks.
constexpr HRESULT kNoMoreItems = static_cast<HRESULT>(0x80045039);

class SpVoiceTest : public ::testing::Test {
 protected:
  // Records the events in arrival order.
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

  // Every event arrives on the thread that made the voice.
  void Record(const std::string& event) {
    EXPECT_EQ(GetCurrentThreadId(), testThread_) << event;
    events_.push_back(event);
  }

  bool Received(const std::string& event) const {
    return std::find(events_.begin(), events_.end(), event) != events_.end();
  }

  StandinFiles files_{"pace.ms_per_word = 5\n"};
  TSpVoice voice_;
  std::vector<std::string> events_;
  const DWORD testThread_ = GetCurrentThreadId();
};

// The members connect first when needed; the settings reach the voice.
TEST_F(SpVoiceTest, ConnectsListsTheConfiguredVoicesInOrderAndSetsThemOrRaises) {
  files_.WriteConfig("sapi5.voice = Anna\nsapi5.voice = Zoë (UK)\n");
  EXPECT_FALSE(voice_.Connected());
  auto tokens = voice_.GetVoices(L"", L"");
  EXPECT_TRUE(voice_.Connected());
  EXPECT_EQ(files_.Logged("sapi5", "GetVoices").at(0).arguments, "\"\" \"\"");
  ASSERT_EQ(TokenCount(*tokens.Get()), 2);
  EXPECT_EQ(TokenDescription(*TokenItem(*tokens.Get(), 0).Get()), L"Anna");
  EXPECT_EQ(TokenDescription(*TokenItem(*tokens.Get(), 1).Get()), L"Zoë (UK)");
  // IEnumSpObjectTokens::Item takes the index unsigned: a negative one is
  // beyond the last token too.
  for (const long beyond : {2L, -1L}) {
    ExpectThrows<ComError>([&] { TokenItem(*tokens.Get(), beyond); }, kNoMoreItems);
  }

  voice_.PutrefVoice(TokenItem(*tokens.Get(), 0).Get());
  voice_.PutRate(-2);
  voice_.PutVolume(80);
  EXPECT_EQ(files_.Logged("sapi5", "put_Voice").at(0).arguments, "\"Anna\"");
  EXPECT_EQ(files_.Logged("sapi5", "put_Rate").at(0).arguments, "-2");
  EXPECT_EQ(files_.Logged("sapi5", "put_Volume").at(0).arguments, "80");

  // A voice object that cannot be made leaves the wrapper disconnected; a
  // failing member raises and the voice stays connected.
  voice_.Disconnect();
  files_.WriteConfig("sapi5.voice = Anna\nsapi5.fail = Create\n");
  ExpectThrows<ComError>([&] { voice_.Connect(); }, E_FAIL);
  EXPECT_FALSE(voice_.Connected());

  files_.WriteConfig("sapi5.fail = GetVoices | Speak | Pause | Resume | put_Rate | put_Volume\n");
  ExpectThrows<ComError>([&] { voice_.GetVoices(L"", L""); }, E_FAIL);
  EXPECT_TRUE(voice_.Connected());
  ExpectThrows<ComError>([&] { voice_.Speak(L"text", SVSFlagsAsync); }, E_FAIL);
  ExpectThrows<ComError>([&] { voice_.Pause(); }, E_FAIL);
  ExpectThrows<ComError>([&] { voice_.Resume(); }, E_FAIL);
  ExpectThrows<ComError>([&] { voice_.PutRate(1); }, E_FAIL);
  ExpectThrows<ComError>([&] { voice_.PutVolume(50); }, E_FAIL);
  ExpectThrows<ComError>([&] { voice_.PutVolume(101); }, E_INVALIDARG);
}

// Reconnecting gives a fresh voice object; the events of the old one, still
// speaking, are dropped.
TEST_F(SpVoiceTest, ReconnectingGivesAFreshVoiceObjectAndDropsTheOldOnesEvents) {
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

// Without a configuration there are no voices (the engine check's first
// case), and the voice object speaks all the same. Unassigned events are
// ignored. How markup counts in the word positions is StandinMarkupTest's,
// through this wrapper too.
TEST_F(SpVoiceTest, SpeechEventsArriveInOrderThroughTheMessageLoop) {
  voice_.OnEndStream = [this](long, const VARIANT&) { Record("EndStream"); };
  voice_.Speak(L"one two", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return Received("EndStream"); }, 10s));
  EXPECT_EQ(events_, std::vector<std::string>{"EndStream"});
  events_.clear();
  RecordEvents();
  const std::string s = std::to_string(voice_.Speak(L"Hello from  Tolvane", SVSFlagsAsync));
  EXPECT_TRUE(events_.empty()) << "events must wait for the message loop";
  ASSERT_TRUE(PumpUntil([&] { return Received("EndStream " + s); }, 10s));
  EXPECT_EQ(events_, (std::vector<std::string>{"StartStream " + s, "Word " + s + " 0 5",
                                               "Word " + s + " 6 4", "Word " + s + " 12 7",
                                               "EndStream " + s}));

  // A purge drops what is queued.
  const long first = voice_.Speak(L"first stream with several words", SVSFlagsAsync);
  const long second = voice_.Speak(L"second stream", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return Received("StartStream " + std::to_string(first)); }, 10s));
  voice_.Pause();
  voice_.Speak(L"", SVSFPurgeBeforeSpeak);
  voice_.Resume();
  const long third = voice_.Speak(L"third", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return Received("EndStream " + std::to_string(third)); }, 10s));
  EXPECT_FALSE(Received("StartStream " + std::to_string(second)));
  EXPECT_EQ(files_.Logged("sapi5", "Speak").rbegin()[1].arguments, "\"\" 2");
}

// That a pause holds the words is the voice's own (Sapi5RuntimeTest); the
// wrapper undoes the pauses it made, and only those of the voice object it
// holds, so the voice speaks again.
TEST_F(SpVoiceTest, ResumeEveryPauseUndoesThePausesOfTheVoiceItHolds) {
  RecordEvents();
  voice_.Resume();  // nothing paused: nothing to undo later
  voice_.Pause();
  voice_.Pause();
  voice_.ResumeEveryPause();
  const long stream = voice_.Speak(L"heard", SVSFlagsAsync);
  ASSERT_TRUE(PumpUntil([&] { return Received("EndStream " + std::to_string(stream)); }, 10s));
  EXPECT_EQ(files_.Logged("sapi5", "Resume").size(), 3u);

  voice_.Pause();
  voice_.Disconnect();
  voice_.ResumeEveryPause();
  EXPECT_FALSE(voice_.Connected());
  EXPECT_EQ(files_.Logged("sapi5", "Resume").size(), 3u);
}

}  // namespace
