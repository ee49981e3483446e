#pragma once
// The text a SAPI 4 engine reads: lines in the ANSI code page.

#include <string>
#include <vector>

// The text as lines for the SAPI 4 component's Text: split at CR LF, CR or
// LF, with no empty line after a final line break.
std::vector<std::string> AnsiLines(const std::wstring& text);
// The same for a reading: the text in the ANSI code page is cut to its first
// maxBytes bytes first, never in the middle of a double-byte character.
std::vector<std::string> AnsiReadingLines(const std::wstring& text, size_t maxBytes);
