#include "standins/sapi5/standin_tokens.h"

#include <sperror.h>

#include "speech/dispatch_params.h"
#include "standins/common/com_server.h"
#include "standins/common/standin_log.h"

using Microsoft::WRL::ComPtr;

// The runtime's answer to an index past the end of a token collection;
// MinGW's sperror.h lacks it.
#ifndef SPERR_NO_MORE_ITEMS
#define SPERR_NO_MORE_ITEMS MAKE_SAPI_ERROR(0x0039)
#endif

namespace {

HRESULT CopyToBstr(const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

constexpr LateBoundMember kTokenMembers[] = {{L"GetDescription", DISPID_SOTGetDescription}};
constexpr LateBoundMember kTokensMembers[] = {{L"Count", DISPID_SOTsCount}, {L"Item", DISPID_SOTsItem}};

// A voice token: its description is what the program shows.
class VoiceToken : public ComObject<DispatchWithoutTypeInfo<ISpeechObjectToken>> {
 public:
  VoiceToken(std::wstring description, long index) : description_(std::move(description)), index_(index) {}

  HRESULT STDMETHODCALLTYPE get_Id(BSTR* id) override {
    std::wstring tokenId = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tolvane\\Standin\\Voices\\Tokens\\Voice";
    tokenId += std::to_wstring(index_);
    return CopyToBstr(tokenId, id);
  }
  HRESULT STDMETHODCALLTYPE get_DataKey(ISpeechDataKey**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Category(ISpeechObjectTokenCategory**) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    return LookUpMembers(kTokenMembers, names, count, ids);
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (params == nullptr) return E_POINTER;
    if (id != DISPID_SOTGetDescription) return DISP_E_MEMBERNOTFOUND;
    BSTR description = nullptr;
    const HRESULT described = GetDescription(LongOf(ParametersInOrder(*params, 1)[0]), &description);
    if (SUCCEEDED(described) && result != nullptr) {
      VariantInit(result);
      result->vt = VT_BSTR;
      result->bstrVal = description;
    } else {
      SysFreeString(description);
    }
    return described;
  }

  HRESULT STDMETHODCALLTYPE GetDescription(LONG locale, BSTR* description) override {
    log_.Call("GetDescription", locale);
    return CopyToBstr(description_, description);
  }

  HRESULT STDMETHODCALLTYPE SetId(BSTR, BSTR, VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetAttribute(BSTR, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, SpeechTokenContext, IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Remove(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetStorageFileName(BSTR, BSTR, BSTR, SpeechTokenShellFolder, BSTR*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE RemoveStorageFileName(BSTR, BSTR, VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsUISupported(const BSTR, const VARIANT*, IUnknown*, VARIANT_BOOL*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DisplayUI(LONG, BSTR, const BSTR, const VARIANT*, IUnknown*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE MatchesAttributes(BSTR, VARIANT_BOOL*) override { return E_NOTIMPL; }

 private:
  StandinLog log_{"sapi5"};
  std::wstring description_;
  long index_;
};

class VoiceTokens : public ComObject<DispatchWithoutTypeInfo<ISpeechObjectTokens>> {
 public:
  explicit VoiceTokens(const std::vector<std::wstring>& descriptions) {
    for (const std::wstring& description : descriptions)
      tokens_.push_back(MakeComObject<VoiceToken>(description, static_cast<long>(tokens_.size())));
  }

  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
    log_.Call("get_Count");
    if (count == nullptr) return E_POINTER;
    *count = static_cast<LONG>(tokens_.size());
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Item(LONG index, ISpeechObjectToken** token) override {
    log_.Call("Item", index);
    if (token == nullptr) return E_POINTER;
    *token = nullptr;
    // The runtime's token enumeration takes the index unsigned, so a negative
    // one is past the end as well.
    if (index < 0 || static_cast<size_t>(index) >= tokens_.size()) return SPERR_NO_MORE_ITEMS;
    return tokens_[index].CopyTo(token);
  }

  HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown**) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    return LookUpMembers(kTokensMembers, names, count, ids);
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (params == nullptr) return E_POINTER;
    if (result != nullptr) VariantInit(result);
    if (id == DISPID_SOTsCount) {
      LONG count = 0;
      const HRESULT counted = get_Count(&count);
      if (SUCCEEDED(counted) && result != nullptr) *result = LongVariant(count);
      return counted;
    }
    if (id != DISPID_SOTsItem) return DISP_E_MEMBERNOTFOUND;
    ComPtr<ISpeechObjectToken> token;
    const HRESULT found = Item(LongOf(ParametersInOrder(*params, 1)[0]), &token);
    if (SUCCEEDED(found) && result != nullptr) {
      result->vt = VT_DISPATCH;
      token.CopyTo(IID_IDispatch, reinterpret_cast<void**>(&result->pdispVal));
    }
    return found;
  }

 private:
  StandinLog log_{"sapi5"};
  std::vector<ComPtr<VoiceToken>> tokens_;
};

}  // namespace

ComPtr<ISpeechObjectTokens> MakeVoiceTokens(const std::vector<std::wstring>& descriptions) {
  return MakeComObject<VoiceTokens>(descriptions);
}
