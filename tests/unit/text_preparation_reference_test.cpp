#include "fuzz/text_preparation_reference.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "reading/text_preparation.h"

namespace {

std::wstring Describe(const reference::Case& c) {
  std::wstring text =
      L"text \"" + c.text + L"\" ignore " + std::to_wstring(c.settings.ignoreCharacters) + L" \"" +
      c.settings.ignoredCharacters + L"\" correct " + std::to_wstring(c.settings.correctWords);
  for (const WordCorrection& row : c.settings.corrections) {
    text += L" [" + row.word + L"|" + row.pronunciation + L"|" + row.caseFlag + L"]";
  }
  return text;
}

// The same comparison as the fuzz target, over seeded random cases, so every
// test run covers it without a fuzzing compiler.
TEST(TextPreparationReference, RandomCasesPrepareAndReplaceAsTheNaiveRulesDo) {
  constexpr int kCases = 5000;
  reference::SeededPick pick(20240601);
  reference::SeededPick replacementPick(7);
  for (int i = 0; i < kCases; ++i) {
    const reference::Case c = reference::PickCase(pick);
    ASSERT_EQ(PrepareText(c.text, c.settings, reference::SimpleFold),
              reference::Prepare(c.text, c.settings, reference::SimpleFold))
        << "case " << i << ": " << Describe(c);
    const std::wstring text = reference::PickString(replacementPick, 24);
    const std::wstring search = reference::PickString(replacementPick, 3);
    const std::wstring replacement = reference::PickString(replacementPick, 5);
    ASSERT_EQ(ReplaceAllOccurrences(search, replacement, text),
              reference::Replace(text, search, replacement, nullptr))
        << "case " << i << ": \"" << search << "\" -> \"" << replacement << "\" in \"" << text
        << "\"";
  }
}

// Large tables over texts long enough for the index: both the indexed pass
// and the one that searches the whole text for every row.
TEST(TextPreparationReference, LargeTablesPrepareAsTheNaiveRulesDo) {
  constexpr int kCases = 12;
  reference::SeededPick pick(99);
  for (int i = 0; i < kCases; ++i) {
    const reference::Case c = reference::PickLargeCase(pick);
    reference::Work work;
    work.most = 20'000'000;
    const std::wstring expected =
        reference::Prepare(c.text, c.settings, reference::SimpleFold, &work);
    if (work.Exceeded()) continue;
    ASSERT_EQ(PrepareText(c.text, c.settings, reference::SimpleFold), expected) << "case " << i;
    ASSERT_EQ(PrepareTextRowByRow(c.text, c.settings, reference::SimpleFold), expected)
        << "case " << i;
  }
}

// The index moves its chunks with the text. A row that shortens the text
// across a chunk start, or just behind one, pulls characters that stood deep
// in the chunk into its first few, where the chunk before must know them too:
// a later row whose word starts just before the chunk and runs on into them
// is found only if it does. Distinct characters, so that no substring of the
// word stands anywhere else by chance, and enough absent rows that the text is
// indexed.
TEST(TextPreparationReference, WordsMovedAgainstAChunkStartAreStillFound) {
  std::wstring text;
  for (wchar_t c = 0x4E00; c < 0x4E00 + 1200; ++c) text += c;
  const auto at = [&text](std::size_t from, std::size_t to) {
    return text.substr(from, to - from);
  };
  struct Scenario {
    const char* name;
    WordCorrection edit;   // changes the text around the chunk start at 512
    WordCorrection moved;  // its word starts before that start in the changed text
  };
  const Scenario scenarios[] = {
      {"removal across the start",
       {at(500, 540), L"#", L"Yes"},
       {at(490, 500) + L"#" + at(540, 560), L"found", L"Yes"}},
      {"removal just behind the start",
       {at(515, 545), L"#", L"Yes"},
       {at(505, 515) + L"#" + at(545, 560), L"found", L"Yes"}},
      {"growth across the start",
       {at(508, 516), L"#########", L"Yes"},
       {at(500, 508) + L"#########" + at(516, 540), L"found", L"Yes"}},
  };
  for (const Scenario& scenario : scenarios) {
    TextPreparationSettings settings;
    settings.correctWords = true;
    settings.corrections = {scenario.edit, scenario.moved};
    for (std::size_t row = 0; row < kIndexedCorrectionRows; ++row) {
      settings.corrections.push_back(
          {std::wstring(4, static_cast<wchar_t>(L'a' + row % 26)) + std::to_wstring(row), L"x",
           L"Yes"});
    }
    const std::wstring expected = PrepareTextRowByRow(text, settings, reference::SimpleFold);
    ASSERT_NE(expected.find(L"found"), std::wstring::npos) << scenario.name;
    const std::wstring prepared = PrepareText(text, settings, reference::SimpleFold);
    // Compared whole, reported by where the moved word's replacement went:
    // the texts run to a thousand characters.
    EXPECT_TRUE(prepared == expected)
        << scenario.name << ": \"found\" at " << static_cast<long long>(prepared.find(L"found"))
        << ", expected at " << expected.find(L"found");
  }
}

}  // namespace
