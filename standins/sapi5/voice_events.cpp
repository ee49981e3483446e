#include "standins/sapi5/voice_events.h"

#include <sapi.h>

#include <algorithm>

using Microsoft::WRL::ComPtr;

void VoiceEventsPoint::Fire(DISPID id, std::vector<VARIANT> arguments) {
  std::reverse(arguments.begin(), arguments.end());
  DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
  // A handler may unadvise while it runs, so the sinks are called from a copy.
  const auto sinks = sinks_;
  for (const auto& [cookie, sink] : sinks)
    sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

HRESULT VoiceEventsPoint::GetConnectionInterface(IID* iid) {
  if (iid == nullptr) return E_POINTER;
  *iid = DIID__ISpeechVoiceEvents;
  return S_OK;
}

HRESULT VoiceEventsPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (container == nullptr) return E_POINTER;
  *container = container_;
  if (container_ == nullptr) return E_UNEXPECTED;
  container_->AddRef();
  return S_OK;
}

HRESULT VoiceEventsPoint::Advise(IUnknown* sink, DWORD* cookie) {
  log_.Call("Advise");
  if (sink == nullptr || cookie == nullptr) return E_POINTER;
  ComPtr<IDispatch> events;
  if (FAILED(sink->QueryInterface(DIID__ISpeechVoiceEvents, reinterpret_cast<void**>(events.GetAddressOf()))))
    return CONNECT_E_CANNOTCONNECT;
  try {
    sinks_.emplace_back(++lastCookie_, events);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  *cookie = lastCookie_;
  return S_OK;
}

HRESULT VoiceEventsPoint::Unadvise(DWORD cookie) {
  log_.Call("Unadvise", cookie);
  const auto found =
      std::find_if(sinks_.begin(), sinks_.end(), [cookie](const auto& entry) { return entry.first == cookie; });
  if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
  sinks_.erase(found);
  return S_OK;
}
