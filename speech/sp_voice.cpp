#include "speech/sp_voice.h"

#include <memory>

#include "base/exception_guard.h"
#include "base/com_error.h"
#include "base/com_object.h"
#include "speech/dispatch_params.h"

using Microsoft::WRL::ComPtr;

namespace {

struct BstrFree {
  void operator()(wchar_t* text) const { SysFreeString(text); }
};
using Bstr = std::unique_ptr<wchar_t, BstrFree>;

Bstr MakeBstr(const std::wstring& text) {
  Bstr bstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
  if (!bstr) throw ComError(E_OUTOFMEMORY);
  return bstr;
}

}  // namespace

// Receives the voice's events through _ISpeechVoiceEvents, a dispatch
// interface, and hands the three the program uses to the owner's handlers.
class TSpVoice::EventSink : public ComObject<DispatchWithoutTypeInfo<IDispatch>> {
 public:
  explicit EventSink(TSpVoice* owner) : owner_(owner) {}
  void Detach() { owner_ = nullptr; }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    if (params == nullptr) return E_POINTER;
    CallGuarded([&] { Deliver(id, *params); });
    return S_OK;
  }

 protected:
  void* FindInterface(REFIID iid) override {
    if (iid == DIID__ISpeechVoiceEvents) return static_cast<IDispatch*>(this);
    return ComObject::FindInterface(iid);
  }

 private:
  void Deliver(DISPID id, const DISPPARAMS& params) {
    if (owner_ == nullptr) return;
    if (id == DISPID_SVEStreamStart && owner_->OnStartStream) {
      const auto p = ParametersInOrder(params, 2);
      owner_->OnStartStream(LongOf(p[0]), p[1]);
    } else if (id == DISPID_SVEStreamEnd && owner_->OnEndStream) {
      const auto p = ParametersInOrder(params, 2);
      owner_->OnEndStream(LongOf(p[0]), p[1]);
    } else if (id == DISPID_SVEWord && owner_->OnWord) {
      const auto p = ParametersInOrder(params, 4);
      owner_->OnWord(LongOf(p[0]), p[1], LongOf(p[2]), LongOf(p[3]));
    }
  }

  TSpVoice* owner_;
};

TSpVoice::TSpVoice() = default;

TSpVoice::~TSpVoice() { Disconnect(); }

void TSpVoice::Connect() {
  if (voice_) return;
  ComPtr<IUnknown> server;
  if (FAILED(GetActiveObject(CLSID_SpVoice, nullptr, &server))) {
    ThrowIfFailed(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&server)));
  }
  AttachEvents(*server.Get());
  ComPtr<ISpeechVoice> voice;
  const HRESULT queried = server.As(&voice);
  if (FAILED(queried)) {
    DetachEvents();
    throw ComError(queried);
  }
  voice_ = voice;
}

void TSpVoice::Disconnect() {
  if (!voice_) return;
  DetachEvents();
  voice_.Reset();
  pauses_ = 0;
}

// A voice without the event connection point still speaks; like the
// automation wrappers the program was built with, it then simply raises no
// events.
void TSpVoice::AttachEvents(IUnknown& server) {
  ComPtr<IConnectionPointContainer> container;
  if (FAILED(server.QueryInterface(IID_PPV_ARGS(&container)))) return;
  ComPtr<IConnectionPoint> point;
  if (FAILED(container->FindConnectionPoint(DIID__ISpeechVoiceEvents, &point))) return;
  auto sink = MakeComObject<EventSink>(this);
  DWORD cookie = 0;
  if (FAILED(point->Advise(static_cast<IDispatch*>(sink.Get()), &cookie))) return;
  eventSink_ = sink;
  connectionPoint_ = point;
  adviseCookie_ = cookie;
}

void TSpVoice::DetachEvents() {
  if (connectionPoint_) connectionPoint_->Unadvise(adviseCookie_);
  if (eventSink_) eventSink_->Detach();
  connectionPoint_.Reset();
  eventSink_.Reset();
  adviseCookie_ = 0;
}

ISpeechVoice& TSpVoice::Voice() {
  Connect();
  return *voice_.Get();
}

ComPtr<ISpeechObjectTokens> TSpVoice::GetVoices(const std::wstring& requiredAttributes,
                                                const std::wstring& optionalAttributes) {
  ComPtr<ISpeechObjectTokens> tokens;
  ThrowIfFailed(Voice().GetVoices(MakeBstr(requiredAttributes).get(), MakeBstr(optionalAttributes).get(),
                                  &tokens));
  return tokens;
}

void TSpVoice::PutrefVoice(ISpeechObjectToken* token) { ThrowIfFailed(Voice().putref_Voice(token)); }

void TSpVoice::PutRate(long rate) { ThrowIfFailed(Voice().put_Rate(rate)); }

void TSpVoice::PutVolume(long volume) { ThrowIfFailed(Voice().put_Volume(volume)); }

long TSpVoice::Speak(const std::wstring& text, SpeechVoiceSpeakFlags flags) {
  LONG streamNumber = 0;
  ThrowIfFailed(Voice().Speak(MakeBstr(text).get(), flags, &streamNumber));
  return streamNumber;
}

void TSpVoice::Pause() {
  ThrowIfFailed(Voice().Pause());
  ++pauses_;
}

// A Resume with nothing paused changes nothing on the voice.
void TSpVoice::Resume() {
  ThrowIfFailed(Voice().Resume());
  if (pauses_ > 0) --pauses_;
}

void TSpVoice::ResumeEveryPause() {
  while (pauses_ > 0) Resume();
}

long TokenCount(ISpeechObjectTokens& tokens) {
  LONG count = 0;
  ThrowIfFailed(tokens.get_Count(&count));
  return count;
}

ComPtr<ISpeechObjectToken> TokenItem(ISpeechObjectTokens& tokens, long index) {
  ComPtr<ISpeechObjectToken> token;
  ThrowIfFailed(tokens.Item(index, &token));
  return token;
}

std::wstring TokenDescription(ISpeechObjectToken& token) {
  BSTR description = nullptr;
  ThrowIfFailed(token.GetDescription(0, &description));
  const Bstr owned(description);
  return std::wstring(description, SysStringLen(description));
}
