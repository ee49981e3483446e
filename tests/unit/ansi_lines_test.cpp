// The text a SAPI 4 engine reads: cut to the reading's size in bytes, then
// split into the component's lines.
#include "speech/ansi_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reading/reading_rules.h"

namespace {

using Lines = std::vector<std::string>;

bool SingleByteCodePage(unsigned char) { return false; }
// As in the Japanese code page: 0x81 to 0x9F lead a two-byte character.
bool DoubleByteCodePage(unsigned char byte) { return byte >= 0x81 && byte <= 0x9F; }

std::string Letters(std::size_t count) { return std::string(count, 'a'); }

}  // namespace

// No empty line after the last; a line break at the cut ends the last line.
TEST(SapiFourText, IsCutToItsFirst51200BytesAndSplitAtEveryLineBreak) {
  EXPECT_EQ(CutAnsi(Letters(51200), kMaxReadingLength, SingleByteCodePage), Letters(51200));
  EXPECT_EQ(CutAnsi(Letters(51201) + "bc", kMaxReadingLength, SingleByteCodePage), Letters(51200));
  EXPECT_EQ(CutAnsi("abc", kMaxReadingLength, SingleByteCodePage), "abc");
  // A double-byte character across the cut is left out whole; one that ends
  // at the cut stays.
  const std::string straddling = Letters(51199) + "\x82\xA0";
  EXPECT_EQ(CutAnsi(straddling, kMaxReadingLength, DoubleByteCodePage), Letters(51199));
  const std::string ending = Letters(51198) + "\x82\xA0" + "b";
  EXPECT_EQ(CutAnsi(ending, kMaxReadingLength, DoubleByteCodePage), Letters(51198) + "\x82\xA0");
  EXPECT_EQ(SplitLines("one\r\ntwo\nthree\rfour"), (Lines{"one", "two", "three", "four"}));
  EXPECT_EQ(SplitLines("one\r\n\r\ntwo\n\rthree\r\n"), (Lines{"one", "", "two", "", "three"}));
  EXPECT_EQ(SplitLines("\r\n"), (Lines{""}));
  // No lines at all: the engine is handed the empty string.
  EXPECT_EQ(SplitLines(""), Lines{});
  // The cut falls between CR and LF: the CR alone still ends the line.
  const std::string broken =
      CutAnsi(Letters(51199) + "\r\nb", kMaxReadingLength, SingleByteCodePage);
  EXPECT_EQ(SplitLines(broken), Lines{Letters(51199)});
  const std::string whole =
      CutAnsi(Letters(51198) + "\r\nb", kMaxReadingLength, SingleByteCodePage);
  EXPECT_EQ(SplitLines(whole), Lines{Letters(51198)});
}
