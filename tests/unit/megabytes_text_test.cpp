#include "downloads/megabytes_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr std::uint64_t kMegabyte = 1048576;

std::wstring Text(std::uint64_t bytes) { return MegabytesText(bytes, NumberSeparators{}); }

// The documented examples; amounts below a tenth round once, to hundredths.
TEST(MegabytesText, RoundsToTwoSignificantDigitsWithHalvesUp) {
  EXPECT_EQ(Text(7654321), L"7.30");
  EXPECT_EQ(Text(1038000), L"0.99");
  EXPECT_EQ(Text(13212057), L"13.00");
  EXPECT_EQ(Text(0), L"0.00");
  EXPECT_EQ(MegabytesText(7654321, {.decimal = L",", .thousands = L"."}), L"7,30");
  EXPECT_EQ(Text(kMegabyte), L"1.00");
  EXPECT_EQ(Text(2663383), L"2.50");      // 2.54 MB
  EXPECT_EQ(Text(128975), L"0.12");       // 0.123 MB
  EXPECT_EQ(Text(129394278), L"120.00");  // 123.4 MB
  EXPECT_EQ(Text(kMegabyte * 9 / 4), L"2.30");
  EXPECT_EQ(Text(kMegabyte * 9 / 4 - 1), L"2.20");
  // A rounding that reaches the next power of ten gains a digit.
  EXPECT_EQ(Text(10443817), L"10.00");  // 9.96 MB
  EXPECT_EQ(Text(kMegabyte * 199 / 2), L"100.00");
  EXPECT_EQ(Text(kMegabyte * 199 / 2 - 1), L"99.00");
  EXPECT_EQ(Text(1), L"0.00");
  EXPECT_EQ(Text(15624), L"0.01");  // 0.0149 MB, never 0.015 rounded again
  EXPECT_EQ(Text(kMegabyte / 20), L"0.05");
}

TEST(MegabytesText, GroupsThousandsFromAThousandMegabytesOnWithTheUsersSeparators) {
  EXPECT_EQ(Text(990 * kMegabyte), L"990.00");
  EXPECT_EQ(Text(999 * kMegabyte), L"1,000.00");
  EXPECT_EQ(Text(1500 * kMegabyte), L"1,500.00");
  EXPECT_EQ(Text(12345 * kMegabyte), L"12,000.00");
  EXPECT_EQ(Text(1234567 * kMegabyte), L"1,200,000.00");
  // 17,592,186,044,416 MB: the largest count still rounds without overflow.
  EXPECT_EQ(Text(std::numeric_limits<std::uint64_t>::max()), L"18,000,000,000,000.00");
  EXPECT_EQ(MegabytesText(1500 * kMegabyte, {.decimal = L",", .thousands = L"."}), L"1.500,00");
  EXPECT_EQ(MegabytesText(1500 * kMegabyte, {.decimal = L",", .thousands = L"\u00a0"}),
            L"1\u00a0500,00");
  EXPECT_EQ(MegabytesText(1234567 * kMegabyte, {.decimal = L".", .thousands = L""}), L"1200000.00");
  EXPECT_EQ(MegabytesText(kMegabyte / 2, {.decimal = L"\u066b", .thousands = L"\u066c"}),
            L"0\u066b50");
}

}  // namespace
