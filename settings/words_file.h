#pragma once
// words.ini, the pronunciation dictionary: a plain text file, one line per
// correction in table order, each the word, the pronunciation and the case
// flag joined by "###***###" and ended by CR LF; no header, no escaping.
//
// The file is in the ANSI code page while every row fits it. A row that needs
// a character the code page lacks makes the whole file UTF-8 behind a
// byte-order mark; a reader honours a UTF-8 or UTF-16 LE byte-order mark.
// Portable: the ANSI code page comes in as functions.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/word_correction.h"

// The file's name; settings/program_files.h says in which folder.
inline constexpr wchar_t kWordsFile[] = L"words.ini";
inline constexpr std::wstring_view kWordSeparator = L"###***###";

// Whether a word or pronunciation reads back as written. One that holds the
// separator or a line break would read back as other rows, and one that ends
// in "###***" would end sooner: the separator behind it completes an earlier
// separator.
bool CanStoreWordField(std::wstring_view field);

// The system's ANSI code page.
struct AnsiCodePage {
  // The text's bytes, or nothing when a character does not fit.
  std::function<std::optional<std::string>(std::wstring_view)> encode;
  std::function<std::wstring(std::string_view)> decode;
};

std::string EncodeWords(const std::vector<WordCorrection>& rows, const AnsiCodePage& ansi);

// Every line is a row, an empty one too. A line is cut at the first separator
// into the word and the rest, and the rest at its first separator into the
// pronunciation and the case flag. A line without the second separator keeps
// all of the rest as the pronunciation, with the flag "No". A line without
// any separator gives an empty word, an empty pronunciation, and as case flag
// the line without its first sixteen characters (each missing separator
// takes eight characters in its place), as every earlier version read it.
std::vector<WordCorrection> DecodeWords(std::string_view bytes, const AnsiCodePage& ansi);
