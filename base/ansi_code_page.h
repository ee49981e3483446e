#pragma once
// SAPI 4 engines name themselves and read their text in the ANSI code page,
// and the settings files are kept in it while their values fit; the rest of
// the program is UTF-16. This is where the two meet.

#include <string>

std::wstring WideFromAnsi(const std::string& text);
// Characters the code page lacks become its default character.
std::string AnsiFromWide(const std::wstring& text);
// Whether the ANSI code page holds every character of the text as it is, not
// as a look-alike or as its default character. A code page that cannot answer
// (UTF-8 refuses the question) counts as not holding it.
bool FitsAnsiCodePage(const std::wstring& text);
