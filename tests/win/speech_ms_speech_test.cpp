#include <gtest/gtest.h>

#include <algorithm>

#include "base/com_error.h"
#include "speech/ms_speech.h"
#include "tests/support/message_pump.h"
#include "tests/support/speech_test_support.h"

namespace {

using speech_test::LogEntry;
using speech_test::StandinFiles;

constexpr const char* kEngines =
    "# engines for the component's tests\n"
    "pace.ms_per_word = 5 # trailing comment\n"
    "sapi4.engine = Mary | Mary Speaker | 50..250 | 60..200\n"
    "sapi4.engine = Adult Male #2 | Mike | 80..300 | 40..120 | nodialogs\n"
    "sapi4.engine = MARY | Twin | 50..250 | 60..200\n"
    "sapi4.engine = Broken | Broken | 50..250 | 60..200 | failselect\n"
    "sapi4.engine = Clamping | Clamping | 100..200 | 80..90 | clamp\n"
    "sapi4.engine = Zoë | Zoë | 50..250 | 60..200\n";

void ExpectSpeechError(const std::function<void()>& call, const char* text) {
  try {
    call();
    ADD_FAILURE() << "expected \"" << text << "\"";
  } catch (const EMSpeechException& error) {
    EXPECT_STREQ(error.what(), text);
  }
}

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
// fails, leave nothing to select.
TEST_F(MSpeechTest, ListsTheConfiguredEnginesInEnumerationOrder) {
  TMSpeech& speech = Speech();
  EXPECT_TRUE(speech.Initialized());
  EXPECT_FALSE(speech.EngineSelected());
  EXPECT_EQ(speech.Engines(), (std::vector<std::string>{"Mary", "Adult Male #2", "MARY", "Broken",
                                                        "Clamping", "Zo\xEB"}));

  EXPECT_TRUE(Speech("").Initialized());
  EXPECT_TRUE(speech_->Engines().empty());
  ExpectSpeechError([&] { speech_->SelectEngine("Mary"); }, EMSpeechException::kEngineNotFound);

  TMSpeech& failed = Speech(std::string(kEngines) + "sapi4.fail = Enumerate\n");
  EXPECT_FALSE(failed.Initialized());
  EXPECT_TRUE(failed.Engines().empty());
  ExpectSpeechError([&] { failed.SelectEngine("Mary"); }, EMSpeechException::kNotInitialized);
  ExpectSpeechError([&] { failed.SpeakText(); }, EMSpeechException::kNotInitialized);
}

// The bounds are probed with sentinels, which an engine that clamps instead
// of refusing answers too, and the engine's own values are put back.
TEST_F(MSpeechTest, SelectingReportsTheEngineAndItsProbedBounds) {
  TMSpeech& speech = Speech();
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
}

// Names differing only in case select the first; an unknown name keeps the
// selection; the mode identifier, of a mode named in the ANSI code page,
// arrives intact by value; an engine without dialogs, or one whose selection
// fails, leaves none selected, not even the one before.
TEST_F(MSpeechTest, SelectionFindsTheEngineByNameOrLeavesNoneSelected) {
  TMSpeech& speech = Speech();
  speech.SelectEngine("MARY");
  EXPECT_EQ(speech.EngineInfo().Speaker, "Mary Speaker");
  speech.SelectEngine("mary");
  EXPECT_EQ(speech.EngineInfo().Speaker, "Mary Speaker");
  ExpectSpeechError([&] { speech.SelectEngine("Nobody"); }, EMSpeechException::kEngineNotFound);
  EXPECT_EQ(speech.EngineInfo().ModeName, "Mary");

  speech.SelectEngine(speech.Engines().back());
  ASSERT_TRUE(speech.EngineSelected());
  EXPECT_EQ(speech.EngineInfo().ModeID, "{6B0F1E05-5A3C-4E71-9C2A-3D5E7F901234}");
  EXPECT_EQ(Arguments("Select").back(), speech.EngineInfo().ModeID);

  for (const char* refusing : {"Adult Male #2", "Broken"}) {
    speech.SelectEngine("Mary");
    speech.SelectEngine(refusing);
    EXPECT_FALSE(speech.EngineSelected()) << refusing;
    ExpectSpeechError([&] { speech.SpeakText(); }, EMSpeechException::kNotSelected);
  }
}

TEST_F(MSpeechTest, SpeedPitchAndVolumeAreInjectedAsTags) {
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
}

TEST_F(MSpeechTest, StartAndStopArriveOnTheCallingThreadThroughTheMessageLoop) {
  TMSpeech& speech = Speech();
  speech.SelectEngine("Mary");
  std::vector<std::string> events;
  std::vector<DWORD> threads;
  speech.OnStart = [&](IUnknown* sender) {
    EXPECT_NE(sender, nullptr);
    events.push_back("start");
    threads.push_back(GetCurrentThreadId());
  };
  speech.OnStop = [&](IUnknown*) {
    events.push_back("stop");
    threads.push_back(GetCurrentThreadId());
  };
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
  EXPECT_EQ(threads, (std::vector<DWORD>(2, GetCurrentThreadId())));
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

TEST_F(MSpeechTest, PausingAndResuming) {
  TMSpeech& speech = Speech();
  speech.SelectEngine("Mary");
  const auto expectRefused = [](const std::function<void()>& call, HRESULT expected) {
    try {
      call();
      ADD_FAILURE() << "expected the engine to refuse";
    } catch (const ComError& error) {
      EXPECT_EQ(error.Result(), expected);
    }
  };
  EXPECT_FALSE(speech.Paused());
  speech.PauseSpeech();
  EXPECT_TRUE(speech.Paused());
  expectRefused([&] { speech.PauseSpeech(); }, TTSERR_ALREADYPAUSED);
  EXPECT_TRUE(speech.Paused());
  speech.ResumeSpeech();
  EXPECT_FALSE(speech.Paused());
  expectRefused([&] { speech.ResumeSpeech(); }, TTSERR_NOTPAUSED);
  speech.PauseSpeech();
  speech.Text = {"after pause"};
  speech.SpeakText();
  EXPECT_FALSE(speech.Paused());
}

TEST_F(MSpeechTest, StopEndsTheSpeechAndClearsThePause) {
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
}

TEST_F(MSpeechTest, FailingEngineCallsRaiseOrAreSwallowedAsDocumented) {
  TMSpeech& speech = Speech(std::string(kEngines) + "sapi4.fail = TextData | AudioPause\n");
  speech.SelectEngine("Mary");
  speech.Text = {"swallowed"};
  speech.SpeakText();
  EXPECT_THROW(speech.PauseSpeech(), ComError);
  EXPECT_FALSE(speech.Paused());
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

}  // namespace
