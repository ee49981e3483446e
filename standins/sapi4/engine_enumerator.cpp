#include "standins/sapi4/engine_enumerator.h"

#include <algorithm>
#include <memory>

#include "speech/sapi4.h"
#include "standins/common/com_server.h"
#include "standins/common/standin_log.h"
#include "standins/sapi4/engine_modes.h"
#include "standins/sapi4/standin_engine.h"

using Microsoft::WRL::ComPtr;

namespace {

// Lists the configured engine modes in file order. Clones share the
// configuration the original read when it was created.
class EngineEnumerator : public ComObject<ITTSEnumA> {
 public:
  EngineEnumerator(std::shared_ptr<const StandinConfig> config, size_t position)
      : config_(std::move(config)), position_(position) {
    log_.Call("Create");
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, TTSMODEINFOA* modes, ULONG* fetched) override {
    log_.Call("Next", count);
    if (fetched != nullptr) *fetched = 0;
    if (modes == nullptr) return E_POINTER;
    if (config_->Fails("Enumerate")) return E_FAIL;
    ULONG copied = 0;
    for (; copied < count && position_ < Engines().size(); ++copied, ++position_)
      modes[copied] = ModeInfo(Engines()[position_], position_);
    if (fetched != nullptr) *fetched = copied;
    return copied == count ? S_OK : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    log_.Call("Skip", count);
    position_ = std::min<size_t>(position_ + count, Engines().size());
    return position_ < Engines().size() || count == 0 ? S_OK : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE Reset() override {
    log_.Call("Reset");
    position_ = 0;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Clone(ITTSEnumA** clone) override {
    log_.Call("Clone");
    if (clone == nullptr) return E_POINTER;
    return CreateAndQuery<EngineEnumerator>(__uuidof(ITTSEnumA), reinterpret_cast<void**>(clone), config_,
                                            position_);
  }

  HRESULT STDMETHODCALLTYPE Select(GUID modeId, ITTSCentralA** central, IUnknown* audioDestination) override {
    log_.Call("Select", modeId);
    if (central == nullptr) return E_POINTER;
    *central = nullptr;
    for (size_t index = 0; index < Engines().size(); ++index) {
      if (ModeId(index) != modeId) continue;
      if (Engines()[index].failsSelect) return E_FAIL;
      return CreateStandinEngine(config_, index, audioDestination, central);
    }
    return E_INVALIDARG;
  }

 private:
  const std::vector<EngineConfig>& Engines() const { return config_->sapi4Engines; }

  StandinLog log_{"sapi4"};
  std::shared_ptr<const StandinConfig> config_;
  size_t position_;
};

}  // namespace

HRESULT CreateEngineEnumerator(REFIID iid, void** object) {
  return Guarded([&] {
    return CreateAndQuery<EngineEnumerator>(iid, object, std::make_shared<const StandinConfig>(LoadStandinConfig()),
                                            size_t{0});
  });
}
