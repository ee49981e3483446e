#pragma once
// A pronunciation correction: a word and what is spoken in its place.
// Portable.

#include <string>

struct WordCorrection {
  std::wstring word;
  std::wstring pronunciation;  // may be empty: the word is then removed
  // The "Case sensitive" text as the table and words.ini hold it, "Yes" or
  // "No". It stays text because its readers differ on any other text (from
  // an edited file): a reading matches letters in either case only for
  // exactly "No", while the correction editor takes only exactly "Yes" as set.
  std::wstring caseFlag;

  bool operator==(const WordCorrection&) const = default;
};
