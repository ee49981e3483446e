#pragma once
// A second, deliberately naive text preparation to check the real one against:
// it follows the rules step by step, rebuilding the whole text at every
// replacement and lower-casing the whole text at every search step, which is
// slow but easy to see right. Also the small random cases both the fuzz target
// and the unit tests feed to the two.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "reading/text_preparation.h"

namespace reference {

// A small letter case for the tests: A to Z, the basic Cyrillic letters with
// those of U+0450 to U+045F (among them yo), and the long s, which the system
// too compares as S, so that three units fold alike.
inline wchar_t SimpleFold(wchar_t c) {
  if ((c >= L'a' && c <= L'z') || (c >= 0x0430 && c <= 0x044F))
    return static_cast<wchar_t>(c - 0x20);
  if (c >= 0x0450 && c <= 0x045F) return static_cast<wchar_t>(c - 0x50);
  return c == 0x017F ? L'S' : c;
}

inline std::wstring Folded(std::wstring text, CaseFold fold) {
  for (wchar_t& c : text) c = fold(c);
  return text;
}

// What the searches have looked at, in characters; a preparation that has
// looked at more than `most` gives up, so that a fuzz input that makes the
// naive scan slow is passed over instead of holding up the fuzzer.
struct Work {
  std::size_t done = 0;
  std::size_t most = static_cast<std::size_t>(-1);
  bool Exceeded() const { return done > most; }
};

// The scan step by step: each search looks at the whole text as it is now
// (folded when a fold is given), each replacement rebuilds it, and the next
// search starts one character after where the replaced occurrence began. A
// replacement holding the word after its first character, compared the same
// way, would be found again forever; there the next search starts after the
// inserted replacement. An empty word finds nothing.
inline std::wstring Replace(std::wstring text, const std::wstring& word,
                            const std::wstring& replacement, CaseFold fold, Work* work = nullptr) {
  if (word.empty()) return text;
  const auto compared = [fold](const std::wstring& s) { return fold ? Folded(s, fold) : s; };
  const bool neverEnds = compared(replacement).find(compared(word), 1) != std::wstring::npos;
  std::size_t resume = 0;
  while (true) {
    if (work != nullptr && (work->done += text.size(), work->Exceeded())) return text;
    const std::size_t found = compared(text).find(compared(word), resume);
    if (found == std::wstring::npos) return text;
    text = text.substr(0, found) + replacement + text.substr(found + word.size());
    resume = neverEnds ? found + replacement.size() : found + 1;
  }
}

inline std::wstring Prepare(std::wstring text, const TextPreparationSettings& settings,
                            CaseFold fold, Work* work = nullptr) {
  if (settings.ignoreCharacters) {
    const std::wstring& list = settings.ignoredCharacters;
    for (std::size_t at = 0; at < list.size();) {
      // A surrogate pair is one character.
      std::size_t length = 1;
      if (at + 1 < list.size() && list[at] >= 0xD800 && list[at] <= 0xDBFF &&
          list[at + 1] >= 0xDC00 && list[at + 1] <= 0xDFFF) {
        length = 2;
      }
      text = Replace(text, list.substr(at, length), L" ", nullptr);
      at += length;
    }
  }
  if (settings.correctWords) {
    for (const WordCorrection& row : settings.corrections) {
      text =
          Replace(text, row.word, row.pronunciation, row.caseFlag == L"No" ? fold : nullptr, work);
    }
  }
  return text;
}

// A small alphabet, so that words occur often, case folding matters, and
// pronunciations often contain their own word: letters in both cases, the
// three units that fold to S, a Cyrillic letter in both cases, a neighbour of
// A to Z, a letter the fold leaves alone in both cases, a space, two default
// ignored characters and the two halves of U+1F600.
inline constexpr std::wstring_view kAlphabet =
    L"aAsS\u017F\u0434\u0414` *_\u00e9\u00c9\xD83D\xDE00";
inline constexpr std::wstring_view kFlags[] = {L"No", L"Yes", L"no", L"NO", L""};

struct Case {
  std::wstring text;
  TextPreparationSettings settings;
};

// Choices from a seed, for cases that a few bytes or a test fix: SplitMix64,
// cheap, and every seed gives a different stream.
class SeededPick {
 public:
  explicit SeededPick(std::uint64_t seed) : state_(seed) {}

  std::size_t operator()(std::size_t count) {
    state_ += 0x9E3779B97F4A7C15;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
    return static_cast<std::size_t>((z ^ (z >> 31)) % count);
  }

 private:
  std::uint64_t state_;
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

// A short text and a large table: many rows drawn from a few letters, so that
// some words occur, others come into the text only by the pronunciations of
// rows above them, and the text is long enough for the index's chunks. Words
// are mostly four to eight letters long, so that most rows occur seldom or not
// at all, as in a real dictionary; some are up to 24 letters long. Some texts
// also hold many different characters of a script of thousands (more than the
// search lists).
//
// Each replacement uses up at least a character of the text before the row,
// so a pronunciation p characters longer than its word makes the text at most
// p + 1 times as long: pronunciations stop being longer than their words once
// the text could grow past 8,000 characters.
//
// A quarter of the cases draw from tens of letters instead, and half their
// rows take their words from the text: with a few letters every short
// substring stands in every chunk of the text, so only these show whether
// the index knows where a word is after the rows above have moved the text.
inline constexpr std::wstring_view kFewLetters = L"aAbBcds\u017FS";
inline constexpr std::wstring_view kManyLetters = L"abcdefghijklmnopqrstuvwxyzABCDEFGH\u017F";

template <typename Pick>
Case PickLargeCase(Pick& pick) {
  const bool manyLetters = pick(4) == 0;
  const auto letters = [&pick, manyLetters] {
    return manyLetters ? kManyLetters : kFewLetters.substr(pick(4), 2 + pick(7));
  };
  const auto string = [&pick](std::wstring_view from, std::size_t length) {
    std::wstring text(length, L' ');
    for (wchar_t& c : text) c = from[pick(from.size())];
    return text;
  };
  Case result;
  result.text = string(letters(), pick(2) == 0 ? pick(65) : pick(2001));
  if (pick(8) == 0) {
    for (wchar_t& c : result.text) {
      if (pick(4) != 0) c = static_cast<wchar_t>(0x4E00 + pick(3000));
    }
  }
  result.settings.correctWords = true;
  const std::wstring_view wordLetters = letters();
  const std::size_t rows = 1 + pick(3000);
  const std::size_t longest = 1 + pick(8);
  std::size_t mostLength = std::max<std::size_t>(result.text.size(), 1);
  for (std::size_t row = 0; row < rows; ++row) {
    WordCorrection correction;
    std::size_t wordLength = 4 + pick(5);
    if (pick(8) == 0) wordLength = 1 + pick(3);
    if (pick(16) == 0) wordLength = 9 + pick(16);
    if (pick(50) == 0) wordLength = 0;
    correction.word = string(wordLetters, wordLength);
    if (manyLetters && pick(2) == 0 && result.text.size() >= wordLength) {
      correction.word = result.text.substr(pick(result.text.size() - wordLength + 1), wordLength);
    }
    std::size_t length = pick(wordLength + longest);
    if (length > wordLength && mostLength * (1 + length - wordLength) > 8000) {
      length = pick(wordLength + 1);
    }
    if (length > wordLength) mostLength *= 1 + length - wordLength;
    correction.pronunciation = string(wordLetters, length);
    correction.caseFlag = pick(2) == 0 ? L"No" : L"Yes";
    result.settings.corrections.push_back(std::move(correction));
  }
  return result;
}

}  // namespace reference
