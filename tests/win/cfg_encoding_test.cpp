// Settings holding characters the ANSI code page lacks, saved by one main
// window and loaded by the next.
#include <gtest/gtest.h>

#include "tests/win/main_form_test_support.h"

namespace {

class ConfigurationEncodingTest : public main_form_test::MainFormFixture {};

}  // namespace

TEST_F(ConfigurationEncodingTest, IgnoredCharactersOutsideTheCodePageComeBackAfterARestart) {
  const std::wstring ignored = L"*\u25cf\u2192";
  PronunciationSettings pronunciation = CreateMainForm().PronunciationPage().Current();
  pronunciation.ignoredCharacters = ignored;
  frmMain_->PronunciationPage().Load(pronunciation);
  frmMain_->SaveCfg();
  frmMain_.reset();
  EXPECT_EQ(CreateMainForm().PronunciationPage().Current().ignoredCharacters, ignored);
}
