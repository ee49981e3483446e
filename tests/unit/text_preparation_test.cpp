#include "reading/text_preparation.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fuzz/text_preparation_reference.h"

namespace {

const std::wstring kDefaultIgnoredCharacters = L"*\\/\"`_~:'";

// Letter case as the tests' small fold sees it: A to Z, Cyrillic, long s.
std::wstring Prepare(const std::wstring& text, const TextPreparationSettings& settings) {
  return PrepareText(text, settings, reference::SimpleFold);
}

TextPreparationSettings Ignoring(std::wstring characters) {
  TextPreparationSettings settings;
  settings.ignoreCharacters = true;
  settings.ignoredCharacters = std::move(characters);
  return settings;
}

TextPreparationSettings Correcting(std::vector<WordCorrection> rows) {
  TextPreparationSettings settings;
  settings.correctWords = true;
  settings.corrections = std::move(rows);
  return settings;
}

// The rows, then enough rows whose words are in no text here for the pass to
// index the text and look each row up in the index.
TextPreparationSettings Indexed(std::vector<WordCorrection> rows) {
  while (rows.size() < kIndexedCorrectionRows) {
    rows.push_back({L"{absent " + std::to_wstring(rows.size()) + L"}", L"x", L"Yes"});
  }
  return Correcting(std::move(rows));
}

// One row's scan, as the rules say it: every occurrence, the scan resuming
// one after where the replaced occurrence began. Each case is read three
// ways: by the plain replacement (letter case and all, for the "Yes" rows), by
// a preparation with that row, and by the naive reference the fuzz target
// compares against.
struct ScanCase {
  const wchar_t* text;
  const wchar_t* word;
  const wchar_t* pronunciation;
  const wchar_t* flag;
  const wchar_t* expected;
};

const ScanCase kScanCases[] = {
    {L"cat concatenate cat", L"cat", L"kat", L"Yes", L"kat conkatenate kat"},
    {L"dog", L"cat", L"kat", L"Yes", L"dog"},
    {L"a cat, cats", L"cat", L"", L"Yes", L"a , s"},
    {L"ab", L"ab", L"x", L"Yes", L"x"},
    {L"word WORD Word", L"Word", L"Ward", L"Yes", L"word WORD Ward"},
    // An empty word or text changes nothing.
    {L"abc", L"", L"x", L"Yes", L"abc"},
    {L"", L"a", L"x", L"Yes", L""},
    // The next "ab" is the inserted "a" and the text's "b" behind it.
    {L"abb", L"ab", L"ca", L"Yes", L"cca"},
    {L"abbb", L"ab", L"ca", L"Yes", L"ccca"},
    {L"aBB", L"ab", L"cA", L"No", L"ccA"},
    {L"abb", L"ab", L"cA", L"Yes", L"cAb"},
    // The same with a replacement shorter than its word.
    {L"abcbc", L"abc", L"xa", L"Yes", L"xxa"},
    // Removed without a trace: the character that moves into the occurrence's
    // place is passed over, so no occurrence can start there.
    {L"abab", L"ab", L"", L"Yes", L"ab"},
    // A replacement holding its word after its first character, compared as
    // the row compares, would find it again on every step and never end; the
    // scan goes on after it.
    {L"banana", L"a", L"aa", L"Yes", L"baanaanaa"},
    {L"bAnAnA", L"a", L"aa", L"No", L"baanaanaa"},
    {L"cat cat", L"cat", L"concat", L"Yes", L"concat concat"},
    {L"xx", L"x", L"yx", L"Yes", L"yxyx"},
    {L"sql", L"sql", L"sequel sql", L"Yes", L"sequel sql"},
    // Found again only in another letter case, which the "No" row also matches.
    {L"ab Ab", L"ab", L"xAB", L"No", L"xAB xAB"},
    // "xAba" holds "ab" after its first letter only with the case folded, so
    // the "Yes" row still resumes inside it, where "a" and the text's "b" make one.
    {L"abb", L"ab", L"xAba", L"Yes", L"xAbxAba"},
    // Overlapping occurrences: the second starts inside the first, which is gone.
    {L"aaa", L"aa", L"b", L"Yes", L"ba"},
    // An occurrence right after a false start is found.
    {L"aab aaab", L"ab", L"x", L"Yes", L"ax aax"},
    {L"aAB AaAb", L"ab", L"x", L"No", L"ax Aax"},
};

TEST(Corrections, OneRowReplacesEveryOccurrenceAndScansOnAsTheRulesSay) {
  for (const ScanCase& c : kScanCases) {
    const bool exact = std::wstring(c.flag) == L"Yes";
    const CaseFold fold = exact ? nullptr : reference::SimpleFold;
    if (exact) {
      EXPECT_EQ(ReplaceAllOccurrences(c.word, c.pronunciation, c.text), c.expected) << c.text;
    }
    const TextPreparationSettings row = Correcting({{c.word, c.pronunciation, c.flag}});
    EXPECT_EQ(Prepare(c.text, row), c.expected) << c.text;
    EXPECT_EQ(reference::Replace(c.text, c.word, c.pronunciation, fold), c.expected) << c.text;
  }
}

// Rows apply in table order, each to the result of the rows above, after the
// ignored characters became spaces; an empty table, an empty word or either
// pass switched off changes nothing, and an empty pronunciation removes its
// word.
TEST(Corrections, RowsApplyInTableOrderAfterTheIgnoredCharactersAndOnlyWhenSwitchedOn) {
  TextPreparationSettings settings;
  settings.ignoredCharacters = kDefaultIgnoredCharacters;
  settings.corrections = {{L"text", L"ward", L"No"}};
  const std::wstring marked = L"Some *text* with _marks_ and text";
  EXPECT_EQ(Prepare(marked, settings), marked);
  EXPECT_EQ(Prepare(L"", settings), L"");
  const std::wstring xs = L"x y xx";
  EXPECT_EQ(Prepare(xs, Correcting({{L"x", L"y", L"Yes"}, {L"y", L"z", L"Yes"}})), L"z z zz");
  EXPECT_EQ(Prepare(xs, Correcting({{L"y", L"z", L"Yes"}, {L"x", L"y", L"Yes"}})), L"y z yy");
  EXPECT_EQ(Prepare(L"X", Correcting({{L"x", L"Y", L"No"}, {L"y", L"z", L"No"}})), L"z");
  const std::wstring text = L"word Word";
  EXPECT_EQ(Prepare(text, Correcting({})), text);
  EXPECT_EQ(Prepare(text, Correcting({{L"", L"x", L"Yes"}, {L"", L"x", L"No"}})), text);
  TextPreparationSettings off = Correcting({{L"word", L"ward", L"No"}});
  off.correctWords = false;
  EXPECT_EQ(Prepare(text, off), text);
  EXPECT_EQ(Prepare(L"um, well UM", Correcting({{L"um", L"", L"No"}})), L", well ");
  TextPreparationSettings both = Ignoring(L"_");
  both.correctWords = true;
  both.corrections = {{L"New York", L"Noo York", L"No"}, {L"_", L"underscore", L"Yes"}};
  EXPECT_EQ(Prepare(L"new_york", both), L"Noo York");
}

// Each listed character becomes a space, only when switched on, and the text
// keeps its length; a space in the list changes nothing, and a surrogate pair
// is one character.
TEST(IgnoredCharacters, EachListedCharacterBecomesASpaceWhenSwitchedOn) {
  const std::wstring text = L"*bold* _under_ a\\b/c \"q\" `t` ~s~ 12:30 it's";
  const std::wstring prepared = Prepare(text, Ignoring(kDefaultIgnoredCharacters));
  EXPECT_EQ(prepared, L" bold   under  a b c  q   t   s  12 30 it s");
  EXPECT_EQ(prepared.size(), text.size());
  EXPECT_EQ(Prepare(L"a*b_c", Ignoring(L"_")), L"a*b c");
  EXPECT_EQ(Prepare(L"a*b_c", Ignoring(L"")), L"a*b_c");
  TextPreparationSettings off = Ignoring(L"*_");
  off.ignoreCharacters = false;
  EXPECT_EQ(Prepare(L"a*b_c", off), L"a*b_c");
  EXPECT_EQ(Prepare(L"a b  c ", Ignoring(L" ")), L"a b  c ");
  EXPECT_EQ(Prepare(L"a*b c", Ignoring(L"* ")), L"a b c");
  // U+1F600 and U+1F601 in UTF-16, as the clipboard gives them: they share
  // their first code unit, which must not be blanked on its own.
  const std::wstring grinning = {wchar_t{0xD83D}, wchar_t{0xDE00}};
  const std::wstring beaming = {wchar_t{0xD83D}, wchar_t{0xDE01}};
  const std::wstring emoji = L"a" + grinning + L"b" + beaming;
  EXPECT_EQ(Prepare(emoji, Ignoring(grinning)), L"a b" + beaming);
  EXPECT_EQ(Prepare(emoji, Ignoring(L"b" + grinning)), L"a  " + beaming);
}

// Only the exact flag text "No" folds letter case, as the fold does in every
// script; the surrounding text keeps its case, and the pronunciation goes in
// as written.
TEST(Corrections, NoRowsFoldLetterCaseOfEveryScriptYesRowsMatchExactlyInsideWordsToo) {
  const std::wstring words = L"word, WORD and Word; wOrD.";
  EXPECT_EQ(Prepare(words, Correcting({{L"Word", L"Ward", L"No"}})), L"Ward, Ward and Ward; Ward.");
  EXPECT_EQ(Prepare(words, Correcting({{L"Word", L"Ward", L"Yes"}})),
            L"word, WORD and Ward; wOrD.");
  for (const wchar_t* flag : {L"no", L"NO", L"No ", L"", L"Nein"}) {
    EXPECT_EQ(Prepare(L"word Word", Correcting({{L"Word", L"Ward", flag}})), L"word Ward")
        << "flag \"" << flag << "\"";
  }
  EXPECT_EQ(Prepare(L"A BIG WORDY TEXT", Correcting({{L"word", L"wArD", L"No"}})),
            L"A BIG wArDY TEXT");
  EXPECT_EQ(Prepare(L"the cat concatenates", Correcting({{L"cat", L"kat", L"Yes"}})),
            L"the kat conkatenates");
  EXPECT_EQ(Prepare(L"CONCATENATE", Correcting({{L"cat", L"kat", L"No"}})), L"CONkatENATE");
  const std::wstring da = L"\u0434\u0430";
  const std::wstring cyrillic = L"\u0434\u0430 \u0414\u0410 \u0414\u0430";
  EXPECT_EQ(Prepare(cyrillic, Correcting({{da, L"da", L"No"}})), L"da da da");
  EXPECT_EQ(Prepare(cyrillic, Correcting({{da, L"da", L"Yes"}})), L"da \u0414\u0410 \u0414\u0430");
  // Three units fold to S: each of them stands for the others.
  EXPECT_EQ(Prepare(L"s S \u017F", Correcting({{L"\u017F", L"z", L"No"}})), L"z z z");
  EXPECT_EQ(Prepare(L"sun SUN \u017Fun", Correcting({{L"sun", L"son", L"No"}})), L"son son son");
  // Letters the fold leaves alone are different letters to the rows.
  EXPECT_EQ(
      Prepare(L"\u00e9t\u00e9 \u00c9T\u00c9", Correcting({{L"\u00e9t\u00e9", L"ete", L"No"}})),
      L"ete \u00c9T\u00c9");
}

// A word of its own for each number: "q" and the number in three letters.
std::wstring Numbered(int n) {
  std::wstring word = L"q";
  for (int digit = 0; digit < 3; ++digit, n /= 20) word += static_cast<wchar_t>(L'a' + n % 20);
  return word;
}

TEST(Corrections, LaterRowsFindWordsThatEarlierRowsMadeOrMoved) {
  // With rows enough for an index of the text, the rows below a row must find
  // the words that its replacements made, in the replacement, across its ends
  // and where a word was removed, however far into a long text, exactly and with
  // case folded.
  EXPECT_EQ(Prepare(L"a-c", Indexed({{L"-", L"b", L"Yes"}, {L"abc", L"X", L"Yes"}})), L"X");
  EXPECT_EQ(Prepare(L"A-C", Indexed({{L"-", L"b", L"Yes"}, {L"abc", L"x", L"No"}})), L"x");
  EXPECT_EQ(Prepare(L"aXb", Indexed({{L"X", L"", L"Yes"}, {L"ab", L"Y", L"Yes"}})), L"Y");
  EXPECT_EQ(Prepare(L"q", Indexed({{L"q", L"hello", L"Yes"}, {L"ell", L"ELL", L"Yes"}})), L"hELLo");
  EXPECT_EQ(
      Prepare(L"\u0434-\u0430", Indexed({{L"-", L"", L"Yes"}, {L"\u0414\u0410", L"da", L"No"}})),
      L"da");
  // Only the long s in the text, from the first row, folds like the word's S.
  EXPECT_EQ(Prepare(L"xyz", Indexed({{L"y", L"\u017F", L"Yes"}, {L"S", L"t", L"No"}})), L"xtz");
  // The second "ab" starts inside the first replacement: "abb" gives "cca".
  EXPECT_EQ(Prepare(L"abb", Indexed({{L"ab", L"ca", L"Yes"}, {L"cc", L"d", L"Yes"}})), L"da");
  std::wstring longText(3000, L'.');
  longText.replace(2500, 3, L"a-c");
  std::wstring longExpected(2998, L'.');
  longExpected[2500] = L'X';
  EXPECT_EQ(Prepare(longText, Indexed({{L"-", L"b", L"Yes"}, {L"abc", L"X", L"Yes"}})),
            longExpected);
  // A row that changes the length of the text near its start moves every word
  // behind the change; the rows below must still find each of them. Each word
  // stands once, so that a search that looks only where a word may be looks in
  // a few places, the places the words have moved to.
  for (const int change : {+39, -39}) {
    const std::wstring before(change > 0 ? 1 : 40, L'#');
    const std::wstring after(change > 0 ? 40 : 1, L'+');
    TextPreparationSettings settings = Correcting({{before, after, L"Yes"}});
    std::wstring text = before;
    std::wstring expected = after;
    for (int i = 0; i < 300; ++i) {
      text += Numbered(i) + L". ";
      expected += L"W. ";
      settings.corrections.push_back({Numbered(i), L"W", i % 2 == 0 ? L"Yes" : L"No"});
    }
    EXPECT_EQ(Prepare(text, settings), expected) << "change " << change;
  }
  // The same for a removal inside a long word: its rest comes closer to its
  // start, which may lie before a place where the search would divide the text.
  const std::wstring removed(20, L'-');
  TextPreparationSettings settings = Correcting({{removed, L"", L"Yes"}});
  std::wstring text, expected;
  for (int i = 0; i < 150; ++i) {
    std::wstring rest;
    for (int part = 1; part <= 4; ++part) rest += Numbered(i + 1000 * part);
    const std::wstring gap(1 + i % 5, L' ');
    text += Numbered(i) + removed + rest + gap;
    expected += L"W" + gap;
    settings.corrections.push_back({Numbered(i) + rest, L"W", L"Yes"});
  }
  EXPECT_EQ(Prepare(text, settings), expected);
  // Many occurrences of one row, each making a word of a later row.
  std::wstring many, manyExpected;
  for (int i = 0; i < 400; ++i) {
    many += L"a-b ";
    manyExpected += L"X ";
  }
  EXPECT_EQ(Prepare(many, Indexed({{L"-", L"", L"Yes"}, {L"ab", L"X", L"Yes"}})), manyExpected);
}

}  // namespace
