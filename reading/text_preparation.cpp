#include "reading/text_preparation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "reading/text_preparation_index.h"

namespace {

using text_preparation::Edit;
using text_preparation::FoldMemo;
using text_preparation::Stretch;
using text_preparation::TextIndex;

constexpr wchar_t kSpace = L' ';
constexpr std::wstring_view kCaseInsensitiveFlag = L"No";

constexpr std::size_t kNotFound = std::wstring_view::npos;

// Words this long or longer are searched for by their last character first
// (Boyer-Moore-Horspool): a text character that does not stand in the word
// lets the search move on by the word's whole length. Its shifts are kept for
// the low byte of a character, so that a table of 256 serves every script.
constexpr std::size_t kSkippingLength = 4;

using Shifts = std::array<std::uint32_t, 256>;

std::size_t LowByte(wchar_t c) { return static_cast<std::size_t>(c) & 0xFF; }

// `word` as compared already (folded or not).
Shifts ShiftsFor(std::wstring_view word) {
  Shifts shifts;
  const auto length = static_cast<std::uint32_t>(word.size());
  shifts.fill(length);
  for (std::uint32_t i = 0; i + 1 < length; ++i) shifts[LowByte(word[i])] = length - 1 - i;
  return shifts;
}

// 1 or 0, for tests joined without a jump.
unsigned Is(wchar_t c, wchar_t unit) { return static_cast<unsigned>(c == unit); }

// Up to four code units that a character may be, tested without a jump.
class Units {
 public:
  Units() = default;
  explicit Units(wchar_t unit) : count_(1) { units_.fill(unit); }

  // False when there are more than four.
  bool Assign(const std::vector<wchar_t>& units) {
    if (units.size() > units_.size()) return false;
    count_ = units.size();
    if (count_ > 0) units_.fill(units[0]);
    std::copy(units.begin(), units.end(), units_.begin());
    return true;
  }

  bool Empty() const { return count_ == 0; }
  bool Has(wchar_t c) const {
    return (Is(c, units_[0]) | Is(c, units_[1]) | Is(c, units_[2]) | Is(c, units_[3])) != 0;
  }
  const std::array<wchar_t, 4>& All() const { return units_; }

 private:
  std::array<wchar_t, 4> units_{};
  std::size_t count_ = 0;
};

// The first place in [from, last) where the text holds one of `first`, then
// one of `second`, then what `rest` accepts: a search for words of two or
// three characters. Blocks of the text are first tested whole, in a loop
// without jumps that the compiler can turn into vector instructions; only a
// block that holds the pair is looked at place by place.
template <typename Rest>
std::size_t FindByPair(std::wstring_view text, std::size_t from, std::size_t last,
                       const Units& first, const Units& second, Rest rest) {
  constexpr std::size_t kBlock = 64;
  const wchar_t* units = text.data();
  // The units in locals, each test in plain operators: what the compiler
  // turns into vector instructions.
  const auto [a0, a1, a2, a3] = first.All();
  const auto [b0, b1, b2, b3] = second.All();
  std::array<unsigned char, kBlock> pairs;
  for (std::size_t block = from; block < last; block += kBlock) {
    const std::size_t count = std::min(last - block, kBlock);
    unsigned any = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const wchar_t c = units[block + i];
      const wchar_t d = units[block + i + 1];
      const unsigned pair = (Is(c, a0) | Is(c, a1) | Is(c, a2) | Is(c, a3)) &
                            (Is(d, b0) | Is(d, b1) | Is(d, b2) | Is(d, b3));
      pairs[i] = static_cast<unsigned char>(pair);
      any |= pair;
    }
    if (any == 0) continue;
    for (std::size_t i = 0; i < count; ++i) {
      if (pairs[i] != 0 && rest(block + i)) return block + i;
    }
  }
  return kNotFound;
}

// Plain substring search, letter case and all. The word's first letter is
// looked for with the library's fast search for one character, as long as it
// is seldom in the text; once it keeps turning up close by without the rest
// of the word, the search goes on by letter pairs or last letters instead.
class ExactSearch {
 public:
  ExactSearch(std::wstring_view text, std::wstring_view word) : text_(text), word_(word) {
    if (word_.size() >= kSkippingLength) shifts_ = ShiftsFor(word_);
  }

  // The first occurrence that starts in [from, to).
  std::size_t FindIn(std::size_t from, std::size_t to) const {
    const std::size_t length = word_.size();
    if (text_.size() < length) return kNotFound;
    const std::size_t last = std::min(to, text_.size() - length + 1);
    const wchar_t* text = text_.data();
    const wchar_t* word = word_.data();
    while (falseStarts_ < kFalseStarts && from < last) {
      const std::size_t at = text_.substr(0, last).find(word[0], from);
      if (at == kNotFound ||
          std::char_traits<wchar_t>::compare(text + at + 1, word + 1, length - 1) == 0) {
        return at;
      }
      falseStarts_ = at - from < kNear ? falseStarts_ + 1 : 0;
      from = at + 1;
    }
    // A word of one letter has no false starts: it ends in the loop above.
    if (from >= last) return kNotFound;
    if (length < kSkippingLength) {
      return FindByPair(text_, from, last, Units(word[0]), Units(word[1]),
                        [&](std::size_t at) { return length == 2 || text[at + 2] == word[2]; });
    }
    for (std::size_t at = from; at < last; at += shifts_[LowByte(text[at + length - 1])]) {
      if (text[at + length - 1] == word[length - 1] &&
          std::char_traits<wchar_t>::compare(text + at, word, length - 1) == 0) {
        return at;
      }
    }
    return kNotFound;
  }

  bool Same(wchar_t a, wchar_t b) const { return a == b; }

 private:
  // This many first letters in a row, each within kNear of the one before,
  // and the first letter counts as a common one.
  static constexpr std::size_t kFalseStarts = 8;
  static constexpr std::size_t kNear = 32;

  std::wstring_view text_;
  std::wstring_view word_;
  Shifts shifts_;
  mutable std::size_t falseStarts_ = 0;
};

// The code units that may stand for each letter of a folded word: those of
// the text that fold as the letter. A long word's search then skips by the
// text's units as they are, and folds only where the last letter may stand.
struct FoldedLetters {
  Shifts shifts;
  std::array<bool, 256> lastLetter;  // by low byte
};

// Substring search with both sides folded. A short word's first two letters
// are tested as the code units of the text that fold as them; a long word's
// search skips by the same units. Where the text holds too many different
// units to tell them, characters are folded as the search goes.
class FoldedSearch {
 public:
  // `word` folded already; `first`, `second` and `letters` null when not told.
  FoldedSearch(std::wstring_view text, std::wstring_view word, CaseFold fold, const Units* first,
               const Units* second, const FoldedLetters* letters)
      : text_(text), word_(word), fold_(fold), first_(first), second_(second), letters_(letters) {
    if (word_.size() >= kSkippingLength && letters_ == nullptr) shifts_ = ShiftsFor(word_);
  }

  std::size_t FindIn(std::size_t from, std::size_t to) const {
    const std::size_t length = word_.size();
    if (text_.size() < length) return kNotFound;
    const std::size_t last = std::min(to, text_.size() - length + 1);
    if (length >= kSkippingLength && letters_ != nullptr) {
      const wchar_t* text = text_.data();
      while (from < last) {
        const wchar_t c = text[from + length - 1];
        if (letters_->lastLetter[LowByte(c)] && fold_(c) == word_[length - 1] &&
            MatchesAt(from, 0, length - 1)) {
          return from;
        }
        from += letters_->shifts[LowByte(c)];
      }
      return kNotFound;
    }
    if (length >= kSkippingLength) {
      while (from < last) {
        const wchar_t c = fold_(text_[from + length - 1]);
        if (c == word_[length - 1] && MatchesAt(from, 0, length - 1)) return from;
        from += shifts_[LowByte(c)];
      }
      return kNotFound;
    }
    if (first_ != nullptr && (length == 1 || second_ != nullptr)) {
      if (first_->Empty() || (length > 1 && second_->Empty())) return kNotFound;
      if (length == 1) {
        for (std::size_t at = from; at < last; ++at) {
          if (first_->Has(text_[at])) return at;
        }
        return kNotFound;
      }
      return FindByPair(text_, from, last, *first_, *second_,
                        [this, length](std::size_t at) { return MatchesAt(at, 2, length); });
    }
    for (std::size_t at = from; at < last; ++at) {
      if (fold_(text_[at]) == word_[0] && MatchesAt(at, 1, length)) return at;
    }
    return kNotFound;
  }

  bool Same(wchar_t a, wchar_t b) const { return fold_(a) == fold_(b); }

 private:
  // The word's characters [from, to) at the text's `at` on.
  bool MatchesAt(std::size_t at, std::size_t from, std::size_t to) const {
    for (std::size_t i = from; i < to; ++i) {
      if (fold_(text_[at + i]) != word_[i]) return false;
    }
    return true;
  }

  std::wstring_view text_;
  std::wstring_view word_;
  mutable FoldMemo fold_;
  const Units* first_;
  const Units* second_;
  const FoldedLetters* letters_;
  Shifts shifts_;
};

// The different code units the text holds, or may hold: those it held when
// the pass began and those of every pronunciation a row has inserted since.
// Past a number of them (a text in a script of thousands of characters) they
// are not listed.
class TextUnits {
 public:
  TextUnits(std::wstring_view text, CaseFold fold) : fold_(fold), slots_(64) { Add(text); }

  void Add(std::wstring_view text) {
    for (const wchar_t c : text) {
      if (listed_ && !Insert(c)) return;
    }
  }

  // The units that fold as `folded`; false when they are not listed or more
  // than four.
  bool FoldingAs(wchar_t folded, Units& units) {
    return listed_ && units.Assign(FoldingAs(folded));
  }

  // For a folded word of kSkippingLength letters or more; false when the
  // units are not listed.
  bool LettersOf(std::wstring_view word, FoldedLetters& letters) {
    if (!listed_) return false;
    const auto length = static_cast<std::uint32_t>(word.size());
    letters.shifts.fill(length);
    for (std::uint32_t i = 0; i + 1 < length; ++i) {
      for (const wchar_t unit : FoldingAs(word[i])) letters.shifts[LowByte(unit)] = length - 1 - i;
    }
    letters.lastLetter.fill(false);
    for (const wchar_t unit : FoldingAs(word[length - 1])) letters.lastLetter[LowByte(unit)] = true;
    return true;
  }

 private:
  static constexpr std::size_t kMostUnits = 1024;

  const std::vector<wchar_t>& FoldingAs(wchar_t folded) {
    found_.clear();
    for (std::size_t i = 0; i < units_.size(); ++i) {
      if (folded_[i] == folded) found_.push_back(units_[i]);
    }
    return found_;
  }

  // False when the units can no longer be listed.
  bool Insert(wchar_t c) {
    // Slots hold a unit plus one, so that 0 is an empty slot.
    const std::uint64_t key = static_cast<std::uint64_t>(static_cast<std::uint32_t>(c)) + 1;
    std::size_t at =
        static_cast<std::size_t>((key * 0x9E3779B97F4A7C15) >> 40) & (slots_.size() - 1);
    for (; slots_[at] != 0; at = (at + 1) & (slots_.size() - 1)) {
      if (slots_[at] == key) return true;
    }
    if (units_.size() == kMostUnits) {
      listed_ = false;
      slots_ = {};
      return false;
    }
    slots_[at] = key;
    units_.push_back(c);
    folded_.push_back(fold_(c));
    if (2 * units_.size() > slots_.size()) Grow();
    return true;
  }

  void Grow() {
    std::vector<std::uint64_t> old(2 * slots_.size());
    old.swap(slots_);
    for (const std::uint64_t key : old) {
      if (key == 0) continue;
      std::size_t at =
          static_cast<std::size_t>((key * 0x9E3779B97F4A7C15) >> 40) & (slots_.size() - 1);
      while (slots_[at] != 0) at = (at + 1) & (slots_.size() - 1);
      slots_[at] = key;
    }
  }

  CaseFold fold_;
  std::vector<std::uint64_t> slots_;
  std::vector<wchar_t> units_;
  std::vector<wchar_t> folded_;  // each unit's fold
  std::vector<wchar_t> found_;
  bool listed_ = true;
};

// What a row's first scan found, in order, up to a number: the scan that
// writes the row's result takes it from here instead of searching again. The
// positions are the text's; `offset` is taken off them for a scan of the text
// from there on.
struct Found {
  std::vector<std::size_t> at;
  std::size_t most = 0;
  std::size_t offset = 0;
  bool complete = true;
  bool replaying = false;
};

// The occurrences of a row's word, in order, looked for only in the stretches
// where one may start. Calls must come with `from` never decreasing.
template <typename Search>
class StretchFinder {
 public:
  StretchFinder(const Search& search, const std::vector<Stretch>& stretches, Found* found = nullptr)
      : search_(search), stretches_(stretches), found_(found) {}

  std::size_t Find(std::size_t from) {
    if (found_ != nullptr && found_->replaying) {
      const std::size_t at = found_->at[nextFound_++];
      return at == kNotFound ? at : at - found_->offset;
    }
    const std::size_t at = Next(from);
    if (found_ != nullptr) {
      if (found_->at.size() == found_->most) found_->complete = false;
      if (found_->complete) found_->at.push_back(at);
    }
    return at;
  }

  bool Same(wchar_t a, wchar_t b) const { return search_.Same(a, b); }

 private:
  std::size_t Next(std::size_t from) {
    for (; nextStretch_ < stretches_.size(); ++nextStretch_) {
      const Stretch& stretch = stretches_[nextStretch_];
      if (stretch.to <= from) continue;
      const std::size_t found = search_.FindIn(std::max(from, stretch.from), stretch.to);
      if (found != kNotFound) return found;
    }
    return kNotFound;
  }

  const Search& search_;
  const std::vector<Stretch>& stretches_;
  Found* found_;
  std::size_t nextStretch_ = 0;
  std::size_t nextFound_ = 0;
};

// Where a row's result goes, piece by piece: the text's own pieces through
// Put, the pronunciation's through Insert. Counted, appended to a new text, or
// written over the text itself.
class SizeSink {
 public:
  void Put(std::wstring_view piece) { size_ += piece.size(); }
  void Insert(std::wstring_view piece) { size_ += piece.size(); }
  std::size_t Size() const { return size_; }

 private:
  std::size_t size_ = 0;
};

class AppendSink {
 public:
  explicit AppendSink(std::wstring& result) : result_(result) {}
  void Put(std::wstring_view piece) { result_.append(piece); }
  void Insert(std::wstring_view piece) { result_.append(piece); }

 private:
  std::wstring& result_;
};

// Written over the text itself from `base` on, for a result whose every
// piece lands at or before the place it is read from: a replacement no longer
// than its word, or the text behind the first occurrence moved out of the way
// first. The pieces of the text itself that have not moved stay where they are.
class InPlaceSink {
 public:
  explicit InPlaceSink(wchar_t* base) : base_(base) {}
  void Put(std::wstring_view piece) {
    wchar_t* to = base_ + written_;
    if (piece.data() != to) std::char_traits<wchar_t>::move(to, piece.data(), piece.size());
    written_ += piece.size();
  }
  void Insert(std::wstring_view piece) { Put(piece); }
  std::size_t Size() const { return written_; }

 private:
  wchar_t* base_;
  std::size_t written_ = 0;
};

// Each piece to two sinks, the first before the second.
template <typename First, typename Second>
class BothSinks {
 public:
  BothSinks(First& first, Second& second) : first_(first), second_(second) {}
  void Put(std::wstring_view piece) {
    first_.Put(piece);
    second_.Put(piece);
  }
  void Insert(std::wstring_view piece) {
    first_.Insert(piece);
    second_.Insert(piece);
  }

 private:
  First& first_;
  Second& second_;
};

// What a row's replacements do to the text, as the scan puts out its pieces:
// the new length, where the first change is, and the edits up to a number.
class EditNotes {
 public:
  EditNotes(std::wstring_view text, std::vector<Edit>& edits, std::size_t most)
      : text_(text), edits_(edits), most_(most) {
    edits_.clear();
  }

  void Put(std::wstring_view piece) {
    if (piece.empty()) return;
    const std::size_t from = static_cast<std::size_t>(piece.data() - text_.data());
    if (open_ || from != oldAt_) Close(from);
    oldAt_ = from + piece.size();
    newAt_ += piece.size();
  }

  // Every replacement inserts, if only an empty piece.
  void Insert(std::wstring_view piece) {
    if (!open_) edit_ = {oldAt_, 0, newAt_, 0};
    open_ = true;
    newAt_ += piece.size();
  }

  // After the scan.
  void Finish() {
    if (open_ || oldAt_ != text_.size()) Close(text_.size());
  }

  bool Changed() const { return first_ != kNotFound; }
  std::size_t First() const { return first_; }
  bool Complete() const { return complete_; }
  std::size_t Size() const { return newAt_; }

 private:
  void Close(std::size_t oldTo) {
    if (!open_) edit_ = {oldAt_, 0, newAt_, 0};
    open_ = false;
    edit_.oldTo = oldTo;
    edit_.newTo = newAt_;
    if (first_ == kNotFound) first_ = edit_.oldFrom;
    if (edits_.size() == most_) complete_ = false;
    if (complete_) edits_.push_back(edit_);
  }

  std::wstring_view text_;
  std::vector<Edit>& edits_;
  std::size_t most_;
  std::size_t oldAt_ = 0;
  std::size_t newAt_ = 0;
  Edit edit_{};
  bool open_ = false;
  std::size_t first_ = kNotFound;
  bool complete_ = true;
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
  RowScan(std::wstring_view text, std::wstring_view word, std::wstring_view pronunciation,
          const Finder& finder)
      : text_(text), word_(word), pronunciation_(pronunciation), finder_(finder) {
    resumeAfterPronunciation_ = HoldsWordAfterFirstCharacter();
    if (!resumeAfterPronunciation_) FindTailsThatBeginTheWord();
  }

  template <typename Sink>
  void Run(Sink& sink) const {
    Finder finder = finder_;
    std::size_t read = 0;
    bool restPending = false;  // the pronunciation after its first character
    while (true) {
      if (restPending) {
        if (const std::size_t tail = OccurrenceFromTail(read); tail != kNotFound) {
          sink.Insert(pronunciation_.substr(1, tail - 1));
          sink.Insert(pronunciation_.substr(0, 1));
          read += word_.size() - (pronunciation_.size() - tail);
          continue;
        }
        sink.Insert(pronunciation_.substr(1));
        restPending = false;
      }
      const std::size_t found = finder.Find(read);
      if (found == kNotFound) break;
      sink.Put(text_.substr(read, found - read));
      read = found + word_.size();
      if (resumeAfterPronunciation_) {
        sink.Insert(pronunciation_);
      } else if (!pronunciation_.empty()) {
        sink.Insert(pronunciation_.substr(0, 1));
        restPending = true;
      } else {
        sink.Insert({});
        if (read < text_.size()) {
          // The word went without a trace; one past its place is the
          // character after it, which no occurrence can start at.
          sink.Put(text_.substr(read, 1));
          ++read;
        }
      }
    }
    sink.Put(text_.substr(read));
  }

 private:
  bool Same(std::wstring_view a, std::wstring_view b) const {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [this](wchar_t x, wchar_t y) { return finder_.Same(x, y); });
  }

  bool HoldsWordAfterFirstCharacter() const {
    for (std::size_t at = 1; at + word_.size() <= pronunciation_.size(); ++at) {
      if (Same(pronunciation_.substr(at, word_.size()), word_)) return true;
    }
    return false;
  }

  // The places after the first character where the rest of the pronunciation
  // is a head of the word, shorter than the word.
  void FindTailsThatBeginTheWord() {
    const std::size_t length = pronunciation_.size();
    const std::size_t first = length < word_.size() ? 1 : length - word_.size() + 1;
    for (std::size_t at = first; at < length; ++at) {
      if (Same(pronunciation_.substr(at), word_.substr(0, length - at))) tails_.push_back(at);
    }
  }

  // The first of those places where the text from `read` on completes the word.
  std::size_t OccurrenceFromTail(std::size_t read) const {
    for (const std::size_t at : tails_) {
      const std::wstring_view rest = word_.substr(pronunciation_.size() - at);
      if (Same(text_.substr(read, rest.size()), rest)) return at;
    }
    return kNotFound;
  }

  std::wstring_view text_;
  std::wstring_view word_;
  std::wstring_view pronunciation_;
  Finder finder_;
  bool resumeAfterPronunciation_ = false;
  std::vector<std::size_t> tails_;
};

// Every occurrence replaced with exact matching, searching the whole text.
void ReplaceAll(std::wstring& text, std::wstring_view word, std::wstring_view replacement) {
  if (word.empty()) return;
  const std::vector<Stretch> whole = {{0, text.size()}};
  const ExactSearch search(text, word);
  const RowScan scan(text, word, replacement, StretchFinder(search, whole));
  if (replacement.size() <= word.size()) {
    InPlaceSink sink(text.data());
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

// The correction pass: the rows one after the other over the text. With an
// index, a row whose word the index rules out is passed over, and the others
// search only the stretches the index leaves them.
class CorrectionPass {
 public:
  CorrectionPass(std::wstring& text, CaseFold fold, bool indexed) : text_(text), fold_(fold) {
    if (indexed) index_.emplace(text_, fold_);
    // Past this many edits, making the index anew costs about as much as
    // adding to it around each one; the notes then take no more memory than
    // a sixth of the text's.
    mostEdits_ = 16 + text_.size() / 64;
  }

  // `more`: whether rows follow, which need the index to follow the text.
  void Apply(const WordCorrection& row, bool more) {
    if (row.word.empty()) return;
    if (index_) {
      if (!index_->MayHold(row.word)) return;
      index_->Stretches(row.word, stretches_);
      if (stretches_.empty()) return;
    } else {
      stretches_.assign(1, Stretch{0, text_.size()});
    }
    if (row.caseFlag == kCaseInsensitiveFlag) {
      const std::wstring folded = Folded(row.word);
      const bool skipping = folded.size() >= kSkippingLength;
      // The text's units are listed in one pass over it: worth it for a short
      // word, which has no other quick search, and for a long one where the
      // rows are many.
      if (!units_ && (!skipping || index_)) units_.emplace(text_, fold_);
      Units first;
      Units second;
      FoldedLetters letters;
      const bool known = units_.has_value();
      const Units* firstKnown =
          known && !skipping && units_->FoldingAs(folded[0], first) ? &first : nullptr;
      const Units* secondKnown =
          known && !skipping && folded.size() > 1 && units_->FoldingAs(folded[1], second) ? &second
                                                                                          : nullptr;
      const FoldedLetters* lettersKnown =
          known && skipping && units_->LettersOf(folded, letters) ? &letters : nullptr;
      Replace(
          [&](std::wstring_view text) {
            return FoldedSearch(text, folded, fold_, firstKnown, secondKnown, lettersKnown);
          },
          row, more);
    } else {
      Replace([&](std::wstring_view text) { return ExactSearch(text, row.word); }, row, more);
    }
  }

 private:
  std::wstring Folded(std::wstring word) const {
    for (wchar_t& c : word) c = fold_(c);
    return word;
  }

  // A row whose pronunciation is no longer than its word is written over the
  // text in its one scan. A longer one is scanned twice when it changes the
  // text: once to note what it changes, then to write it, taking the
  // occurrences the first scan found. The edits are noted for the index.
  template <typename MakeSearch>
  void Replace(MakeSearch makeSearch, const WordCorrection& row, bool more) {
    const auto search = makeSearch(text_);
    found_.at.clear();
    found_.most = mostEdits_;
    found_.offset = 0;
    found_.complete = true;
    found_.replaying = false;
    const bool longer = row.pronunciation.size() > row.word.size();
    const RowScan scan(text_, row.word, row.pronunciation,
                       StretchFinder(search, stretches_, longer ? &found_ : nullptr));
    EditNotes notes(text_, edits_, index_ && more ? mostEdits_ : 0);
    if (!longer) {
      InPlaceSink sink(text_.data());
      BothSinks both(notes, sink);
      scan.Run(both);
      notes.Finish();
      text_.resize(sink.Size());
    } else {
      scan.Run(notes);
      notes.Finish();
    }
    if (!notes.Changed()) return;
    found_.replaying = found_.complete;
    if (units_) units_->Add(row.pronunciation);
    if (!longer) {
      // Written already.
    } else if (notes.Size() <= text_.capacity()) {
      Grow(makeSearch, row, notes.First(), notes.Size());
    } else {
      // Room for some more growth, so that a text that grows row after row
      // is not moved to new memory for every row.
      std::wstring result;
      result.reserve(notes.Size() + notes.Size() / 8);
      AppendSink sink(result);
      scan.Run(sink);
      text_ = std::move(result);
    }
    if (!index_ || !more) return;
    if (notes.Complete()) {
      index_->Update(text_, edits_);
    } else {
      index_->Rebuild(text_);
    }
  }

  // A longer text within the memory the text has: the text from the first
  // occurrence on is moved to the end of the longer text, and scanned there
  // from that occurrence on, as the whole text's scan would go on from it;
  // what is written then never overtakes what is still to be read.
  template <typename MakeSearch>
  void Grow(MakeSearch makeSearch, const WordCorrection& row, std::size_t first, std::size_t size) {
    const std::size_t oldSize = text_.size();
    const std::size_t growth = size - oldSize;
    text_.resize(size);
    wchar_t* data = text_.data();
    std::char_traits<wchar_t>::move(data + first + growth, data + first, oldSize - first);
    const std::wstring_view rest(data + first + growth, oldSize - first);
    std::vector<Stretch>& stretches = stretches_;
    std::erase_if(stretches, [first](const Stretch& s) { return s.to <= first; });
    for (Stretch& s : stretches) s = {std::max(s.from, first) - first, s.to - first};
    const auto search = makeSearch(rest);
    found_.offset = first;
    const RowScan scan(rest, row.word, row.pronunciation,
                       StretchFinder(search, stretches, &found_));
    InPlaceSink sink(data + first);
    scan.Run(sink);
  }

  std::wstring& text_;
  CaseFold fold_;
  std::optional<TextUnits> units_;  // made when first needed
  std::optional<TextIndex> index_;
  std::size_t mostEdits_;
  std::vector<Stretch> stretches_;
  std::vector<Edit> edits_;
  Found found_;
};

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
      ReplaceAll(text, character, std::wstring_view(&kSpace, 1));
    }
    at += character.size();
  }
  units.BlankIn(text);
}

constexpr std::size_t kAhead = 4;

// `indexed`: whether the pass may index the text, which it does for a table
// of kIndexedCorrectionRows rows or more: making the index takes about as long
// as a few dozen rows' searches of the whole text.
std::wstring Prepare(std::wstring text, const TextPreparationSettings& settings, CaseFold fold,
                     bool indexed) {
  if (settings.ignoreCharacters) BlankIgnoredCharacters(text, settings.ignoredCharacters);
  const std::vector<WordCorrection>& rows = settings.corrections;
  if (settings.correctWords && !rows.empty()) {
    const auto searched = std::count_if(
        rows.begin(), rows.end(), [](const WordCorrection& row) { return !row.word.empty(); });
    CorrectionPass pass(text, fold,
                        indexed && static_cast<std::size_t>(searched) >= kIndexedCorrectionRows);
    for (std::size_t row = 0; row < rows.size(); ++row) {
      // Most rows take a look at their word and no more: the words of the
      // rows ahead are fetched into the cache meanwhile.
      if (row + kAhead < rows.size()) __builtin_prefetch(rows[row + kAhead].word.data());
      pass.Apply(rows[row], row + 1 < rows.size());
    }
  }
  return text;
}

}  // namespace

std::wstring ReplaceAllOccurrences(std::wstring_view search, std::wstring_view replacement,
                                   std::wstring_view text) {
  std::wstring result(text);
  ReplaceAll(result, search, replacement);
  return result;
}

std::wstring PrepareText(std::wstring text, const TextPreparationSettings& settings,
                         CaseFold fold) {
  return Prepare(std::move(text), settings, fold, true);
}

std::wstring PrepareCapture(std::wstring capture, const TextPreparationSettings& settings,
                            CaseFold fold) {
  capture.resize(CutForReading(capture, kPreparedCaptureLength).size());
  return PrepareText(std::move(capture), settings, fold);
}

std::wstring PrepareTextRowByRow(std::wstring text, const TextPreparationSettings& settings,
                                 CaseFold fold) {
  return Prepare(std::move(text), settings, fold, false);
}
