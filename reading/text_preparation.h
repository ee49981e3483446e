#pragma once
// Text preparation: what happens to captured text before it is spoken. Ignored
// characters become spaces, then the pronunciation corrections replace words in
// table order. Portable: the options window copies its controls into the
// settings below at the moment of the reading.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "reading/reading_rules.h"
#include "settings/word_correction.h"

struct TextPreparationSettings {
  bool ignoreCharacters = false;
  std::wstring ignoredCharacters;  // each character becomes one space
  bool correctWords = false;
  std::vector<WordCorrection> corrections;  // applied from the top row down
};

// How a row whose case flag is "No" compares letters: two code units are the
// same when this maps them to the same unit. It maps each unit on its own, so
// a word and its match have the same length, and a unit always to the same
// unit, so that its answers may be remembered. Called for many characters of
// a reading, so it should be a table look-up or little more.
using CaseFold = wchar_t (*)(wchar_t);

// Every occurrence of `search` in `text` replaced by `replacement`, by plain
// substring matching. After each replacement the scan resumes one character
// after the place where the occurrence began, in the changed text, so an
// occurrence may start inside the inserted replacement and run on into the
// text behind it. A replacement that holds `search` after its first character
// would be found there again forever: its scan resumes after the inserted
// replacement instead. An empty search finds nothing.
std::wstring ReplaceAllOccurrences(std::wstring_view search, std::wstring_view replacement,
                                   std::wstring_view text);

// The text as it is spoken: the ignored-character pass, then the correction
// pass, each only when switched on. Each row's correction is that scan over
// the text as the rows above left it; a "No" row compares through `fold`.
// With a table of kIndexedCorrectionRows rows with words or more, the text is
// indexed first: rows whose words cannot be in the text are then passed over
// without a search, and the others search only where their words may be.
std::wstring PrepareText(std::wstring text, const TextPreparationSettings& settings, CaseFold fold);
inline constexpr std::size_t kIndexedCorrectionRows = 32;

// No reading speaks more than kMaxReadingLength characters of a capture, and
// preparing all of a huge clipboard would hold the program up for seconds, so
// only its head is prepared. The head leaves room for corrections that
// shorten the text: what is spoken differs from preparing the whole only when
// the rows take away three quarters of the head.
inline constexpr std::size_t kPreparedCaptureLength = 4 * kMaxReadingLength;
std::wstring PrepareCapture(std::wstring capture, const TextPreparationSettings& settings,
                            CaseFold fold);

// The same preparation with every row searching the whole text, however many
// rows there are: the yardstick that the benchmarks hold PrepareText against.
std::wstring PrepareTextRowByRow(std::wstring text, const TextPreparationSettings& settings,
                                 CaseFold fold);
