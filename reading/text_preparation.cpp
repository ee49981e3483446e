#include "reading/text_preparation.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr wchar_t kSpace = L' ';
constexpr std::wstring_view kCaseInsensitiveFlag = L"No";

constexpr std::size_t kNotFound = std::wstring_view::npos;

// Only A to Z are folded, as the dictionary has always compared: letters of
// other scripts and accented letters must be written in the word's own case.
wchar_t LowerAToZ(wchar_t c) {
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

wchar_t UpperAToZ(wchar_t c) {
  return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

std::wstring LowerAToZ(std::wstring_view text) {
  std::wstring lower(text);
  for (wchar_t& c : lower) c = LowerAToZ(c);
  return lower;
}

// Plain substring search, letter case and all.
class ExactFinder {
 public:
  ExactFinder(std::wstring_view text, std::wstring_view word) : text_(text), word_(word) {}
  std::size_t Find(std::size_t from) const { return text_.find(word_, from); }

 private:
  std::wstring_view text_;
  std::wstring_view word_;
};

// Plain substring search with A to Z folded on both sides. A lower-case copy
// of the text would cost a pass and a copy of the text for every row, also for
// the many rows that do not occur; instead the finder keeps the next place of
// the word's first letter in each case, each found with the library's fast
// search for one character. Calls must come with `from` never decreasing.
class FoldedFinder {
 public:
  FoldedFinder(std::wstring_view text, std::wstring_view word)
      : text_(text), word_(LowerAToZ(word)), lower_(word_[0]), upper_(UpperAToZ(lower_)) {
    nextLower_ = text_.find(lower_);
    nextUpper_ = upper_ == lower_ ? kNotFound : text_.find(upper_);
  }

  std::size_t Find(std::size_t from) {
    while (true) {
      const std::size_t at =
          std::min(Next(lower_, nextLower_, from), Next(upper_, nextUpper_, from));
      if (at == kNotFound || text_.size() - at < word_.size()) return kNotFound;
      if (MatchesAt(at)) return at;
      from = at + 1;
    }
  }

 private:
  std::size_t Next(wchar_t letter, std::size_t& next, std::size_t from) const {
    if (next < from) next = text_.find(letter, from);
    return next;
  }

  bool MatchesAt(std::size_t at) const {
    for (std::size_t i = 1; i < word_.size(); ++i) {
      if (LowerAToZ(text_[at + i]) != word_[i]) return false;
    }
    return true;
  }

  std::wstring_view text_;
  std::wstring word_;
  wchar_t lower_;
  wchar_t upper_;
  std::size_t nextLower_;
  std::size_t nextUpper_;
};

// A replacement no longer than its word: the text is rewritten in place,
// the part already written never reaching the part still to be searched.
template <typename Finder>
void ReplaceInPlace(std::wstring& text, Finder finder, std::size_t wordLength,
                    std::wstring_view replacement) {
  std::size_t found = finder.Find(0);
  if (found == kNotFound) return;
  std::size_t read = found;
  std::size_t write = found;
  const auto moveTo = [&text, &read, &write](std::size_t end) {
    if (write != read) std::copy(text.begin() + read, text.begin() + end, text.begin() + write);
    write += end - read;
  };
  do {
    moveTo(found);
    std::copy(replacement.begin(), replacement.end(), text.begin() + write);
    write += replacement.size();
    read = found + wordLength;
    found = finder.Find(read);
  } while (found != kNotFound);
  moveTo(text.size());
  text.resize(write);
}

// A longer replacement: the occurrences are counted first, so that the new
// text is allocated once at its final size.
template <typename MakeFinder>
void ReplaceIntoCopy(std::wstring& text, MakeFinder makeFinder, std::size_t wordLength,
                     std::wstring_view replacement) {
  auto counter = makeFinder();
  std::size_t count = 0;
  for (std::size_t at = counter.Find(0); at != kNotFound; at = counter.Find(at + wordLength)) {
    ++count;
  }
  if (count == 0) return;
  std::wstring result;
  result.reserve(text.size() + count * (replacement.size() - wordLength));
  auto finder = makeFinder();
  std::size_t copied = 0;
  for (std::size_t at = finder.Find(0); at != kNotFound; at = finder.Find(copied)) {
    result.append(text, copied, at - copied).append(replacement);
    copied = at + wordLength;
  }
  result.append(text, copied);
  text = std::move(result);
}

// Every occurrence of the word that the finders find replaced, the search going
// on after each occurrence, that is after the inserted replacement: so a
// replacement that contains its own word cannot make the scan run forever, and
// each row costs a scan or two of the text whatever it holds.
template <typename Finder>
void ReplaceAll(std::wstring& text, std::wstring_view word, std::wstring_view replacement) {
  if (word.empty()) return;
  const auto makeFinder = [&text, word] { return Finder(text, word); };
  if (replacement.size() <= word.size()) {
    ReplaceInPlace(text, makeFinder(), word.size(), replacement);
  } else {
    ReplaceIntoCopy(text, makeFinder, word.size(), replacement);
  }
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A surrogate pair in the list is one character: blanking its halves one by
// one would also break every other character that shares a half with it.
std::size_t CharacterLength(std::wstring_view text, std::size_t at) {
  const bool pair =
      at + 1 < text.size() && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]);
  return pair ? 2 : 1;
}

// A set of single code units of the ignored list. Each of them becomes a space
// wherever it stands, so their order does not matter and one pass over the
// text blanks them all, however long the list.
class CodeUnitSet {
 public:
  void Add(wchar_t c) {
    if (IsAscii(c)) {
      ascii_[static_cast<std::size_t>(c)] = true;
    } else {
      others_ += c;
    }
    empty_ = false;
  }

  void BlankIn(std::wstring& text) const {
    if (empty_) return;
    for (wchar_t& c : text) {
      // Stored whether blanked or not: a choice without a jump, which a
      // processor does not mispredict.
      const bool blank =
          IsAscii(c) ? ascii_[static_cast<std::size_t>(c)] : others_.find(c) != kNotFound;
      c = blank ? kSpace : c;
    }
  }

 private:
  // Through an unsigned type: wchar_t is signed on some platforms.
  static bool IsAscii(wchar_t c) { return static_cast<std::uint32_t>(c) < 128; }

  std::array<bool, 128> ascii_{};
  std::wstring others_;
  bool empty_ = true;
};

// The list's characters from the first to the last. A surrogate pair changes
// the text's length, so the single code units before it are blanked first.
void BlankIgnoredCharacters(std::wstring& text, std::wstring_view ignored) {
  CodeUnitSet units;
  for (std::size_t at = 0; at < ignored.size();) {
    const std::wstring_view character = ignored.substr(at, CharacterLength(ignored, at));
    if (character.size() == 1) {
      units.Add(character[0]);
    } else {
      units.BlankIn(text);
      units = CodeUnitSet();
      ReplaceAll<ExactFinder>(text, character, std::wstring_view(&kSpace, 1));
    }
    at += character.size();
  }
  units.BlankIn(text);
}

void ApplyCorrection(std::wstring& text, const PronunciationCorrection& row) {
  if (row.caseSensitive == kCaseInsensitiveFlag) {
    ReplaceAll<FoldedFinder>(text, row.word, row.pronunciation);
  } else {
    ReplaceAll<ExactFinder>(text, row.word, row.pronunciation);
  }
}

}  // namespace

std::wstring ReplaceAllOccurrences(std::wstring_view search, std::wstring_view replacement,
                                   std::wstring_view text) {
  std::wstring result(text);
  ReplaceAll<ExactFinder>(result, search, replacement);
  return result;
}

std::wstring PrepareText(std::wstring text, const TextPreparationSettings& settings) {
  if (settings.ignoreCharacters) BlankIgnoredCharacters(text, settings.ignoredCharacters);
  if (settings.correctWords) {
    for (const PronunciationCorrection& row : settings.corrections) ApplyCorrection(text, row);
  }
  return text;
}
