// Settings holding characters the ANSI code page lacks, saved by one main
// window and loaded by the next.
#include <gtest/gtest.h>

#include "tests/win/main_form_probe.h"

namespace {

class ConfigurationEncodingTest : public main_form_test::MainFormFixture {};

}  // namespace

TEST_F(ConfigurationEncodingTest, IgnoredCharactersOutsideTheCodePageComeBackAfterARestart) {
  const std::wstring ignored = L"*\u25cf\u2192";
  MainFormProbe& frmMain = CreateMainForm();
  PronunciationSettings pronunciation = frmMain.PronunciationPage().Current();
  pronunciation.ignoredCharacters = ignored;
  frmMain.PronunciationPage().Load(pronunciation);
  frmMain.SaveCfg();
  DestroyMainForm();
  EXPECT_EQ(CreateMainForm().PronunciationPage().Current().ignoredCharacters, ignored);
}
