#include "speech/ms_speech.h"

#include <algorithm>
#include <cstring>

#include "base/com_error.h"
#include "base/com_object.h"
#include "base/exception_guard.h"
#include "speech/sapi4_tags.h"

using Microsoft::WRL::ComPtr;

namespace {

// The engines are in-process, in-process-handler or local servers; the
// remote context was never asked for.
constexpr DWORD kEngineContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
constexpr DWORD kFileTargetFlags = 1;

template <size_t size>
std::string FieldText(const char (&field)[size]) {
  return std::string(field, strnlen(field, size));
}

std::string GuidText(const GUID& guid) {
  wchar_t wide[39];
  StringFromGUID2(guid, wide, 39);
  return std::string(wide, wide + 38);
}

// Sets an attribute to the sentinels that stand for the engine's highest and
// lowest value and reads back what the engine took, then restores the
// engine's value. Any other out-of-range value would be refused by a
// compliant engine and tell nothing. The results of the calls are ignored on
// purpose: an engine that refuses even the sentinels reports its current
// value.
template <class Value>
void ProbeBounds(ITTSAttributesA& attributes,
                 HRESULT (STDMETHODCALLTYPE ITTSAttributesA::*get)(Value*),
                 HRESULT (STDMETHODCALLTYPE ITTSAttributesA::*set)(Value), Value highestSentinel,
                 Value lowestSentinel, Value& maximum, Value& minimum) {
  Value saved = 0;
  (attributes.*get)(&saved);
  (attributes.*set)(highestSentinel);
  (attributes.*get)(&maximum);
  (attributes.*set)(lowestSentinel);
  (attributes.*get)(&minimum);
  (attributes.*set)(saved);
}

}  // namespace

// Receives the engine's notifications and raises the component's events.
class TMSpeech::TTSNotifySink : public ComObject<ITTSNotifySinkA> {
 public:
  explicit TTSNotifySink(TMSpeech* owner) : owner_(owner) {}
  void Detach() { owner_ = nullptr; }

  HRESULT STDMETHODCALLTYPE AttribChanged(DWORD) override { return S_OK; }

  // Some engines report a pause and a resume as AudioStop and AudioStart, and
  // the start of a resume may arrive only after a later pause: the audio is
  // held then, so a paused component raises no start. A new text always
  // comes with the pause lifted.
  HRESULT STDMETHODCALLTYPE AudioStart(QWORD) override {
    CallGuarded([this] {
      if (owner_ != nullptr && !owner_->paused_ && owner_->OnStart) owner_->OnStart(this);
    });
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE AudioStop(QWORD) override {
    CallGuarded([this] {
      if (owner_ == nullptr) return;
      if (owner_->Output == TSpeechOutput::soFile) owner_->FlushFileDestination();
      if (owner_->OnStop) owner_->OnStop(this);
    });
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Visual(QWORD, char, char, DWORD hints, TTSMOUTH* mouth) override {
    CallGuarded([this, hints, mouth] {
      if (owner_ != nullptr && owner_->OnVisual) owner_->OnVisual(this, hints, mouth);
    });
    return S_OK;
  }

 private:
  TMSpeech* owner_;
};

// Receives the notifications about one handed-over text; only the position
// of the word being spoken is of interest.
class TMSpeech::TTSBufNotifySink : public ComObject<ITTSBufNotifySink> {
 public:
  explicit TTSBufNotifySink(TMSpeech* owner) : owner_(owner) {}
  void Detach() { owner_ = nullptr; }

  HRESULT STDMETHODCALLTYPE TextDataDone(QWORD, DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TextDataStarted(QWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE BookMark(QWORD, DWORD) override { return S_OK; }

  HRESULT STDMETHODCALLTYPE WordPosition(QWORD, DWORD byteOffset) override {
    if (owner_ != nullptr) owner_->wordOffset_ = byteOffset;
    return S_OK;
  }

 private:
  TMSpeech* owner_;
};

TMSpeech::TMSpeech() : version_("1.2"), modeInfo_(std::make_unique<TTSMODEINFOA>()) { Enumerate(); }

TMSpeech::~TMSpeech() {
  initialized_ = false;
  // The sinks go first, so that the engine holds their last references and
  // no notification reaches a component that is being destroyed.
  DetachSinks();
  engineSink_.Reset();
  bufferSink_.Reset();
}

void TMSpeech::Enumerate() {
  initialized_ = true;
  engineSelected_ = false;
  try {
    ThrowIfFailed(
        CoCreateInstance(CLSID_TTSEnumerator, nullptr, kEngineContext, IID_PPV_ARGS(&enumerator_)));
    ThrowIfFailed(enumerator_->Reset());
    for (;;) {
      TTSMODEINFOA mode{};
      ULONG fetched = 0;
      ThrowIfFailed(enumerator_->Next(1, &mode, &fetched));
      if (fetched == 0) break;
      engines_.push_back(FieldText(mode.szModeName));
    }
  } catch (const std::exception&) {
    initialized_ = false;
    engines_.clear();
  }
}

void TMSpeech::SelectEngine(const std::string& modeName) {
  if (!initialized_) throw EMSpeechException(EMSpeechException::kNotInitialized);
  const auto found = std::find_if(engines_.begin(), engines_.end(), [&](const std::string& engine) {
    return lstrcmpiA(engine.c_str(), modeName.c_str()) == 0;
  });
  if (found == engines_.end()) throw EMSpeechException(EMSpeechException::kEngineNotFound);
  engineSelected_ = true;
  try {
    Select(static_cast<size_t>(found - engines_.begin()));
  } catch (const std::exception&) {
    engineSelected_ = false;
  }
}

void TMSpeech::Select(size_t index) {
  ComPtr<IUnknown> destination = CreateAudioDestination();
  if (registrationKey_ != 0) {
    const DWORD key = registrationKey_;
    registrationKey_ = 0;
    ThrowIfFailed(central_->UnRegister(key));
  }
  DetachSinks();
  bufferSink_ = MakeComObject<TTSBufNotifySink>(this);
  engineSink_ = MakeComObject<TTSNotifySink>(this);

  *modeInfo_ = FetchMode(index);

  dialogs_.Reset();
  attributes_.Reset();
  central_.Reset();
  audioDestination_ = destination;
  ThrowIfFailed(enumerator_->Select(modeInfo_->gModeID, &central_, destination.Get()));
  ThrowIfFailed(central_.As(&attributes_));
  ThrowIfFailed(central_.As(&dialogs_));
  ThrowIfFailed(central_->Register(static_cast<ITTSNotifySinkA*>(engineSink_.Get()),
                                   __uuidof(ITTSNotifySinkA), &registrationKey_));

  FillEngineInfo(*modeInfo_);
  ProbeEngineBounds();
}

ComPtr<IUnknown> TMSpeech::CreateAudioDestination() {
  ComPtr<IUnknown> destination;
  if (Output == TSpeechOutput::soGeneral) {
    ComPtr<IAudioMultiMediaDevice> device;
    ThrowIfFailed(
        CoCreateInstance(CLSID_MMAudioDest, nullptr, kEngineContext, IID_PPV_ARGS(&device)));
    ThrowIfFailed(device.As(&destination));
  } else {
    ComPtr<IAudioFile> file;
    ThrowIfFailed(
        CoCreateInstance(CLSID_AudioDestFile, nullptr, kEngineContext, IID_PPV_ARGS(&file)));
    ThrowIfFailed(file.As(&destination));
  }
  return destination;
}

TTSMODEINFOA TMSpeech::FetchMode(size_t index) {
  TTSMODEINFOA mode{};
  ULONG fetched = 0;
  ThrowIfFailed(enumerator_->Reset());
  ThrowIfFailed(enumerator_->Skip(static_cast<ULONG>(index)));
  ThrowIfFailed(enumerator_->Next(1, &mode, &fetched));
  if (fetched != 1) throw ComError(E_UNEXPECTED);
  return mode;
}

void TMSpeech::FillEngineInfo(const TTSMODEINFOA& mode) {
  TMSpeechEngineInfo& info = engineInfo_;
  info.ModeName = FieldText(mode.szModeName);
  info.Dialect = FieldText(mode.language.szDialect);
  info.MfgName = FieldText(mode.szMfgName);
  info.ProductName = FieldText(mode.szProductName);
  info.ModeID = GuidText(mode.gModeID);
  info.EngineID = GuidText(mode.gEngineID);
  info.Speaker = FieldText(mode.szSpeaker);
  info.Style = FieldText(mode.szStyle);
  static constexpr const char* kGenderNames[] = {"NEUTRAL", "FEMALE", "MALE"};
  if (mode.wGender < std::size(kGenderNames)) info.Gender = kGenderNames[mode.wGender];
  info.Age = mode.wAge;
  info.Features = static_cast<LONG>(mode.dwFeatures);
  info.Interfaces = static_cast<LONG>(mode.dwInterfaces);
}

void TMSpeech::ProbeEngineBounds() {
  ITTSAttributesA& attributes = Attributes();
  TMSpeechEngineInfo& info = engineInfo_;
  ProbeBounds(attributes, &ITTSAttributesA::PitchGet, &ITTSAttributesA::PitchSet, TTSATTR_MAXPITCH,
              TTSATTR_MINPITCH, info.MaxPitch, info.MinPitch);
  ProbeBounds(attributes, &ITTSAttributesA::RealTimeGet, &ITTSAttributesA::RealTimeSet,
              TTSATTR_MAXREALTIME, TTSATTR_MINREALTIME, info.MaxRealTime, info.MinRealTime);
  ProbeBounds(attributes, &ITTSAttributesA::SpeedGet, &ITTSAttributesA::SpeedSet, TTSATTR_MAXSPEED,
              TTSATTR_MINSPEED, info.MaxSpeed, info.MinSpeed);
  info.MaxVolume = 100;
  info.MinVolume = 0;
}

bool TMSpeech::SpeakText() {
  if (!initialized_) throw EMSpeechException(EMSpeechException::kNotInitialized);
  if (!engineSelected_) throw EMSpeechException(EMSpeechException::kNotSelected);
  try {
    paused_ = false;
    if (Output == TSpeechOutput::soFile) OpenFileTarget();
    HandOverText();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TMSpeech::OpenFileTarget() {
  ComPtr<IAudioFile> file;
  ThrowIfFailed(audioDestination_.As(&file));
  if (FAILED(file->Set(Filename.c_str(), kFileTargetFlags)))
    throw EMSpeechException(EMSpeechException::kCannotOpenFile);
}

void TMSpeech::FlushFileDestination() {
  ComPtr<IAudioFile> file;
  if (audioDestination_ && SUCCEEDED(audioDestination_.As(&file))) file->Flush();
}

void TMSpeech::HandOverText() {
  std::string joined;
  for (const std::string& line : Text) joined += line + "\r\n";
  // The engine reads the terminating zero as part of the data.
  SDATA data{joined.data(), static_cast<DWORD>(joined.size() + 1)};
  ThrowIfFailed(Central().TextData(CHARSET_TEXT, 0, data,
                                   static_cast<ITTSBufNotifySink*>(bufferSink_.Get()),
                                   __uuidof(ITTSBufNotifySink)));
}

void TMSpeech::StopSpeech() {
  paused_ = false;
  ThrowIfFailed(Central().AudioReset());
}

void TMSpeech::PauseSpeech() {
  ThrowIfFailed(Central().AudioPause());
  paused_ = true;
}

void TMSpeech::ResumeSpeech() {
  ThrowIfFailed(Central().AudioResume());
  paused_ = false;
}

// The reads report no error: an engine that could not be selected costs its
// caller only its values, never the operation.
DWORD TMSpeech::GetSpeed() {
  DWORD speed = 0;
  if (attributes_) attributes_->SpeedGet(&speed);
  return speed;
}

void TMSpeech::SetSpeed(DWORD speed) { Central().Inject(SpeedTag(speed).c_str()); }

WORD TMSpeech::GetPitch() {
  WORD pitch = 0;
  if (attributes_) attributes_->PitchGet(&pitch);
  return pitch;
}

void TMSpeech::SetPitch(WORD pitch) { Central().Inject(PitchTag(pitch).c_str()); }

DWORD TMSpeech::GetVolume() {
  DWORD volume = 0;
  if (attributes_) attributes_->VolumeGet(&volume);
  return VolumePercent(volume);
}

void TMSpeech::SetVolume(DWORD percent) { Central().Inject(VolumeTag(percent).c_str()); }

ITTSCentralA& TMSpeech::Central() {
  if (!central_) throw EMSpeechException(EMSpeechException::kNotSelected);
  return *central_.Get();
}

ITTSAttributesA& TMSpeech::Attributes() {
  if (!attributes_) throw EMSpeechException(EMSpeechException::kNotSelected);
  return *attributes_.Get();
}

void TMSpeech::DetachSinks() {
  if (engineSink_) engineSink_->Detach();
  if (bufferSink_) bufferSink_->Detach();
}
