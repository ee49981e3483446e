#pragma once
// words.ini on disk (settings/words_file.h gives its format), in the system's
// ANSI code page.

#include <optional>
#include <string>
#include <vector>

#include "settings/word_correction.h"

// The rows of the file; nothing when there is no file. Throws when a file is
// there but cannot be read.
std::optional<std::vector<WordCorrection>> ReadWordsFile(const std::wstring& path);
// The whole table, in one step: a failure throws and leaves the file as it
// was. No rows leave an empty file.
void WriteWordsFile(const std::wstring& path, const std::vector<WordCorrection>& rows);
