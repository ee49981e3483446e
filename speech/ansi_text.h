#pragma once
// SAPI 4 engines name themselves and read their text in the ANSI code page,
// and the settings files are kept in it while their values fit; the rest of
// the program is UTF-16. This is where the two meet.

#include <string>
#include <vector>

std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const std::wstring& text);
// Whether the ANSI code page holds every character of the text as it is, not
// as a look-alike or as its default character. A code page that cannot answer
// (UTF-8 refuses the question) counts as not holding it.
bool FitsAnsiCodePage(const std::wstring& text);
// The text as lines for the SAPI 4 component's Text: split at CR LF, CR or
// LF, with no empty line after a final line break.
std::vector<std::string> AnsiLines(const std::wstring& text);
// The same for a reading: the text in the ANSI code page is cut to its first
// maxBytes bytes first, never in the middle of a double-byte character.
std::vector<std::string> AnsiReadingLines(const std::wstring& text, size_t maxBytes);
