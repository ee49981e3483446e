// The stand-in SAPI 4 engine as the engine compliance tests of the SAPI 4 SDK
// ask a real engine to be, and the documented ways real engines differ,
// reached through the runtime's own interfaces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/com_error.h"
#include "base/com_object.h"
#include "speech/sapi4.h"
#include "tests/support/message_pump.h"
#include "tests/support/speech_test_support.h"

namespace {

using Microsoft::WRL::ComPtr;

// Records the audio's starts and stops in order, with the times the engine
// passes by value.
class EngineSink : public ComObject<ITTSNotifySinkA> {
 public:
  HRESULT STDMETHODCALLTYPE AttribChanged(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE AudioStart(QWORD time) override { return Record("start", time); }
  HRESULT STDMETHODCALLTYPE AudioStop(QWORD time) override { return Record("stop", time); }
  HRESULT STDMETHODCALLTYPE Visual(QWORD, char, char, DWORD, TTSMOUTH*) override { return S_OK; }

  std::vector<std::string> events;
  std::vector<QWORD> times;

 private:
  HRESULT Record(const char* event, QWORD time) {
    events.push_back(event);
    times.push_back(time);
    return S_OK;
  }
};

class BufferSink : public ComObject<ITTSBufNotifySink> {
 public:
  HRESULT STDMETHODCALLTYPE TextDataDone(QWORD, DWORD flags) override {
    events.push_back(flags == TTSBNS_ABORTED ? "aborted" : "done");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE TextDataStarted(QWORD) override {
    events.push_back("started");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE BookMark(QWORD, DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE WordPosition(QWORD, DWORD) override { return S_OK; }

  // References held by others than the caller's own one.
  ULONG OtherReferences() {
    AddRef();
    return Release() - 1;
  }

  std::vector<std::string> events;
};

class Sapi4RuntimeTest : public ::testing::Test {
 protected:
  // One engine, bounds speed 50..250 and pitch 60..200, with the options
  // given, selected and with an engine sink registered.
  void Select(const std::string& options, DWORD msPerWord = 5) {
    files_.WriteConfig("pace.ms_per_word = " + std::to_string(msPerWord) +
                       "\nsapi4.engine = Mary | Mary | 50..250 | 60..200 | " + options + "\n");
    ComPtr<ITTSEnumA> enumerator;
    ThrowIfFailed(CoCreateInstance(CLSID_TTSEnumerator, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&enumerator)));
    TTSMODEINFOA mode{};
    ThrowIfFailed(enumerator->Next(1, &mode, nullptr));
    ComPtr<IUnknown> audio;
    ThrowIfFailed(
        CoCreateInstance(CLSID_MMAudioDest, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&audio)));
    ThrowIfFailed(enumerator->Select(mode.gModeID, &central_, audio.Get()));
    ThrowIfFailed(central_.As(&attributes_));
    ThrowIfFailed(central_->Register(static_cast<ITTSNotifySinkA*>(sink_.Get()),
                                     __uuidof(ITTSNotifySinkA), &sinkKey_));
  }

  void Speak(std::string text, ITTSBufNotifySink* buffer = nullptr) {
    ThrowIfFailed(central_->TextData(CHARSET_TEXT, 0,
                                     SDATA{text.data(), static_cast<DWORD>(text.size() + 1)},
                                     buffer, __uuidof(ITTSBufNotifySink)));
  }

  bool WaitForEvents(size_t count) {
    return PumpUntil([&] { return sink_->events.size() >= count; }, 10s);
  }

  DWORD Speed() {
    DWORD speed = 0;
    ThrowIfFailed(attributes_->SpeedGet(&speed));
    return speed;
  }

  WORD Pitch() {
    WORD pitch = 0;
    ThrowIfFailed(attributes_->PitchGet(&pitch));
    return pitch;
  }

  speech_test::StandinFiles files_;
  ComPtr<EngineSink> sink_ = MakeComObject<EngineSink>();
  ComPtr<ITTSCentralA> central_;
  ComPtr<ITTSAttributesA> attributes_;
  DWORD sinkKey_ = 0;
};

// Our declarations against an engine built on its own: values passed by
// value on the stack (GUID, SDATA, QWORD) must arrive intact both ways.
TEST_F(Sapi4RuntimeTest, ValuesPassedByValueArriveIntact) {
  Select("");
  EXPECT_NE(sinkKey_, 0u);
  Speak("by value");
  ASSERT_TRUE(WaitForEvents(2));
  ASSERT_EQ(sink_->events, (std::vector<std::string>{"start", "stop"}));
  EXPECT_GE(sink_->times[0], QWORD{1} << 32);
  EXPECT_EQ(files_.Logged("sapi4", "event AudioStart").at(0).arguments,
            std::to_string(sink_->times[0]));
  EXPECT_EQ(files_.Logged("sapi4", "event AudioStop").at(0).arguments,
            std::to_string(sink_->times[1]));
  EXPECT_EQ(files_.Logged("sapi4", "PassNotify").at(0).arguments,
            "{ACB08C00-C743-11CD-80E5-00AA003E4B50}");
  ThrowIfFailed(central_->UnRegister(sinkKey_));
}

TEST_F(Sapi4RuntimeTest, AnEngineRefusesOrClampsValuesOutsideItsBoundsAndTheSentinelsSelectThem) {
  // Compliance tests 49 to 55: a value outside the bounds is refused and the
  // old one kept, the sentinels select the bounds; a tag is ignored where the
  // setter would refuse its value. The speed and pitch sentinels are the
  // ones MSpeechTest's selection probes the bounds with.
  Select("");
  ASSERT_EQ(Speed(), 150u);
  EXPECT_EQ(attributes_->SpeedSet(2), TTSERR_INVALIDPARAM);
  EXPECT_EQ(attributes_->SpeedSet(20000), TTSERR_INVALIDPARAM);
  EXPECT_EQ(Speed(), 150u);
  EXPECT_EQ(attributes_->PitchSet(2), TTSERR_INVALIDPARAM);
  EXPECT_EQ(Pitch(), 130u);
  EXPECT_EQ(attributes_->RealTimeSet(20), TTSERR_INVALIDPARAM);

  DWORD realTime = 0;
  ThrowIfFailed(attributes_->RealTimeSet(TTSATTR_MAXREALTIME));
  ThrowIfFailed(attributes_->RealTimeGet(&realTime));
  EXPECT_EQ(realTime, 200u);
  DWORD volume = 1;
  ThrowIfFailed(attributes_->VolumeSet(TTSATTR_MINVOLUME));
  ThrowIfFailed(attributes_->VolumeGet(&volume));
  EXPECT_EQ(volume, 0u);

  ThrowIfFailed(central_->Inject("\\Spd=4294967293\\\\Pit=65531\\"));
  EXPECT_EQ(Speed(), 150u);
  EXPECT_EQ(Pitch(), 130u);
  ThrowIfFailed(central_->Inject("\\Pit=70000\\\\spd=120\\\\Pit=100\\"));
  EXPECT_EQ(Speed(), 120u);
  EXPECT_EQ(Pitch(), 100u);
  Select("clamp");
  ThrowIfFailed(attributes_->SpeedSet(20000));
  EXPECT_EQ(Speed(), 250u);
  ThrowIfFailed(attributes_->PitchSet(2));
  EXPECT_EQ(Pitch(), 60u);
  ThrowIfFailed(central_->Inject("\\Spd=2\\\\Pit=70000\\"));
  EXPECT_EQ(Speed(), 50u);
  EXPECT_EQ(Pitch(), 200u);
}

// Compliance test 60: AudioReset releases every pending buffer at once, with
// TextDataDone marked aborted; a buffer so given up never starts.
TEST_F(Sapi4RuntimeTest, AudioResetGivesUpEveryPendingBufferAtOnce) {
  Select("", 1000);
  const auto first = MakeComObject<BufferSink>();
  const auto second = MakeComObject<BufferSink>();
  Speak("a first text of several words", first.Get());
  Speak("second", second.Get());
  ASSERT_TRUE(WaitForEvents(1));
  ASSERT_EQ(first->events, std::vector<std::string>{"started"});

  ThrowIfFailed(central_->AudioReset());
  EXPECT_EQ(first->events, (std::vector<std::string>{"started", "aborted"}));
  EXPECT_EQ(second->events, std::vector<std::string>{"aborted"});
  EXPECT_EQ(first->OtherReferences(), 0u);
  EXPECT_EQ(second->OtherReferences(), 0u);

  // The text being heard still reports the end of its audio, and nothing more.
  ASSERT_TRUE(WaitForEvents(2));
  EXPECT_EQ(sink_->events, (std::vector<std::string>{"start", "stop"}));
  EXPECT_EQ(second->events, std::vector<std::string>{"aborted"});
}

// Without a variation a pause holds the audio silently; pauseok answers a
// second pause with NOERROR instead of TTSERR_ALREADYPAUSED.
TEST_F(Sapi4RuntimeTest, APauseWhilePausedSucceedsOnlyWithPauseOk) {
  Select("pauseok");
  ThrowIfFailed(central_->AudioPause());
  EXPECT_EQ(central_->AudioPause(), S_OK);
  ThrowIfFailed(central_->AudioResume());
  EXPECT_EQ(central_->AudioResume(), TTSERR_NOTPAUSED);
}

// pausenotify: the audio destination's stop on a pause and its start on the
// resume reach the engine sinks as AudioStop and AudioStart, through the
// message loop; the default engine reports one start and one stop per text.
TEST_F(Sapi4RuntimeTest, PauseAndResumeAreNotifiedOnlyWithPauseNotify) {
  for (const bool notifies : {false, true}) {
    SCOPED_TRACE(notifies ? "pausenotify" : "default");
    sink_ = MakeComObject<EngineSink>();
    Select(notifies ? "pausenotify" : "", 20);
    const auto buffer = MakeComObject<BufferSink>();
    Speak("one two three four five six", buffer.Get());
    ASSERT_TRUE(WaitForEvents(1));
    ThrowIfFailed(central_->AudioPause());
    EXPECT_EQ(sink_->events.size(), 1u) << "nothing from inside the call";
    PumpMessages();
    EXPECT_EQ(sink_->events.size(), notifies ? 2u : 1u);
    ThrowIfFailed(central_->AudioResume());
    ASSERT_TRUE(PumpUntil([&] { return buffer->events.size() == 2; }, 10s));
    const std::vector<std::string> once{"start", "stop"};
    const std::vector<std::string> heldOnce{"start", "stop", "start", "stop"};
    EXPECT_EQ(sink_->events, notifies ? heldOnce : once);
  }
}

}  // namespace
