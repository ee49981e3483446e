// How the settings files' values read: what counts as an integer and a boolean,
// what falls back to the key's default, and what fails a voice slot's reading.
#include <gtest/gtest.h>

#include <stdexcept>

#include "settings/ini_values.h"
#include "settings/voice_slot.h"

TEST(IniInteger, ReadsDecimalAndHexadecimal) {
  EXPECT_EQ(ParseIniInteger(L"16392"), 16392);
  EXPECT_EQ(ParseIniInteger(L"-12"), -12);
  EXPECT_EQ(ParseIniInteger(L"+7"), 7);
  EXPECT_EQ(ParseIniInteger(L"0x4008"), 0x4008);
  EXPECT_EQ(ParseIniInteger(L"0XfF"), 255);
  EXPECT_EQ(ParseIniInteger(L"2147483647"), 2147483647);
  EXPECT_EQ(ParseIniInteger(L"-2147483648"), -2147483647 - 1);
  // Hexadecimal spans all 32 bits.
  EXPECT_EQ(ParseIniInteger(L"0xFFFFFFFF"), -1);
  // A slot's numbers read the same way.
  EXPECT_EQ(ParseSlotValue(L"135"), 135);
  EXPECT_EQ(ParseSlotValue(L"-3"), -3);
}

TEST(IniInteger, AnythingElseIsNoValue) {
  for (const wchar_t* text : {L"", L"abc", L"12a", L"1.5", L"0x", L"0xG1", L"-", L"2147483648",
                              L"0x100000000", L"1 2", L"--1"}) {
    EXPECT_FALSE(ParseIniInteger(text).has_value()) << "text: " << text;
    // A slot has no default to fall back to: a reading with it fails.
    EXPECT_THROW(ParseSlotValue(text), std::invalid_argument) << "text: " << text;
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
