#include <windows.h>
#include <sapi.h>
#include <wrl/client.h>
#include <gtest/gtest.h>

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

// ISpeechVoice is dual: a script reaches the same members by name.
TEST(StandinLateBindingTest, TheVoiceAnswersByName) {
  StandinFiles files("sapi5.voice = Anna\nsapi5.voice = Bert\n");
  ComPtr<IDispatch> voice;
  ThrowIfFailed(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&voice)));

  VARIANT rate;
  VariantInit(&rate);
  rate.vt = VT_I4;
  rate.lVal = 3;
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS putRate{&rate, &put, 1, 1};
  ThrowIfFailed(voice->Invoke(IdOf(*voice.Get(), L"rate"), IID_NULL, 0, DISPATCH_PROPERTYPUT, &putRate, nullptr,
                              nullptr, nullptr));
  EXPECT_EQ(files.Logged("sapi5", "put_Rate").at(0).arguments, "3");

  // Positional arguments travel last-first.
  VARIANT speakArgs[2];
  VariantInit(&speakArgs[0]);
  speakArgs[0].vt = VT_I4;
  speakArgs[0].lVal = SVSFlagsAsync;
  VariantInit(&speakArgs[1]);
  speakArgs[1].vt = VT_BSTR;
  speakArgs[1].bstrVal = SysAllocString(L"late bound");
  DISPPARAMS speak{speakArgs, nullptr, 2, 0};
  VARIANT stream;
  VariantInit(&stream);
  ThrowIfFailed(voice->Invoke(IdOf(*voice.Get(), L"Speak"), IID_NULL, 0, DISPATCH_METHOD, &speak, &stream, nullptr,
                              nullptr));
  VariantClear(&speakArgs[1]);
  EXPECT_EQ(stream.vt, VT_I4);
  EXPECT_EQ(stream.lVal, 1);
  EXPECT_EQ(files.Logged("sapi5", "Speak").at(0).arguments, "\"late bound\" 1");

  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VARIANT tokens;
  VariantInit(&tokens);
  ThrowIfFailed(voice->Invoke(IdOf(*voice.Get(), L"GetVoices"), IID_NULL, 0, DISPATCH_METHOD, &none, &tokens,
                              nullptr, nullptr));
  ASSERT_EQ(tokens.vt, VT_DISPATCH);
  IDispatch& collection = *tokens.pdispVal;
  VARIANT count;
  VariantInit(&count);
  ThrowIfFailed(collection.Invoke(IdOf(collection, L"Count"), IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &count,
                                  nullptr, nullptr));
  EXPECT_EQ(count.lVal, 2);

  VARIANT index;
  VariantInit(&index);
  index.vt = VT_I4;
  index.lVal = 1;
  DISPPARAMS item{&index, nullptr, 1, 0};
  VARIANT token;
  VariantInit(&token);
  ThrowIfFailed(collection.Invoke(IdOf(collection, L"Item"), IID_NULL, 0, DISPATCH_METHOD, &item, &token, nullptr,
                                  nullptr));
  ASSERT_EQ(token.vt, VT_DISPATCH);
  VARIANT locale = index;
  locale.lVal = 0;
  DISPPARAMS describe{&locale, nullptr, 1, 0};
  VARIANT description;
  VariantInit(&description);
  ThrowIfFailed(token.pdispVal->Invoke(IdOf(*token.pdispVal, L"GetDescription"), IID_NULL, 0, DISPATCH_METHOD,
                                       &describe, &description, nullptr, nullptr));
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
