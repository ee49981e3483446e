#include "reading/reading_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ReadingCut, KeepsShortTextsAndCutsLongOnesWithoutSplittingAPair) {
  EXPECT_EQ(CutForReading(L"short", 51200), L"short");
  const std::wstring longText(51205, L'a');
  EXPECT_EQ(CutForReading(longText).size(), 51200u);
  EXPECT_EQ(CutForReading(std::wstring(51200, L'b')).size(), 51200u);

  // U+1F600 as UTF-16 units, whatever the width of wchar_t here.
  std::wstring withPair(51199, L'x');
  withPair += static_cast<wchar_t>(0xD83D);
  withPair += static_cast<wchar_t>(0xDE00);
  withPair += L"tail";
  const std::wstring_view cut = CutForReading(withPair);
  EXPECT_EQ(cut.size(), 51199u);
  EXPECT_EQ(cut.back(), L'x');
  // A pair that ends exactly at the limit stays whole.
  EXPECT_EQ(CutForReading(withPair, 51201).size(), 51201u);
  EXPECT_EQ(CutForReading(L"abc", 0), L"");
}

TEST(TrayAnimation, CyclesThroughTheThreePicturesAfterTwoStartingTicks) {
  std::vector<int> frames;
  int frame = 0;
  for (int tick = 0; tick < 9; ++tick) frames.push_back(frame = NextTrayAnimationFrame(frame));
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 3, 4, 5, 3}));
  // A frame beyond the cycle goes back to its start.
  EXPECT_EQ(NextTrayAnimationFrame(9), 3);
}
