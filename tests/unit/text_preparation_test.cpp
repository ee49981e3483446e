#include "reading/text_preparation.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const std::wstring kDefaultIgnoredCharacters = L"*\\/\"`_~:'";

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

TEST(ReplaceAllOccurrences, ReplacesEveryOccurrenceAsAPlainSubstring) {
  EXPECT_EQ(ReplaceAllOccurrences(L"cat", L"kat", L"cat concatenate cat"), L"kat conkatenate kat");
  EXPECT_EQ(ReplaceAllOccurrences(L"cat", L"kat", L"dog"), L"dog");
  EXPECT_EQ(ReplaceAllOccurrences(L"cat", L"", L"a cat, cats"), L"a , s");
  EXPECT_EQ(ReplaceAllOccurrences(L"ab", L"x", L"ab"), L"x");
}

TEST(ReplaceAllOccurrences, MatchesExactlyIncludingLetterCase) {
  EXPECT_EQ(ReplaceAllOccurrences(L"Word", L"Ward", L"word WORD Word"), L"word WORD Ward");
}

TEST(ReplaceAllOccurrences, EmptySearchOrTextChangesNothing) {
  EXPECT_EQ(ReplaceAllOccurrences(L"", L"x", L"abc"), L"abc");
  EXPECT_EQ(ReplaceAllOccurrences(L"a", L"x", L""), L"");
}

TEST(ReplaceAllOccurrences, ScanResumesOneAfterWhereTheReplacedOccurrenceBegan) {
  // The next "ab" is the inserted "a" and the text's "b" behind it.
  EXPECT_EQ(ReplaceAllOccurrences(L"ab", L"ca", L"abb"), L"cca");
  EXPECT_EQ(ReplaceAllOccurrences(L"ab", L"ca", L"abbb"), L"ccca");
  // The same with a replacement shorter than its word.
  EXPECT_EQ(ReplaceAllOccurrences(L"abc", L"xa", L"abcbc"), L"xxa");
  // Removed without a trace: the character that moves into the occurrence's
  // place is passed over, so no occurrence can start there.
  EXPECT_EQ(ReplaceAllOccurrences(L"ab", L"", L"abab"), L"ab");
}

TEST(ReplaceAllOccurrences, ReplacementHoldingItsWordAfterItsFirstCharacterEnds) {
  // Each of these would find its word again inside its own replacement on
  // every step and never end; the scan goes on after the replacement.
  EXPECT_EQ(ReplaceAllOccurrences(L"a", L"aa", L"banana"), L"baanaanaa");
  EXPECT_EQ(ReplaceAllOccurrences(L"cat", L"concat", L"cat cat"), L"concat concat");
  EXPECT_EQ(ReplaceAllOccurrences(L"x", L"yx", L"xx"), L"yxyx");
  // Overlapping occurrences: the second starts inside the first, which is gone.
  EXPECT_EQ(ReplaceAllOccurrences(L"aa", L"b", L"aaa"), L"ba");
}

TEST(TextPreparation, BothPassesOffLeaveTheTextUnchanged) {
  TextPreparationSettings settings;
  settings.ignoredCharacters = kDefaultIgnoredCharacters;
  settings.corrections = {{L"text", L"ward", L"No"}};
  const std::wstring text = L"Some *text* with _marks_ and text";
  EXPECT_EQ(PrepareText(text, settings), text);
  EXPECT_EQ(PrepareText(L"", settings), L"");
}

TEST(IgnoredCharacters, EachBecomesASpaceAndTheTextKeepsItsLength) {
  const std::wstring text = L"*bold* _under_ a\\b/c \"q\" `t` ~s~ 12:30 it's";
  const std::wstring prepared = PrepareText(text, Ignoring(kDefaultIgnoredCharacters));
  EXPECT_EQ(prepared, L" bold   under  a b c  q   t   s  12 30 it s");
  EXPECT_EQ(prepared.size(), text.size());
}

TEST(IgnoredCharacters, OnlyTheListedCharactersAndOnlyWhenSwitchedOn) {
  EXPECT_EQ(PrepareText(L"a*b_c", Ignoring(L"_")), L"a*b c");
  EXPECT_EQ(PrepareText(L"a*b_c", Ignoring(L"")), L"a*b_c");
  TextPreparationSettings off = Ignoring(L"*_");
  off.ignoreCharacters = false;
  EXPECT_EQ(PrepareText(L"a*b_c", off), L"a*b_c");
}

TEST(IgnoredCharacters, ASpaceInTheListChangesNothing) {
  EXPECT_EQ(PrepareText(L"a b  c ", Ignoring(L" ")), L"a b  c ");
  EXPECT_EQ(PrepareText(L"a*b c", Ignoring(L"* ")), L"a b c");
}

TEST(IgnoredCharacters, ASurrogatePairIsOneCharacter) {
  // U+1F600 and U+1F601 in UTF-16, as the clipboard gives them: they share
  // their first code unit, which must not be blanked on its own.
  const std::wstring grinning = {wchar_t{0xD83D}, wchar_t{0xDE00}};
  const std::wstring beaming = {wchar_t{0xD83D}, wchar_t{0xDE01}};
  const std::wstring text = L"a" + grinning + L"b" + beaming;
  EXPECT_EQ(PrepareText(text, Ignoring(grinning)), L"a b" + beaming);
  EXPECT_EQ(PrepareText(text, Ignoring(L"b" + grinning)), L"a  " + beaming);
}

TEST(Corrections, NoFlagFoldsLetterCaseYesMatchesExactly) {
  const std::wstring text = L"word, WORD and Word; wOrD.";
  EXPECT_EQ(PrepareText(text, Correcting({{L"Word", L"Ward", L"No"}})),
            L"Ward, Ward and Ward; Ward.");
  EXPECT_EQ(PrepareText(text, Correcting({{L"Word", L"Ward", L"Yes"}})),
            L"word, WORD and Ward; wOrD.");
}

TEST(Corrections, OnlyTheExactFlagTextNoFoldsLetterCase) {
  const std::wstring text = L"word Word";
  for (const wchar_t* flag : {L"no", L"NO", L"No ", L"", L"Nein"}) {
    EXPECT_EQ(PrepareText(text, Correcting({{L"Word", L"Ward", flag}})), L"word Ward")
        << "flag \"" << flag << "\"";
  }
}

TEST(Corrections, SurroundingTextKeepsItsCaseAndThePronunciationIsInsertedAsWritten) {
  EXPECT_EQ(PrepareText(L"A BIG WORDY TEXT", Correcting({{L"word", L"wArD", L"No"}})),
            L"A BIG wArDY TEXT");
}

TEST(Corrections, MatchInsideLongerWords) {
  EXPECT_EQ(PrepareText(L"the cat concatenates", Correcting({{L"cat", L"kat", L"Yes"}})),
            L"the kat conkatenates");
  EXPECT_EQ(PrepareText(L"CONCATENATE", Correcting({{L"cat", L"kat", L"No"}})), L"CONkatENATE");
}

TEST(Corrections, RowsApplyInTableOrderEachToTheResultOfTheRowsAbove) {
  const std::wstring text = L"x y xx";
  EXPECT_EQ(PrepareText(text, Correcting({{L"x", L"y", L"Yes"}, {L"y", L"z", L"Yes"}})), L"z z zz");
  EXPECT_EQ(PrepareText(text, Correcting({{L"y", L"z", L"Yes"}, {L"x", L"y", L"Yes"}})), L"y z yy");
  EXPECT_EQ(PrepareText(L"X", Correcting({{L"x", L"Y", L"No"}, {L"y", L"z", L"No"}})), L"z");
}

TEST(Corrections, EmptyTableEmptyWordOrSwitchedOffChangeNothing) {
  const std::wstring text = L"word Word";
  EXPECT_EQ(PrepareText(text, Correcting({})), text);
  EXPECT_EQ(PrepareText(text, Correcting({{L"", L"x", L"Yes"}, {L"", L"x", L"No"}})), text);
  TextPreparationSettings off = Correcting({{L"word", L"ward", L"No"}});
  off.correctWords = false;
  EXPECT_EQ(PrepareText(text, off), text);
}

TEST(Corrections, EmptyPronunciationRemovesTheWord) {
  EXPECT_EQ(PrepareText(L"um, well UM", Correcting({{L"um", L"", L"No"}})), L", well ");
}

TEST(Corrections, PronunciationContainingItsOwnWordEnds) {
  EXPECT_EQ(PrepareText(L"banana", Correcting({{L"a", L"aa", L"Yes"}})), L"baanaanaa");
  EXPECT_EQ(PrepareText(L"bAnAnA", Correcting({{L"a", L"aa", L"No"}})), L"baanaanaa");
  // Found again only in another letter case, which the "No" row also matches.
  EXPECT_EQ(PrepareText(L"ab Ab", Correcting({{L"ab", L"xAB", L"No"}})), L"xAB xAB");
  EXPECT_EQ(PrepareText(L"sql", Correcting({{L"sql", L"sequel sql", L"Yes"}})), L"sequel sql");
}

TEST(Corrections, ScanResumesInsideThePronunciationComparingAsTheRowDoes) {
  EXPECT_EQ(PrepareText(L"aBB", Correcting({{L"ab", L"cA", L"No"}})), L"ccA");
  EXPECT_EQ(PrepareText(L"abb", Correcting({{L"ab", L"cA", L"Yes"}})), L"cAb");
  // "xAba" holds "ab" after its first letter only with the case folded, so the
  // "Yes" row still resumes inside it, where "a" and the text's "b" make one.
  EXPECT_EQ(PrepareText(L"abb", Correcting({{L"ab", L"xAba", L"Yes"}})), L"xAbxAba");
}

TEST(Corrections, AnOccurrenceRightAfterAFalseStartIsFound) {
  EXPECT_EQ(PrepareText(L"aab aaab", Correcting({{L"ab", L"x", L"Yes"}})), L"ax aax");
  EXPECT_EQ(PrepareText(L"aAB AaAb", Correcting({{L"ab", L"x", L"No"}})), L"ax Aax");
}

TEST(Corrections, OnlyLettersAToZAreFolded) {
  // Accented, Greek and Cyrillic capitals are different letters to the rows.
  EXPECT_EQ(
      PrepareText(L"\u00e9t\u00e9 \u00c9T\u00c9", Correcting({{L"\u00e9t\u00e9", L"ete", L"No"}})),
      L"ete \u00c9T\u00c9");
  EXPECT_EQ(
      PrepareText(L"\u0434\u0430 \u0414\u0410", Correcting({{L"\u0434\u0430", L"da", L"No"}})),
      L"da \u0414\u0410");
  EXPECT_EQ(PrepareText(L"\u03a9 \u03c9", Correcting({{L"\u03c9", L"o", L"No"}})), L"\u03a9 o");
  // Neighbours of A to Z in the code table are not letters to fold either.
  EXPECT_EQ(PrepareText(L"@[`{", Correcting({{L"`", L"q", L"No"}, {L"{", L"r", L"No"}})), L"@[qr");
}

TEST(TextPreparation, IgnoredCharactersBecomeSpacesBeforeTheCorrections) {
  TextPreparationSettings settings = Ignoring(L"_");
  settings.correctWords = true;
  settings.corrections = {{L"New York", L"Noo York", L"No"}, {L"_", L"underscore", L"Yes"}};
  EXPECT_EQ(PrepareText(L"new_york", settings), L"Noo York");
}

}  // namespace
