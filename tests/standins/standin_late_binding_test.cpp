#include <windows.h>

#include <gtest/gtest.h>
#include <sapi.h>
#include <wrl/client.h>

#include <algorithm>
#include <vector>

#include "base/com_error.h"
#include "tests/support/speech_test_support.h"

namespace {

using Microsoft::WRL::ComPtr;
using speech_test::StandinFiles;

DISPID IdOf(IDispatch& object, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  ThrowIfFailed(object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  return id;
}

VARIANT Long(long value) {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_I4;
  variant.lVal = value;
  return variant;
}

// Calls a member by name as a script does, with its arguments in the order
// written; they travel last-first. A property put names its one argument.
VARIANT Call(IDispatch& object, const wchar_t* name, WORD kind,
             std::vector<VARIANT> arguments = {}) {
  std::reverse(arguments.begin(), arguments.end());
  DISPID put = DISPID_PROPERTYPUT;
  const bool putting = kind == DISPATCH_PROPERTYPUT;
  DISPPARAMS parameters{arguments.data(), putting ? &put : nullptr,
                        static_cast<UINT>(arguments.size()), putting ? 1u : 0u};
  VARIANT result;
  VariantInit(&result);
  ThrowIfFailed(object.Invoke(IdOf(object, name), IID_NULL, 0, kind, &parameters,
                              putting ? nullptr : &result, nullptr, nullptr));
  return result;
}

// ISpeechVoice is dual: a script reaches the same members by name.
TEST(StandinLateBindingTest, TheVoiceAnswersByName) {
  StandinFiles files("sapi5.voice = Anna\nsapi5.voice = Bert\n");
  ComPtr<IDispatch> voice;
  ThrowIfFailed(
      CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&voice)));
  Call(*voice.Get(), L"rate", DISPATCH_PROPERTYPUT, {Long(3)});
  EXPECT_EQ(files.Logged("sapi5", "put_Rate").at(0).arguments, "3");

  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"late bound");
  const VARIANT stream = Call(*voice.Get(), L"Speak", DISPATCH_METHOD, {text, Long(SVSFlagsAsync)});
  VariantClear(&text);
  EXPECT_EQ(stream.vt, VT_I4);
  EXPECT_EQ(stream.lVal, 1);
  EXPECT_EQ(files.Logged("sapi5", "Speak").at(0).arguments, "\"late bound\" 1");

  VARIANT tokens = Call(*voice.Get(), L"GetVoices", DISPATCH_METHOD);
  ASSERT_EQ(tokens.vt, VT_DISPATCH);
  EXPECT_EQ(Call(*tokens.pdispVal, L"Count", DISPATCH_PROPERTYGET).lVal, 2);
  VARIANT token = Call(*tokens.pdispVal, L"Item", DISPATCH_METHOD, {Long(1)});
  ASSERT_EQ(token.vt, VT_DISPATCH);
  VARIANT description = Call(*token.pdispVal, L"GetDescription", DISPATCH_METHOD, {Long(0)});
  ASSERT_EQ(description.vt, VT_BSTR);
  EXPECT_STREQ(description.bstrVal, L"Bert");
  VariantClear(&description);
  VariantClear(&token);
  VariantClear(&tokens);

  DISPID unknown = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
  EXPECT_EQ(voice->GetIDsOfNames(IID_NULL, names, 1, 0, &unknown), DISP_E_UNKNOWNNAME);
}

}  // namespace
