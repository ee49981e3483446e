#pragma once
// Where in a text a dictionary row's word may stand, so that most rows of a
// large dictionary need no search at all and the others search only a few
// stretches of the text. The index keeps hashed sets of the text's short
// substrings, letter case folded: a set for the whole text, and a small set
// for each chunk of about 512 characters with the substrings that start in it
// or a little behind it.
// A set may hold more than the text does (hash collisions, substrings since
// replaced) but never less, so a word that the sets rule out is not in the
// text, neither exactly nor with case folded. After a row has changed the
// text, the chunks move with the text and the substrings around each change
// are added, which keeps that true. Portable; internal to text preparation.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "reading/text_preparation.h"

namespace text_preparation {

// A fold that remembers the last unit of each low byte it folded: a text and
// a dictionary have few different units, so most are folded without a call.
class FoldMemo {
 public:
  explicit FoldMemo(CaseFold fold) : fold_(fold) {
    // A unit whose low byte is not its place's, so that no unit matches it.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      entries_[i] = {static_cast<wchar_t>(i ^ 1), 0};
    }
  }

  wchar_t operator()(wchar_t c) {
    Entry& entry = entries_[static_cast<std::size_t>(c) & 0xFF];
    if (entry.unit != c) entry = {c, fold_(c)};
    return entry.folded;
  }

 private:
  struct Entry {
    wchar_t unit;
    wchar_t folded;
  };
  CaseFold fold_;
  std::array<Entry, 256> entries_;
};

// A row's replacement as the text saw it: the old text's [oldFrom, oldTo)
// became the new text's [newFrom, newTo).
struct Edit {
  std::size_t oldFrom;
  std::size_t oldTo;
  std::size_t newFrom;
  std::size_t newTo;
};

// Start positions [from, to).
struct Stretch {
  std::size_t from;
  std::size_t to;
};

class TextIndex {
 public:
  TextIndex(std::wstring_view text, CaseFold fold);

  // False when `word` is in the text neither exactly nor with case folded.
  bool MayHold(std::wstring_view word) const;

  // The stretches, in order and apart, where an occurrence of `word` may start
  // (exactly or with case folded); none when it is not in the text.
  void Stretches(std::wstring_view word, std::vector<Stretch>& out) const;

  // The text after a row's replacements, `edits` in order and apart.
  void Update(std::wstring_view text, const std::vector<Edit>& edits);

  // Made anew for `text`, sized for it.
  void Rebuild(std::wstring_view text);

 private:
  std::uint32_t Fold(wchar_t c) const { return static_cast<std::uint32_t>(fold_(c)); }
  std::size_t FoldPrefix(std::wstring_view word, std::uint32_t* folded) const;
  std::size_t ChunkEnd(std::size_t chunk) const;
  // The substrings of `text` that start in [from - their length + 1, to):
  // those that overlap [from, to) or end right before it; each chunk's set
  // also takes those in its overlap, and those that start in the `behind`
  // characters after `to`. `chunk`: a chunk at or after the one of `from`,
  // left at the chunk of the last start.
  void Add(std::wstring_view text, std::size_t from, std::size_t to, std::size_t behind,
           std::size_t& chunk);

  mutable FoldMemo fold_;
  std::size_t builtFor_ = 0;  // the text length the sets were sized for
  std::size_t textSize_ = 0;
  std::vector<std::uint64_t> bits_;  // the whole text's set
  std::uint64_t bitCount_ = 0;
  std::vector<std::size_t> chunkStarts_;  // chunk c starts at chunkStarts_[c]
  std::vector<std::uint64_t> chunkSets_;  // a fixed number of words per chunk
};

}  // namespace text_preparation
