#pragma once
// The voice catalogue's rules that need no engine: how entries are named, how
// they are found again, and how speed, pitch and volume travel between the
// sliders, the value boxes, the settings files and the engines.
//
// The catalogue lists the SAPI 4 engines first and the SAPI 5 voices after
// them; an entry's family follows from its index alone (below the SAPI 4
// engine count: SAPI 4).

#include <string>
#include <string_view>
#include <vector>

// What the test buttons speak when they are given nothing else.
inline constexpr wchar_t kTestSentence[] = L"This is a test for selected voice.";

// A SAPI 4 engine is listed under its speaker name when that is the shorter
// one (engines tend to carry long technical mode names), else under its mode
// name.
std::wstring Sapi4DisplayName(const std::wstring& modeName, const std::wstring& speakerName);
// A SAPI 5 voice is listed as its token description with " (SAPI5)" appended.
std::wstring Sapi5DisplayName(const std::wstring& description);
// The name the settings files keep for an entry: from the character before the
// first "(SAPI5)" on, everything is cut off; other names stay as they are.
std::wstring StoredVoiceName(const std::wstring& displayName);

// The index of the first entry equal to `name` ignoring letter case, or -1.
// Letter case is folded one UTF-16 unit at a time for the Latin letters up to
// Latin Extended-A (A-Z, the Latin-1 letters, the letters with accents of the
// central European languages) and the basic Cyrillic alphabet (U+0400 to
// U+044F): the scripts that voice names turn up in. Every other character,
// Greek and the Turkish dotted and dotless i among them, compares exactly.
int FindCatalogueEntry(const std::vector<std::wstring>& entries, std::wstring_view name);

// The entry selected when the catalogue has been built: the first SAPI 5
// voice when there is one, else the first entry.
int InitialCatalogueEntry(int entryCount, int sapi4Count);

// A SAPI 5 slider position (-10..10) as displayed and stored: 30..330 in
// steps of 15.
int Sapi5DisplayedValue(int position);
// A stored SAPI 5 value back to what the engine takes: the value / 15 rounded
// to the nearest integer, minus 12 (stored values are integers, so no halves
// arise). Nothing is clamped: 0 gives -12.
int Sapi5EngineValue(int storedValue);
// The text of a speed or pitch value box for a slider position.
std::wstring ValueBoxText(int position, bool sapi5Voice);

// The SAPI 5 markup put before a text to speak it at `pitch`: never closed,
// it holds to the end of the text.
std::wstring PitchPrefixText(int pitch);

// A text put behind the pitch prefix is read as markup, so its own "&", "<"
// and ">" are written as entities: only the program's tags are markup, and a
// selection such as "Q&A" or "a<b" is spoken as it stands.
std::wstring EscapeSpeechMarkup(std::wstring_view text);
