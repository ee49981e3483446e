#include "standins/sapi4/standin_engine.h"

#include <algorithm>
#include <map>

#include "standins/common/com_server.h"
#include "standins/common/standin_log.h"
#include "standins/common/word_pacer.h"
#include "standins/sapi4/control_tags.h"
#include "standins/sapi4/engine_modes.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr DWORD kMinRealTime = 50;
constexpr DWORD kMaxRealTime = 200;
constexpr DWORD kFullVolume = 0xFFFFFFFF;
// Audio positions count bytes of 16-bit mono audio at 22050 Hz and start
// above 4 GiB, so a position cut to 32 bits on its way shows at once.
constexpr QWORD kFirstAudioPosition = QWORD{1} << 32;
constexpr QWORD kBytesPerMs = 44;
// Every word shows the same open mouth; the values only need to arrive.
constexpr TTSMOUTH kWordMouth = {120, 90, 128, 100, 1, 0, 50, 60};

// The engine's sink for its audio destination; a stand-in destination never
// reports anything, so every notification is simply accepted.
class AudioNotifySink : public ComObject<IAudioDestNotifySink> {
 public:
  HRESULT STDMETHODCALLTYPE AudioStop(WORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE AudioStart() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE FreeSpace(DWORD, BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE BookMark(DWORD, BOOL) override { return S_OK; }
};

// An attribute's bounds and the two values that stand for them.
struct AttributeBounds {
  DWORD low;
  DWORD high;
  DWORD lowestSentinel;
  DWORD highestSentinel;
};

// One SAPI 4 engine mode: speaks handed-over text at the configured pace,
// honours the speed, pitch and volume tags, keeps its attributes within its
// bounds as the engine compliance tests demand, and reports AudioStart,
// WordPosition and AudioStop through the caller's message loop. The options
// of its configuration give it the documented ways real engines differ.
class StandinEngine : public ComObject<ITTSCentralA, ITTSAttributesA, ITTSDialogsA> {
 public:
  StandinEngine(std::shared_ptr<const StandinConfig> config, size_t index, IUnknown* audioDestination)
      : config_(std::move(config)),
        engine_(config_->sapi4Engines.at(index)),
        mode_(ModeInfo(engine_, index)),
        audioDestination_(audioDestination),
        pacer_(*config_, L"sapi4-" + std::to_wstring(log_.ObjectId()),
               {[this](const WordPacer::Stream& stream) { StreamStarted(stream); },
                [this](const WordPacer::Stream& stream, const WordSpan& word) { WordReached(stream, word); },
                [this](const WordPacer::Stream& stream) { StreamEnded(stream); }}) {
    log_.Call("Create", Utf8FromAnsi(engine_.modeName));
    speed_ = (engine_.minSpeed + engine_.maxSpeed) / 2;
    pitch_ = static_cast<WORD>((engine_.minPitch + engine_.maxPitch) / 2);
    PassOwnSink();
  }

  ~StandinEngine() override {
    for (auto& [key, sink] : engineSinks_) ReleaseSink(sink, "ITTSNotifySinkA");
    for (auto& [stream, sink] : bufferSinks_) ReleaseSink(sink, "ITTSBufNotifySink");
    log_.Call("Release", 0);
  }

  // ITTSCentralA
  HRESULT STDMETHODCALLTYPE Inject(const char* tag) override {
    const std::string text = tag != nullptr ? tag : "";
    log_.Call("Inject", Utf8FromAnsi(text));
    if (config_->Fails("Inject")) return E_FAIL;
    return Guarded([&] {
      for (const ControlTag& control : ParseControlTags(text)) Apply(control);
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE ModeGet(TTSMODEINFOA* mode) override {
    log_.Call("ModeGet");
    if (mode == nullptr) return E_POINTER;
    *mode = mode_;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Phoneme(VOICECHARSET, DWORD, SDATA, SDATA*) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE PosnGet(QWORD* position) override {
    log_.Call("PosnGet");
    if (position == nullptr) return E_POINTER;
    *position = audioPosition_;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE TextData(VOICECHARSET charset, DWORD flags, SDATA text, void* notifySink,
                                     IID notifyInterface) override {
    const std::string data = text.pData != nullptr ? std::string(static_cast<const char*>(text.pData), text.dwSize)
                                                   : std::string();
    const std::string spoken = data.substr(0, data.find('\0'));
    log_.Call("TextData", static_cast<long>(charset), flags, Utf8FromAnsi(spoken), text.dwSize, notifyInterface);
    if (config_->Fails("TextData")) return E_FAIL;
    if (charset != CHARSET_TEXT) return E_INVALIDARG;
    return Guarded([&] {
      const long number = ++lastStream_;
      if (notifySink != nullptr && notifyInterface == __uuidof(ITTSBufNotifySink))
        bufferSinks_[number] = static_cast<ITTSBufNotifySink*>(notifySink);
      pacer_.Queue({number, SplitWords(spoken), Utf8FromAnsi(spoken), CurrentVoice()});
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE ToFileTime(QWORD*, FILETIME*) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE AudioPause() override {
    log_.Call("AudioPause");
    if (config_->Fails("AudioPause")) return E_FAIL;
    if (pacer_.Paused()) return engine_.pausesWhilePaused ? S_OK : TTSERR_ALREADYPAUSED;
    pacer_.Pause();
    if (engine_.notifiesPauseAndResume && audible_) {
      audible_ = false;
      heldByPause_ = true;
      pacer_.Post([this] { NotifyAudioStop(); });
    }
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE AudioResume() override {
    log_.Call("AudioResume");
    if (config_->Fails("AudioResume")) return E_FAIL;
    if (!pacer_.Paused()) return TTSERR_NOTPAUSED;
    pacer_.Resume();
    if (heldByPause_) {
      heldByPause_ = false;
      audible_ = true;
      pacer_.Post([this] { NotifyAudioStart(); });
    }
    return S_OK;
  }

  // Throws away everything queued and a paused engine runs again. Every
  // buffer not yet done is given up at once, inside this call: TextDataDone
  // with TTSBNS_ABORTED, then Release, so a queued buffer never reports
  // TextDataStarted. A stream being heard still reports its AudioStop.
  HRESULT STDMETHODCALLTYPE AudioReset() override {
    log_.Call("AudioReset");
    if (config_->Fails("AudioReset")) return E_FAIL;
    const ComPtr<StandinEngine> keepAlive(this);
    pacer_.Purge();
    pacer_.Resume();
    heldByPause_ = false;
    AbortBuffers();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Register(void* notifySink, IID notifyInterface, DWORD* key) override {
    log_.Call("Register", notifyInterface);
    if (notifySink == nullptr || key == nullptr) return E_POINTER;
    if (config_->Fails("Register")) return E_FAIL;
    if (notifyInterface != __uuidof(ITTSNotifySinkA)) return E_NOINTERFACE;
    return Guarded([&] {
      *key = ++lastKey_;
      engineSinks_[*key] = static_cast<ITTSNotifySinkA*>(notifySink);
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE UnRegister(DWORD key) override {
    log_.Call("UnRegister", key);
    const auto found = engineSinks_.find(key);
    if (found == engineSinks_.end()) return E_INVALIDARG;
    ReleaseSink(found->second, "ITTSNotifySinkA");
    engineSinks_.erase(found);
    return S_OK;
  }

  // ITTSAttributesA
  HRESULT STDMETHODCALLTYPE PitchGet(WORD* pitch) override { return Read("PitchGet", pitch_, pitch); }
  HRESULT STDMETHODCALLTYPE PitchSet(WORD pitch) override {
    log_.Call("PitchSet", pitch);
    return SetPitch(pitch);
  }
  HRESULT STDMETHODCALLTYPE RealTimeGet(DWORD* realTime) override { return Read("RealTimeGet", realTime_, realTime); }
  HRESULT STDMETHODCALLTYPE RealTimeSet(DWORD realTime) override {
    log_.Call("RealTimeSet", realTime);
    return Bounded(realTime_, realTime,
                   {kMinRealTime, kMaxRealTime, TTSATTR_MINREALTIME, TTSATTR_MAXREALTIME});
  }
  HRESULT STDMETHODCALLTYPE SpeedGet(DWORD* speed) override { return Read("SpeedGet", speed_, speed); }
  HRESULT STDMETHODCALLTYPE SpeedSet(DWORD speed) override {
    log_.Call("SpeedSet", speed);
    return SetSpeed(speed);
  }
  HRESULT STDMETHODCALLTYPE VolumeGet(DWORD* volume) override { return Read("VolumeGet", volume_, volume); }
  HRESULT STDMETHODCALLTYPE VolumeSet(DWORD volume) override {
    log_.Call("VolumeSet", volume);
    volume_ = volume;
    return S_OK;
  }

  // ITTSDialogsA: a stand-in has nothing to show.
  HRESULT STDMETHODCALLTYPE AboutDlg(HWND, const char*) override { return Dialog("AboutDlg"); }
  HRESULT STDMETHODCALLTYPE LexiconDlg(HWND, const char*) override { return Dialog("LexiconDlg"); }
  HRESULT STDMETHODCALLTYPE GeneralDlg(HWND, const char*) override { return Dialog("GeneralDlg"); }
  HRESULT STDMETHODCALLTYPE TranslateDlg(HWND, const char*) override { return Dialog("TranslateDlg"); }

 protected:
  void* FindInterface(REFIID iid) override {
    if (iid == __uuidof(ITTSDialogsA) && engine_.withoutDialogs) return nullptr;
    return ComObject::FindInterface(iid);
  }

 private:
  void PassOwnSink() {
    ComPtr<IAudio> audio;
    if (audioDestination_ && SUCCEEDED(audioDestination_.As(&audio))) {
      const auto sink = MakeComObject<AudioNotifySink>();
      audio->PassNotify(static_cast<IAudioDestNotifySink*>(sink.Get()), __uuidof(IAudioDestNotifySink));
    }
  }

  // A tag takes the setter's way: what the setter would refuse is ignored.
  void Apply(const ControlTag& tag) {
    if (tag.name == "SPD") SetSpeed(tag.value);
    if (tag.name == "PIT") SetPitch(tag.value);
    if (tag.name == "VOL") volume_ = tag.value;
  }

  HRESULT SetSpeed(DWORD speed) {
    return Bounded(speed_, speed,
                   {engine_.minSpeed, engine_.maxSpeed, TTSATTR_MINSPEED, TTSATTR_MAXSPEED});
  }

  // A tag's pitch may be beyond what PitchSet can even be given.
  HRESULT SetPitch(DWORD pitch) {
    DWORD value = pitch_;
    const HRESULT result = Bounded(
        value, pitch, {engine_.minPitch, engine_.maxPitch, TTSATTR_MINPITCH, TTSATTR_MAXPITCH});
    pitch_ = static_cast<WORD>(value);
    return result;
  }

  // The sentinels select the bounds; any other value outside them is refused
  // and the old one kept, or, on a clamping engine, moved to the nearer bound.
  HRESULT Bounded(DWORD& setting, DWORD value, const AttributeBounds& bounds) {
    if (value == bounds.lowestSentinel) {
      value = bounds.low;
    } else if (value == bounds.highestSentinel) {
      value = bounds.high;
    } else if (value < bounds.low || value > bounds.high) {
      if (!engine_.clampsOutOfRange) return TTSERR_INVALIDPARAM;
      value = std::clamp(value, bounds.low, bounds.high);
    }
    setting = value;
    return S_OK;
  }

  template <class Value>
  HRESULT Read(const char* call, Value value, Value* out) const {
    log_.Call(call);
    if (out == nullptr) return E_POINTER;
    if (config_->Fails(call)) return E_FAIL;
    *out = value;
    return S_OK;
  }

  HRESULT Dialog(const char* name) const {
    log_.Call(name);
    return S_OK;
  }

  // espeak-ng hears the engine's speed as is, its pitch placed within the
  // engine's bounds and the left channel's volume.
  EspeakVoice CurrentVoice() const {
    const unsigned span = std::max<unsigned>(engine_.maxPitch - engine_.minPitch, 1);
    return {speed_, (pitch_ - engine_.minPitch) * 99u / span, (volume_ & 0xFFFF) * 100u / 0xFFFF};
  }

  template <class Sink>
  void ReleaseSink(ComPtr<Sink>& sink, const char* kind) const {
    // The count left tells the tests whether the program still holds the sink.
    const unsigned long left = sink.Reset();
    log_.Call("ReleaseSink", std::string(kind), left);
  }

  // A sink may let go of this engine while it handles a notification.
  void StreamStarted(const WordPacer::Stream& stream) {
    const ComPtr<StandinEngine> keepAlive(this);
    audible_ = true;
    if (const auto sink = BufferSink(stream.number)) {
      log_.Event("TextDataStarted", audioPosition_);
      sink->TextDataStarted(audioPosition_);
    }
    NotifyAudioStart();
  }

  void NotifyAudioStart() {
    const ComPtr<StandinEngine> keepAlive(this);
    log_.Event("AudioStart", audioPosition_);
    for (const auto& sink : EngineSinks()) sink->AudioStart(audioPosition_);
  }

  void NotifyAudioStop() {
    const ComPtr<StandinEngine> keepAlive(this);
    log_.Event("AudioStop", audioPosition_);
    for (const auto& sink : EngineSinks()) sink->AudioStop(audioPosition_);
  }

  void WordReached(const WordPacer::Stream& stream, const WordSpan& word) {
    const ComPtr<StandinEngine> keepAlive(this);
    audioPosition_ += config_->msPerWord * kBytesPerMs;
    log_.Event("WordPosition", audioPosition_, word.offset);
    if (const auto sink = BufferSink(stream.number)) sink->WordPosition(audioPosition_, static_cast<DWORD>(word.offset));
    log_.Event("Visual", audioPosition_, kWordMouth.bJawOpen);
    for (const auto& sink : EngineSinks()) {
      TTSMOUTH mouth = kWordMouth;
      sink->Visual(audioPosition_, 'a', 0, 0, &mouth);
    }
  }

  // A stream whose audio the pause already reported stopped stays silent.
  void StreamEnded(const WordPacer::Stream& stream) {
    const ComPtr<StandinEngine> keepAlive(this);
    const auto found = bufferSinks_.find(stream.number);
    if (found != bufferSinks_.end()) {
      ComPtr<ITTSBufNotifySink> sink = std::move(found->second);
      bufferSinks_.erase(found);
      BufferDone(sink, 0);
    }
    if (!audible_) return;
    audible_ = false;
    NotifyAudioStop();
  }

  void AbortBuffers() {
    std::map<long, ComPtr<ITTSBufNotifySink>> aborted;
    aborted.swap(bufferSinks_);
    for (auto& [stream, sink] : aborted) BufferDone(sink, TTSBNS_ABORTED);
  }

  void BufferDone(ComPtr<ITTSBufNotifySink>& sink, DWORD flags) {
    log_.Event("TextDataDone", audioPosition_, flags);
    sink->TextDataDone(audioPosition_, flags);
    ReleaseSink(sink, "ITTSBufNotifySink");
  }

  ComPtr<ITTSBufNotifySink> BufferSink(long stream) const {
    const auto found = bufferSinks_.find(stream);
    return found != bufferSinks_.end() ? found->second : nullptr;
  }

  // A copy, since a sink may unregister while it is called.
  std::vector<ComPtr<ITTSNotifySinkA>> EngineSinks() const {
    std::vector<ComPtr<ITTSNotifySinkA>> sinks;
    for (const auto& [key, sink] : engineSinks_) sinks.push_back(sink);
    return sinks;
  }

  StandinLog log_{"sapi4"};
  std::shared_ptr<const StandinConfig> config_;
  const EngineConfig& engine_;
  const TTSMODEINFOA mode_;
  ComPtr<IUnknown> audioDestination_;
  DWORD speed_ = 0;
  WORD pitch_ = 0;
  DWORD realTime_ = 100;
  DWORD volume_ = kFullVolume;
  QWORD audioPosition_ = kFirstAudioPosition;
  // AudioStart reported and AudioStop not yet; with "pausenotify" a pause
  // reports the stop, and the resume of a stream so held the start again.
  bool audible_ = false;
  bool heldByPause_ = false;
  std::map<DWORD, ComPtr<ITTSNotifySinkA>> engineSinks_;
  std::map<long, ComPtr<ITTSBufNotifySink>> bufferSinks_;
  DWORD lastKey_ = 0;
  long lastStream_ = 0;
  WordPacer pacer_;
};

}  // namespace

HRESULT CreateStandinEngine(std::shared_ptr<const StandinConfig> config, size_t index, IUnknown* audioDestination,
                            ITTSCentralA** central) {
  return CreateAndQuery<StandinEngine>(__uuidof(ITTSCentralA), reinterpret_cast<void**>(central), std::move(config),
                                       index, audioDestination);
}
