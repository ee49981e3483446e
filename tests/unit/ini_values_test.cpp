// How the settings files' values read: what counts as an integer and a boolean,
// and what falls back to the key's default.
#include <gtest/gtest.h>

#include "settings/ini_values.h"

TEST(IniInteger, ReadsDecimalAndHexadecimalAndAnythingElseIsNoValue) {
  EXPECT_EQ(ParseIniInteger(L"16392"), 16392);
  EXPECT_EQ(ParseIniInteger(L"-12"), -12);
  EXPECT_EQ(ParseIniInteger(L"+7"), 7);
  EXPECT_EQ(ParseIniInteger(L"0x4008"), 0x4008);
  EXPECT_EQ(ParseIniInteger(L"0XfF"), 255);
  EXPECT_EQ(ParseIniInteger(L"2147483647"), 2147483647);
  EXPECT_EQ(ParseIniInteger(L"-2147483648"), -2147483647 - 1);
  // Hexadecimal spans all 32 bits.
  EXPECT_EQ(ParseIniInteger(L"0xFFFFFFFF"), -1);
  for (const wchar_t* text : {L"", L"abc", L"12a", L"1.5", L"0x", L"0xG1", L"-", L"2147483648",
                              L"0x100000000", L"1 2", L"--1"}) {
    EXPECT_FALSE(ParseIniInteger(text).has_value()) << "text: " << text;
  }
}

TEST(IniBool, AnyNonZeroIntegerIsTrue) {
  EXPECT_EQ(ParseIniBool(L"1"), true);
  EXPECT_EQ(ParseIniBool(L"-3"), true);
  EXPECT_EQ(ParseIniBool(L"0x10"), true);
  EXPECT_EQ(ParseIniBool(L"0"), false);
  EXPECT_FALSE(ParseIniBool(L"true").has_value());
  EXPECT_FALSE(ParseIniBool(L"").has_value());
}
