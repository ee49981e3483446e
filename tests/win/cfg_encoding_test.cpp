// Settings holding characters the ANSI code page lacks, saved by one main
// window and loaded by the next.
#include <gtest/gtest.h>

#include "tests/win/main_form_test_support.h"

namespace {

class ConfigurationEncodingTest : public main_form_test::MainFormFixture {};

}  // namespace

TEST_F(ConfigurationEncodingTest, IgnoredCharactersOutsideTheCodePageComeBackAfterARestart) {
  const std::wstring ignored = L"*\u25cf\u2192";
  CreateMainForm().Ignored_Characters.SetText(ignored);
  frmMain_->SaveCfg();
  frmMain_.reset();
  EXPECT_EQ(CreateMainForm().Ignored_Characters.Text(), ignored);
}
