#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <utility>
#include <vector>

#include "base/com_object.h"
#include "standins/common/standin_log.h"

// The connection point of _ISpeechVoiceEvents: keeps the advised sinks and
// calls them through IDispatch::Invoke the way automation servers do, with
// positional arguments last-first.
class VoiceEventsPoint : public ComObject<IConnectionPoint> {
 public:
  explicit VoiceEventsPoint(IConnectionPointContainer* container) : container_(container) {}

  // The container is going away; it must not be handed out any more.
  void Orphan() { container_ = nullptr; }
  // Arguments in declaration order.
  void Fire(DISPID id, std::vector<VARIANT> arguments);

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

 private:
  StandinLog log_{"sapi5"};
  IConnectionPointContainer* container_;
  std::vector<std::pair<DWORD, Microsoft::WRL::ComPtr<IDispatch>>> sinks_;
  DWORD lastCookie_ = 0;
};
