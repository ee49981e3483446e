#include <gtest/gtest.h>

#include "base/com_error.h"
#include "base/com_object.h"
#include "speech/sapi4.h"
#include "tests/support/message_pump.h"
#include "tests/support/speech_test_support.h"

namespace {

using Microsoft::WRL::ComPtr;
using speech_test::StandinFiles;

// Records what the engine passes by value, to compare with what it logged.
class RecordingSink : public ComObject<ITTSNotifySinkA> {
 public:
  HRESULT STDMETHODCALLTYPE AttribChanged(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE AudioStart(QWORD time) override {
    started.push_back(time);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE AudioStop(QWORD time) override {
    stopped.push_back(time);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Visual(QWORD, char, char, DWORD, TTSMOUTH*) override { return S_OK; }

  std::vector<QWORD> started, stopped;
};

// The declarations against an engine built by another compiler: values
// passed by value on the stack (GUID, SDATA, QWORD) must arrive intact in
// both directions.
TEST(Sapi4DeclarationsTest, ValuesPassedByValueArriveIntact) {
  StandinFiles files("pace.ms_per_word = 5\nsapi4.engine = Mary | Mary | 50..250 | 60..200\n");
  ComPtr<ITTSEnumA> enumerator;
  ThrowIfFailed(CoCreateInstance(CLSID_TTSEnumerator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&enumerator)));
  TTSMODEINFOA mode{};
  ULONG fetched = 0;
  ThrowIfFailed(enumerator->Next(1, &mode, &fetched));
  ASSERT_EQ(fetched, 1u);
  ComPtr<IUnknown> audio;
  ThrowIfFailed(CoCreateInstance(CLSID_MMAudioDest, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&audio)));
  ComPtr<ITTSCentralA> central;
  ThrowIfFailed(enumerator->Select(mode.gModeID, &central, audio.Get()));
  const auto sink = MakeComObject<RecordingSink>();
  DWORD key = 0;
  ThrowIfFailed(central->Register(static_cast<ITTSNotifySinkA*>(sink.Get()), __uuidof(ITTSNotifySinkA), &key));
  EXPECT_NE(key, 0u);

  char text[] = "by value";
  ThrowIfFailed(central->TextData(CHARSET_TEXT, 0, SDATA{text, sizeof text}, nullptr, __uuidof(ITTSBufNotifySink)));
  ASSERT_TRUE(PumpUntil([&] { return !sink->stopped.empty(); }, 10s));

  EXPECT_EQ(files.Logged("sapi4", "Select").at(0).arguments, "{6B0F1E00-5A3C-4E71-9C2A-3D5E7F901234}");
  EXPECT_EQ(files.Logged("sapi4", "TextData").at(0).arguments,
            "0 0 \"by value\" 9 {E4963D40-C743-11CD-80E5-00AA003E4B50}");
  ASSERT_EQ(sink->started.size(), 1u);
  EXPECT_GE(sink->started[0], QWORD{1} << 32);
  EXPECT_EQ(files.Logged("sapi4", "event AudioStart").at(0).arguments, std::to_string(sink->started[0]));
  EXPECT_EQ(files.Logged("sapi4", "event AudioStop").at(0).arguments, std::to_string(sink->stopped[0]));
  EXPECT_EQ(files.Logged("sapi4", "PassNotify").at(0).arguments, "{ACB08C00-C743-11CD-80E5-00AA003E4B50}");
  ThrowIfFailed(central->UnRegister(key));
}

}  // namespace
