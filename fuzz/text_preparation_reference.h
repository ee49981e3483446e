#pragma once
// A second, deliberately naive text preparation to check the real one against:
// it follows the rules step by step, rebuilding the whole text at every
// replacement and lower-casing the whole text at every search step, which is
// slow but easy to see right. Also the small random cases both the fuzz target
// and the unit tests feed to the two.

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

#include "reading/text_preparation.h"

namespace reference {

inline std::wstring LowerAToZ(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
  }
  return text;
}

// The scan step by step: each search looks at the whole text as it is now
// (lower-cased A to Z when folding), each replacement rebuilds it, and the
// next search starts one character after where the replaced occurrence began.
// A replacement holding the word after its first character, compared the same
// way, would be found again forever; there the next search starts after the
// inserted replacement. An empty word finds nothing.
inline std::wstring Replace(std::wstring text, const std::wstring& word,
                            const std::wstring& replacement, bool foldCase) {
  if (word.empty()) return text;
  const auto compared = [foldCase](const std::wstring& s) { return foldCase ? LowerAToZ(s) : s; };
  const bool neverEnds = compared(replacement).find(compared(word), 1) != std::wstring::npos;
  std::size_t resume = 0;
  while (true) {
    const std::size_t found = compared(text).find(compared(word), resume);
    if (found == std::wstring::npos) return text;
    text = text.substr(0, found) + replacement + text.substr(found + word.size());
    resume = neverEnds ? found + replacement.size() : found + 1;
  }
}

inline std::wstring Prepare(std::wstring text, const TextPreparationSettings& settings) {
  if (settings.ignoreCharacters) {
    const std::wstring& list = settings.ignoredCharacters;
    for (std::size_t at = 0; at < list.size();) {
      // A surrogate pair is one character.
      std::size_t length = 1;
      if (at + 1 < list.size() && list[at] >= 0xD800 && list[at] <= 0xDBFF &&
          list[at + 1] >= 0xDC00 && list[at + 1] <= 0xDFFF) {
        length = 2;
      }
      text = Replace(text, list.substr(at, length), L" ", false);
      at += length;
    }
  }
  if (settings.correctWords) {
    for (const WordCorrection& row : settings.corrections) {
      text = Replace(text, row.word, row.pronunciation, row.caseFlag == L"No");
    }
  }
  return text;
}

// A small alphabet, so that words occur often, case folding matters, and
// pronunciations often contain their own word: letters in both cases, a
// folded-looking neighbour of A to Z, a letter outside A to Z in both cases,
// a space, two default ignored characters and the two halves of U+1F600.
inline constexpr std::wstring_view kAlphabet = L"aAbB@` *_\u00e9\u00c9\xD83D\xDE00";
inline constexpr std::wstring_view kFlags[] = {L"No", L"Yes", L"no", L"NO", L""};

struct Case {
  std::wstring text;
  TextPreparationSettings settings;
};

// Builds a case from `pick(n)`, a source of choices below n (a random
// generator, or the bytes of a fuzz input).
template <typename Pick>
std::wstring PickString(Pick& pick, std::size_t maxLength) {
  std::wstring text(pick(maxLength + 1), L' ');
  for (wchar_t& c : text) c = kAlphabet[pick(kAlphabet.size())];
  return text;
}

template <typename Pick>
Case PickCase(Pick& pick) {
  Case result;
  result.text = PickString(pick, 24);
  result.settings.ignoreCharacters = pick(2) == 1;
  result.settings.ignoredCharacters = PickString(pick, 3);
  result.settings.correctWords = pick(4) != 0;
  const std::size_t rows = pick(5);
  for (std::size_t row = 0; row < rows; ++row) {
    WordCorrection correction;
    correction.word = PickString(pick, 3);
    correction.pronunciation = PickString(pick, 5);
    correction.caseFlag = kFlags[pick(std::size(kFlags))];
    result.settings.corrections.push_back(std::move(correction));
  }
  return result;
}

}  // namespace reference
