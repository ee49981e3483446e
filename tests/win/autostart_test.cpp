// The autostart entry in the current user's Run key.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings/autostart.h"
#include "tests/support/autostart_value.h"
#include "tests/win/main_form_probe.h"

TEST(Autostart, TheValueQuotesThePathFollowsEnableAndDisableAndMeansOffWhenEmpty) {
  const std::wstring program = L"C:\\Program Files\\Tolvane\\Tolvane.exe";
  EnableAutostart(program);
  EXPECT_EQ(AutostartValue(), L"\"C:\\Program Files\\Tolvane\\Tolvane.exe\" -autostart");
  EXPECT_TRUE(AutostartEnabled());

  DisableAutostart();
  EXPECT_EQ(AutostartValue(), L"<none>");
  EXPECT_FALSE(AutostartEnabled());
  // Removing what is not there is no failure.
  EXPECT_NO_THROW(DisableAutostart());

  // An empty value means off.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                          0, KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  RegSetValueExW(key, L"Tolvane", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t));
  RegCloseKey(key);
  EXPECT_FALSE(AutostartEnabled());
  DisableAutostart();
}
