#pragma once

#include <optional>
#include <string>

// What a voice makes of a text handed to Speak: the text it says, and the
// given text with the markup blanked out, so word positions still count in
// the text as given.
struct SpokenText {
  std::wstring said;        // markup removed, character references decoded
  std::wstring wordSource;  // the given text, its markup and white-space references blanked
  long pitchMiddle = 0;     // from a <pitch middle="n"> tag
};

// Whether Speak parses a text for markup: SVSFIsNotXML says no, SVSFIsXML
// yes, and otherwise a text does that starts with `<` after white space.
bool ParsesAsMarkup(const std::wstring& text, long speakFlags);

// The spoken text of `given`. Parsed as markup, it has none when the text is
// not what an XML parser accepts: an `&` that starts no known entity or
// character reference, or a `<` that starts no complete tag. Elements left
// open are accepted, as the runtime does.
std::optional<SpokenText> SpokenTextOf(const std::wstring& given, bool parseMarkup);
