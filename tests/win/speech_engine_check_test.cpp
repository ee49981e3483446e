#include <gtest/gtest.h>

#include "speech/engine_check.h"
#include "tests/support/speech_test_support.h"

namespace {

using speech_test::StandinFiles;

struct CheckCase {
  const char* config;
  bool sapi4;
  bool sapi5;
  bool connected;
};

class EngineCheckTest : public ::testing::TestWithParam<CheckCase> {
 protected:
  StandinFiles files_;
};

TEST_P(EngineCheckTest, ReportsEachFamily) {
  files_.WriteConfig(GetParam().config);
  TMSpeech speech;
  TSpVoice voice;
  EXPECT_EQ(Sapi4EnginesInstalled(speech), GetParam().sapi4);
  EXPECT_EQ(Sapi5VoicesInstalled(voice), GetParam().sapi5);
  EXPECT_EQ(voice.Connected(), GetParam().connected);
}

INSTANTIATE_TEST_SUITE_P(
    Families, EngineCheckTest,
    ::testing::Values(
        CheckCase{"", false, false, true},
        CheckCase{"sapi5.voice = Anna\nsapi4.engine = Mary | Mary | 50..250 | 60..200\n", true, true, true},
        CheckCase{"sapi4.engine = Mary | Mary | 50..250 | 60..200\nsapi4.fail = Enumerate\nsapi5.fail = GetVoices\n",
                  false, false, true},
        CheckCase{"sapi5.voice = Anna\nsapi5.fail = Create\n", false, false, false}));

}  // namespace
