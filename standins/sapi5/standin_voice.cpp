#include "standins/sapi5/standin_voice.h"

#include <sapi.h>
#include <sperror.h>

#include <algorithm>
#include <optional>

#include "speech/dispatch_params.h"
#include "standins/common/com_server.h"
#include "standins/common/standin_config.h"
#include "standins/common/standin_log.h"
#include "standins/common/word_pacer.h"
#include "standins/sapi5/speech_markup.h"
#include "standins/sapi5/standin_tokens.h"
#include "standins/sapi5/voice_events.h"

using Microsoft::WRL::ComPtr;

// The runtime's answer to text its XML parser refuses; MinGW's sperror.h
// lacks it.
#ifndef SPERR_UNSUPPORTED_FORMAT
#define SPERR_UNSUPPORTED_FORMAT MAKE_SAPI_ERROR(0x0003)
#endif

namespace {

std::wstring BstrText(BSTR text) { return text != nullptr ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

// The members a script reaches through IDispatch, by the runtime's own
// dispatch identifiers.
constexpr LateBoundMember kLateBoundMembers[] = {
    {L"Voice", DISPID_SVVoice},   {L"Rate", DISPID_SVRate},     {L"Volume", DISPID_SVVolume},
    {L"Speak", DISPID_SVSpeak},   {L"Pause", DISPID_SVPause},   {L"Resume", DISPID_SVResume},
    {L"GetVoices", DISPID_SVGetVoices}};

// The rates the speech itself keeps to, slowest to fastest.
constexpr LONG kSlowestRate = -10;
constexpr LONG kFastestRate = 10;

unsigned EspeakPitch(long pitchMiddle) { return static_cast<unsigned>(std::clamp(50 + 5 * pitchMiddle, 0L, 99L)); }

// Stands in for SAPI 5's SpVoice: the members the program uses behave like
// the real voice, the rest answer E_NOTIMPL. Every call is logged, and a
// call named in the configuration's failures answers E_FAIL.
class StandinVoice : public ComObject<DispatchWithoutTypeInfo<ISpeechVoice>, IConnectionPointContainer> {
 public:
  explicit StandinVoice(StandinConfig config)
      : config_(std::move(config)),
        events_(MakeComObject<VoiceEventsPoint>(this)),
        pacer_(config_, L"sapi5-" + std::to_wstring(log_.ObjectId()),
               {[this](const WordPacer::Stream& stream) { StreamStarted(stream); },
                [this](const WordPacer::Stream& stream, const WordSpan& word) { WordReached(stream, word); },
                [this](const WordPacer::Stream& stream) { StreamEnded(stream); }}) {
    log_.Call("Create");
  }

  ~StandinVoice() override {
    events_->Orphan();
    log_.Call("Release", 0);
  }

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
    log_.Call("FindConnectionPoint", iid);
    if (point == nullptr) return E_POINTER;
    *point = nullptr;
    if (iid != DIID__ISpeechVoiceEvents) return CONNECT_E_NOCONNECTION;
    return events_.CopyTo(point);
  }

  // IDispatch: ISpeechVoice is a dual interface; late-bound callers reach
  // the same members.
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    return LookUpMembers(kLateBoundMembers, names, count, ids);
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    if (params == nullptr) return E_POINTER;
    if (result != nullptr) VariantInit(result);
    return Guarded([&] { return InvokeMember(id, flags, *params, result); });
  }

  // ISpeechVoice, the members the program uses
  HRESULT STDMETHODCALLTYPE GetVoices(BSTR required, BSTR optional, ISpeechObjectTokens** tokens) override {
    log_.Call("GetVoices", BstrText(required), BstrText(optional));
    if (tokens == nullptr) return E_POINTER;
    *tokens = nullptr;
    if (config_.Fails("GetVoices")) return E_FAIL;
    return Guarded([&] { return MakeVoiceTokens(config_.sapi5Voices).CopyTo(tokens); });
  }

  HRESULT STDMETHODCALLTYPE putref_Voice(ISpeechObjectToken* voice) override {
    if (voice == nullptr) return E_INVALIDARG;
    BSTR description = nullptr;
    const HRESULT described = voice->GetDescription(0, &description);
    log_.Call("put_Voice", BstrText(description));
    SysFreeString(description);
    if (FAILED(described)) return described;
    if (config_.Fails("put_Voice")) return E_FAIL;
    voice_ = voice;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_Voice(ISpeechObjectToken** voice) override {
    log_.Call("get_Voice");
    if (voice == nullptr) return E_POINTER;
    *voice = nullptr;
    return voice_ ? voice_.CopyTo(voice) : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE get_Rate(LONG* rate) override { return Read("get_Rate", rate_, rate); }
  // The runtime takes any rate and reads it back as set; only the speech
  // itself keeps to -10..10.
  HRESULT STDMETHODCALLTYPE put_Rate(LONG rate) override {
    log_.Call("put_Rate", rate);
    return Write("put_Rate", rate_, rate);
  }

  HRESULT STDMETHODCALLTYPE get_Volume(LONG* volume) override { return Read("get_Volume", volume_, volume); }
  HRESULT STDMETHODCALLTYPE put_Volume(LONG volume) override {
    log_.Call("put_Volume", volume);
    if (volume < 0 || volume > 100) return E_INVALIDARG;
    return Write("put_Volume", volume_, volume);
  }

  // Always asynchronous: the program never asks to wait. Markup the
  // runtime's parser refuses fails the call before anything is queued.
  HRESULT STDMETHODCALLTYPE Speak(BSTR text, SpeechVoiceSpeakFlags flags, LONG* streamNumber) override {
    const std::wstring given = BstrText(text);
    log_.Call("Speak", given, static_cast<long>(flags));
    if (streamNumber != nullptr) *streamNumber = 0;
    if (config_.Fails("Speak")) return E_FAIL;
    return Guarded([&] {
      const std::optional<SpokenText> spoken = SpokenTextOf(given, ParsesAsMarkup(given, flags));
      if (!spoken) return SPERR_UNSUPPORTED_FORMAT;
      if (flags & SVSFPurgeBeforeSpeak) pacer_.Purge();
      if (given.empty()) return S_OK;
      log_.Call("Spoken", spoken->said);
      const EspeakVoice voice{WordsPerMinuteOfRate(std::clamp(rate_, kSlowestRate, kFastestRate)),
                              EspeakPitch(spoken->pitchMiddle), static_cast<unsigned>(volume_)};
      pacer_.Queue(
          {++lastStream_, SplitWords(spoken->wordSource), Utf8FromWide(spoken->said), voice});
      if (streamNumber != nullptr) *streamNumber = lastStream_;
      return S_OK;
    });
  }
  // The runtime keeps a pause count: every Pause holds the voice once more,
  // every Resume lets go once, and speech goes on only at zero. A Resume
  // with nothing paused changes nothing; a purge leaves the count alone.
  HRESULT STDMETHODCALLTYPE Pause() override {
    log_.Call("Pause");
    if (config_.Fails("Pause")) return E_FAIL;
    if (pauses_++ == 0) pacer_.Pause();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Resume() override {
    log_.Call("Resume");
    if (config_.Fails("Resume")) return E_FAIL;
    if (pauses_ > 0 && --pauses_ == 0) pacer_.Resume();
    return S_OK;
  }

  // ISpeechVoice, the members the program never calls
  HRESULT STDMETHODCALLTYPE get_Status(ISpeechVoiceStatus**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_AudioOutput(ISpeechObjectToken**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE putref_AudioOutput(ISpeechObjectToken*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_AudioOutputStream(ISpeechBaseStream**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE putref_AudioOutputStream(ISpeechBaseStream*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_AllowAudioOutputFormatChangesOnNextSet(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_AllowAudioOutputFormatChangesOnNextSet(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_EventInterests(SpeechVoiceEvents*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_EventInterests(SpeechVoiceEvents) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Priority(SpeechVoicePriority) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Priority(SpeechVoicePriority*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_AlertBoundary(SpeechVoiceEvents) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_AlertBoundary(SpeechVoiceEvents*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_SynchronousSpeakTimeout(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SynchronousSpeakTimeout(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SpeakStream(ISpeechBaseStream*, SpeechVoiceSpeakFlags, LONG*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Skip(const BSTR, LONG, LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetAudioOutputs(BSTR, BSTR, ISpeechObjectTokens**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE WaitUntilDone(LONG, VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SpeakCompleteEvent(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsUISupported(const BSTR, const VARIANT*, VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DisplayUI(LONG, BSTR, const BSTR, const VARIANT*) override { return E_NOTIMPL; }

 private:
  HRESULT InvokeMember(DISPID id, WORD flags, const DISPPARAMS& params, VARIANT* result) {
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    // A property's new value is the named argument DISPID_PROPERTYPUT.
    const VARIANT value = put && params.cArgs > 0 ? params.rgvarg[0] : VARIANT{};
    const std::vector<VARIANT> args = ParametersInOrder(params, 2);
    switch (id) {
      case DISPID_SVRate:
        return put ? put_Rate(LongOf(value)) : ReadInto(&StandinVoice::get_Rate, result);
      case DISPID_SVVolume:
        return put ? put_Volume(LongOf(value)) : ReadInto(&StandinVoice::get_Volume, result);
      case DISPID_SVVoice:
        return put ? putref_Voice(TokenOf(value).Get()) : E_NOTIMPL;
      case DISPID_SVSpeak:
        return SpeakLateBound(args, result);
      case DISPID_SVPause:
        return Pause();
      case DISPID_SVResume:
        return Resume();
      case DISPID_SVGetVoices:
        return GetVoicesLateBound(result);
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  }

  HRESULT ReadInto(HRESULT (STDMETHODCALLTYPE StandinVoice::*get)(LONG*), VARIANT* result) {
    LONG value = 0;
    const HRESULT read = (this->*get)(&value);
    if (SUCCEEDED(read) && result != nullptr) *result = LongVariant(value);
    return read;
  }

  static ComPtr<ISpeechObjectToken> TokenOf(const VARIANT& value) {
    ComPtr<ISpeechObjectToken> token;
    if (value.vt == VT_DISPATCH && value.pdispVal != nullptr) value.pdispVal->QueryInterface(IID_PPV_ARGS(&token));
    return token;
  }

  HRESULT SpeakLateBound(const std::vector<VARIANT>& args, VARIANT* result) {
    VARIANT text;
    VariantInit(&text);
    VARIANT source = args[0];
    if (FAILED(VariantChangeType(&text, &source, 0, VT_BSTR))) return DISP_E_TYPEMISMATCH;
    LONG stream = 0;
    const HRESULT spoken = Speak(text.bstrVal, static_cast<SpeechVoiceSpeakFlags>(LongOf(args[1])), &stream);
    VariantClear(&text);
    if (SUCCEEDED(spoken) && result != nullptr) *result = LongVariant(stream);
    return spoken;
  }

  HRESULT GetVoicesLateBound(VARIANT* result) {
    ComPtr<ISpeechObjectTokens> tokens;
    const HRESULT got = GetVoices(nullptr, nullptr, &tokens);
    if (SUCCEEDED(got) && result != nullptr) {
      result->vt = VT_DISPATCH;
      tokens.CopyTo(IID_IDispatch, reinterpret_cast<void**>(&result->pdispVal));
    }
    return got;
  }

  // A sink may let go of this voice while it handles an event.
  void StreamStarted(const WordPacer::Stream& stream) {
    const ComPtr<StandinVoice> keepAlive(this);
    log_.Event("StartStream", stream.number);
    events_->Fire(DISPID_SVEStreamStart, {LongVariant(stream.number), LongVariant(0)});
  }

  void WordReached(const WordPacer::Stream& stream, const WordSpan& word) {
    const ComPtr<StandinVoice> keepAlive(this);
    const long position = static_cast<long>(word.offset), length = static_cast<long>(word.length);
    log_.Event("Word", stream.number, position, length);
    events_->Fire(DISPID_SVEWord, {LongVariant(stream.number), LongVariant(0), LongVariant(position), LongVariant(length)});
  }

  void StreamEnded(const WordPacer::Stream& stream) {
    const ComPtr<StandinVoice> keepAlive(this);
    log_.Event("EndStream", stream.number);
    events_->Fire(DISPID_SVEStreamEnd, {LongVariant(stream.number), LongVariant(0)});
  }

  HRESULT Read(const char* call, LONG value, LONG* out) const {
    log_.Call(call);
    if (out == nullptr) return E_POINTER;
    *out = value;
    return S_OK;
  }

  HRESULT Write(const char* call, LONG& setting, LONG value) {
    if (config_.Fails(call)) return E_FAIL;
    setting = value;
    return S_OK;
  }

  StandinLog log_{"sapi5"};
  StandinConfig config_;
  ComPtr<VoiceEventsPoint> events_;
  ComPtr<ISpeechObjectToken> voice_;
  LONG rate_ = 0;
  LONG volume_ = 100;
  long pauses_ = 0;
  long lastStream_ = 0;
  WordPacer pacer_;
};

}  // namespace

HRESULT CreateStandinVoice(REFIID iid, void** object) {
  return Guarded([&] {
    StandinConfig config = LoadStandinConfig();
    if (config.Fails("Create")) {
      StandinLog("sapi5").Call("Create");
      return E_FAIL;
    }
    return CreateAndQuery<StandinVoice>(iid, object, std::move(config));
  });
}
