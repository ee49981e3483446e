// The voice catalogue's naming and search rules and the mapping of speed,
// pitch and volume between sliders, value boxes, settings files and engines.
#include <gtest/gtest.h>

#include "speech/voice_catalogue.h"

// A SAPI 4 engine shows the shorter of speaker and mode name; the stored
// name ends one character before the first mark.
TEST(CatalogueNames, EnginesShowTheShorterNameAndVoicesAreListedWithTheSuffixAndStoredWithout) {
  // 4 characters against 14.
  EXPECT_EQ(Sapi4DisplayName(L"Adult Female 1", L"Mary"), L"Mary");
  // Equal length: the mode name.
  EXPECT_EQ(Sapi4DisplayName(L"ModeX", L"Spkr1"), L"ModeX");
  EXPECT_EQ(Sapi4DisplayName(L"Mike", L"Michael Speaker"), L"Mike");
  // A speaker the engine leaves empty is shorter still.
  EXPECT_EQ(Sapi4DisplayName(L"Mike", L""), L"");
  const std::wstring listed = Sapi5DisplayName(L"Anna - English (United States)");
  EXPECT_EQ(listed, L"Anna - English (United States) (SAPI5)");
  EXPECT_EQ(StoredVoiceName(listed), L"Anna - English (United States)");
  // SAPI 4 names pass unchanged.
  EXPECT_EQ(StoredVoiceName(L"Mary"), L"Mary");
  EXPECT_EQ(StoredVoiceName(L""), L"");
  EXPECT_EQ(StoredVoiceName(L"Odd (SAPI5) name (SAPI5)"), L"Odd");
  EXPECT_EQ(StoredVoiceName(L"Tight(SAPI5)"), L"Tigh");
  EXPECT_EQ(StoredVoiceName(L"(SAPI5)"), L"");
  // The mark is matched exactly as the program appends it.
  EXPECT_EQ(StoredVoiceName(L"Anna (sapi5)"), L"Anna (sapi5)");
}

// Anything but a whole equal entry is -1; the catalogue starts on the first
// SAPI 5 voice when there is one.
TEST(CatalogueSearch, FindsTheFirstWholeEntryFoldingLatinAndCyrillicLetterCase) {
  const std::vector<std::wstring> entries{L"Mary", L"Anna (SAPI5)", L"MARY", L"anna (sapi5)"};
  EXPECT_EQ(FindCatalogueEntry(entries, L"mary"), 0);
  EXPECT_EQ(FindCatalogueEntry(entries, L"MARY"), 0);
  EXPECT_EQ(FindCatalogueEntry(entries, L"ANNA (SAPI5)"), 1);
  EXPECT_EQ(FindCatalogueEntry(entries, L"anna (sapi5)"), 1);
  EXPECT_EQ(FindCatalogueEntry(entries, L"Anna"), -1);
  EXPECT_EQ(FindCatalogueEntry(entries, L"Mary "), -1);
  EXPECT_EQ(FindCatalogueEntry(entries, L"Mar"), -1);
  EXPECT_EQ(FindCatalogueEntry(entries, L""), -1);
  EXPECT_EQ(FindCatalogueEntry({}, L"Mary"), -1);
  const std::vector<std::wstring> letters{L"Zo\u00EB \u00D8re", L"\u0141ukasz \u017Dofia",
                                          L"\u0418\u0440\u0438\u043D\u0430 \u0451", L"\u00FFves"};
  EXPECT_EQ(FindCatalogueEntry(letters, L"ZO\u00CB \u00F8RE"), 0);
  EXPECT_EQ(FindCatalogueEntry(letters, L"\u0142UKASZ \u017Eofia"), 1);
  EXPECT_EQ(FindCatalogueEntry(letters, L"\u0438\u0420\u0418\u041D\u0410 \u0401"), 2);
  EXPECT_EQ(FindCatalogueEntry(letters, L"\u0178VES"), 3);
  // The multiplication and division signs sit among the Latin-1 letters but
  // are no letters.
  EXPECT_EQ(FindCatalogueEntry({L"a\u00D7b"}, L"a\u00F7b"), -1);
  // Neighbouring letters of Latin Extended-A are not one another's case.
  EXPECT_EQ(FindCatalogueEntry({L"\u0141"}, L"\u0143"), -1);
  EXPECT_EQ(FindCatalogueEntry({L"\u0148"}, L"\u0149"), -1);
  EXPECT_EQ(InitialCatalogueEntry(5, 3), 3);
  EXPECT_EQ(InitialCatalogueEntry(3, 3), 0);
  EXPECT_EQ(InitialCatalogueEntry(2, 0), 0);
  EXPECT_EQ(InitialCatalogueEntry(0, 0), 0);
}

// Value boxes show SAPI 5 values scaled and SAPI 4 positions as they are;
// the pitch prefix carries the pitch in quotes with its sign.
TEST(CatalogueMapping, Sapi5PositionsShowFrom30To330InStepsOf15AndStoredValuesGoBackToTheNearest) {
  EXPECT_EQ(Sapi5DisplayedValue(-10), 30);
  EXPECT_EQ(Sapi5DisplayedValue(0), 180);
  EXPECT_EQ(Sapi5DisplayedValue(10), 330);
  EXPECT_EQ(Sapi5DisplayedValue(-3), 135);
  EXPECT_EQ(Sapi5DisplayedValue(-5), 105);
  // Off the grid: to the nearer step, both ways, and nothing clamped; each
  // position shown comes back as itself.
  EXPECT_EQ(Sapi5EngineValue(0), -12);
  EXPECT_EQ(Sapi5EngineValue(187), 0);
  EXPECT_EQ(Sapi5EngineValue(188), 1);
  EXPECT_EQ(Sapi5EngineValue(600), 28);
  EXPECT_EQ(Sapi5EngineValue(-8), -13);
  EXPECT_EQ(Sapi5EngineValue(-7), -12);
  for (int position = -10; position <= 10; ++position) {
    EXPECT_EQ(Sapi5EngineValue(Sapi5DisplayedValue(position)), position);
  }
  EXPECT_EQ(ValueBoxText(-10, true), L"30");
  EXPECT_EQ(ValueBoxText(-2, true), L"150");
  EXPECT_EQ(ValueBoxText(-10, false), L"-10");
  EXPECT_EQ(ValueBoxText(250, false), L"250");
  EXPECT_EQ(PitchPrefixText(-5), L"<pitch middle=\"-5\">");
  EXPECT_EQ(PitchPrefixText(-12), L"<pitch middle=\"-12\">");
  EXPECT_EQ(PitchPrefixText(0), L"<pitch middle=\"0\">");
  EXPECT_EQ(PitchPrefixText(10), L"<pitch middle=\"10\">");
}

// What follows the pitch prefix is read as markup: only "&", "<" and ">" of the
// text itself become entities, so the voice says the text as it stands.
TEST(CatalogueSpeechMarkup, OnlyAmpersandsAndAngleBracketsBecomeEntities) {
  const struct {
    const wchar_t* text;
    const wchar_t* escaped;
  } kCases[] = {
      {L"", L""},
      {L"Plain \"quoted\" 'text'; nothing else", L"Plain \"quoted\" 'text'; nothing else"},
      {L"Q&A", L"Q&amp;A"},
      {L"if (a<b && c>d)", L"if (a&lt;b &amp;&amp; c&gt;d)"},
      {L"<volume level=\"0\">", L"&lt;volume level=\"0\"&gt;"},
      // An entity in the text is said as it is written.
      {L"AT&amp;T", L"AT&amp;amp;T"},
      {L"\u00C5se <\u0416> &", L"\u00C5se &lt;\u0416&gt; &amp;"},
  };
  for (const auto& [text, escaped] : kCases) {
    EXPECT_EQ(EscapeSpeechMarkup(text), escaped) << "for " << text;
  }
}
