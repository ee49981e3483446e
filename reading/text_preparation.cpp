#include "reading/text_preparation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

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
  static bool Same(wchar_t a, wchar_t b) { return a == b; }

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

  static bool Same(wchar_t a, wchar_t b) { return LowerAToZ(a) == LowerAToZ(b); }

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

// Equal as the finder's row compares: exactly, or with A to Z folded.
template <typename Finder>
bool Same(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), Finder::Same);
}

// Where a row's result goes, piece by piece: counted, appended to a new text,
// or written over the text itself.
class SizeSink {
 public:
  void Put(std::wstring_view piece) { size_ += piece.size(); }
  std::size_t Size() const { return size_; }

 private:
  std::size_t size_ = 0;
};

class AppendSink {
 public:
  explicit AppendSink(std::wstring& result) : result_(result) {}
  void Put(std::wstring_view piece) { result_.append(piece); }

 private:
  std::wstring& result_;
};

// For a replacement no longer than its word: what is written never reaches
// the part of the text still to be read. The pieces of the text itself that
// have not moved are left where they are.
class InPlaceSink {
 public:
  explicit InPlaceSink(std::wstring& text) : text_(text) {}
  void Put(std::wstring_view piece) {
    wchar_t* to = text_.data() + written_;
    if (piece.data() != to) std::char_traits<wchar_t>::move(to, piece.data(), piece.size());
    written_ += piece.size();
  }
  std::size_t Size() const { return written_; }

 private:
  std::wstring& text_;
  std::size_t written_ = 0;
};

// One row's replacement of every occurrence of its word, the scan resuming one
// character after the start of each replaced occurrence, in the changed text.
//
// The changed text is never built to be searched again. Past the first
// character of an inserted pronunciation it holds the rest of that
// pronunciation, then text not yet searched. An occurrence starting inside the
// pronunciation's rest either lies wholly in it, which the row's own words
// rule out (below), or runs on into the text behind it: then a tail of the
// pronunciation is a head of the word, and the few places where that holds
// are found once per row. Each such occurrence uses up characters of the
// text, so the scan ends and stays a pass or two over the text.
//
// A pronunciation that holds its own word after its first character would be
// found again on every step and the scan would never end: there the scan
// resumes after the inserted pronunciation instead.
template <typename Finder>
class RowScan {
 public:
  RowScan(std::wstring_view text, std::wstring_view word, std::wstring_view pronunciation)
      : text_(text), word_(word), pronunciation_(pronunciation) {
    resumeAfterPronunciation_ = HoldsWordAfterFirstCharacter();
    if (!resumeAfterPronunciation_) FindTailsThatBeginTheWord();
  }

  template <typename Sink>
  void Run(Sink& sink) const {
    Finder finder(text_, word_);
    std::size_t read = 0;
    bool restPending = false;  // the pronunciation after its first character
    while (true) {
      if (restPending) {
        if (const std::size_t tail = OccurrenceFromTail(read); tail != kNotFound) {
          sink.Put(pronunciation_.substr(1, tail - 1));
          sink.Put(pronunciation_.substr(0, 1));
          read += word_.size() - (pronunciation_.size() - tail);
          continue;
        }
        sink.Put(pronunciation_.substr(1));
        restPending = false;
      }
      const std::size_t found = finder.Find(read);
      if (found == kNotFound) break;
      sink.Put(text_.substr(read, found - read));
      read = found + word_.size();
      if (resumeAfterPronunciation_) {
        sink.Put(pronunciation_);
      } else if (!pronunciation_.empty()) {
        sink.Put(pronunciation_.substr(0, 1));
        restPending = true;
      } else if (read < text_.size()) {
        // The word went without a trace; one past its place is the character
        // after it, which no occurrence can start at.
        sink.Put(text_.substr(read, 1));
        ++read;
      }
    }
    sink.Put(text_.substr(read));
  }

 private:
  bool HoldsWordAfterFirstCharacter() const {
    for (std::size_t at = 1; at + word_.size() <= pronunciation_.size(); ++at) {
      if (Same<Finder>(pronunciation_.substr(at, word_.size()), word_)) return true;
    }
    return false;
  }

  // The places after the first character where the rest of the pronunciation
  // is a head of the word, shorter than the word.
  void FindTailsThatBeginTheWord() {
    const std::size_t length = pronunciation_.size();
    const std::size_t first = length < word_.size() ? 1 : length - word_.size() + 1;
    for (std::size_t at = first; at < length; ++at) {
      if (Same<Finder>(pronunciation_.substr(at), word_.substr(0, length - at))) {
        tails_.push_back(at);
      }
    }
  }

  // The first of those places where the text from `read` on completes the word.
  std::size_t OccurrenceFromTail(std::size_t read) const {
    for (const std::size_t at : tails_) {
      const std::wstring_view rest = word_.substr(pronunciation_.size() - at);
      if (Same<Finder>(text_.substr(read, rest.size()), rest)) return at;
    }
    return kNotFound;
  }

  std::wstring_view text_;
  std::wstring_view word_;
  std::wstring_view pronunciation_;
  bool resumeAfterPronunciation_ = false;
  std::vector<std::size_t> tails_;
};

template <typename Finder>
void ReplaceAll(std::wstring& text, std::wstring_view word, std::wstring_view replacement) {
  if (word.empty()) return;
  const RowScan<Finder> scan(text, word, replacement);
  if (replacement.size() <= word.size()) {
    InPlaceSink sink(text);
    scan.Run(sink);
    text.resize(sink.Size());
    return;
  }
  // A longer replacement: the new text is measured first, so that it is
  // allocated once at its final size. Every occurrence makes it longer.
  SizeSink size;
  scan.Run(size);
  if (size.Size() == text.size()) return;
  std::wstring result;
  result.reserve(size.Size());
  AppendSink sink(result);
  scan.Run(sink);
  text = std::move(result);
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

void ApplyCorrection(std::wstring& text, const WordCorrection& row) {
  if (row.caseFlag == kCaseInsensitiveFlag) {
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
    for (const WordCorrection& row : settings.corrections) ApplyCorrection(text, row);
  }
  return text;
}
