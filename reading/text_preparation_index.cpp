#include "reading/text_preparation_index.h"

#include <algorithm>
#include <array>

namespace text_preparation {
namespace {

// The whole text's set holds the text's substrings of these lengths, all in
// one set of six bits per character of the text: short substrings are few in
// any text. A word is looked for by all its substrings of each of these
// lengths, the longest first. Substrings of one length fall on bits of their
// own, so a word whose longest substrings all fall on bits set by chance is
// most often still caught by its shorter ones.
constexpr std::size_t kLongest = 8;
constexpr std::array<bool, kLongest + 1> kWhole = {false, true, true,  true, true,
                                                   false, true, false, true};
constexpr std::size_t kBitsPerCharacter = 6;

// A chunk of about 512 characters has 2,048 bits, four a character, for its
// substrings of four characters that start in it or in the 16 characters
// behind it: so a word that starts in the chunk has its first 17 substrings
// of four there. A shorter word is looked for in the whole text: such words
// stand in most chunks of any text anyway.
constexpr std::size_t kChunkGram = 4;
constexpr std::size_t kChunk = 512;
constexpr std::size_t kOverlap = 16;
constexpr unsigned kChunkBits = 11;
constexpr std::size_t kChunkWords = (std::size_t{1} << kChunkBits) / 64;
// A chunk that replacements have made this long has too many substrings for
// its bits, and a text that has grown to twice its length too many for the
// whole text's set: the index is then made anew.
constexpr std::size_t kLongestChunk = 4 * kChunk;

// A longer word is looked for by its first this many characters.
constexpr std::size_t kChecked = 64;

// A hash of folded code units: their sum, each multiplied by a factor of its
// own place, so that the hash of a substring is the one of the substring one
// shorter plus a product that does not wait for it.
constexpr std::array<std::uint32_t, kLongest> kWeights = {
    0x01000193, 0x9E3779B1, 0x85EBCA77, 0xC2B2AE3D, 0x27D4EB2F, 0x165667B1, 0xD3A2646D, 0xFD7046C5};

std::uint32_t Hash(const std::uint32_t* units, std::size_t length) {
  std::uint32_t hash = 0;
  for (std::size_t i = 0; i < length; ++i) hash += units[i] * kWeights[i];
  return hash;
}

// A hash goes to a bit by a multiplication, a factor for each length, whose
// top bits are kept (or, for the whole text's set, scaled to its size).
constexpr std::array<std::uint32_t, kLongest + 1> kSpread = {0,          0x9E3779B1, 0x85EBCA77,
                                                             0xC2B2AE3D, 0x27D4EB2F, 0x165667B1,
                                                             0xD3A2646D, 0xFD7046C5, 0xB55A4F09};

std::uint64_t WholeBit(std::uint32_t hash, std::size_t length, std::uint64_t count) {
  return (static_cast<std::uint64_t>(hash * kSpread[length]) * count) >> 32;
}

std::uint32_t ChunkBit(std::uint32_t hash) {
  return (hash * kSpread[kChunkGram]) >> (32 - kChunkBits);
}

void SetBit(std::uint64_t* words, std::uint64_t bit) {
  words[bit / 64] |= std::uint64_t{1} << (bit % 64);
}

bool HasBit(const std::uint64_t* words, std::uint64_t bit) {
  return (words[bit / 64] >> (bit % 64)) & 1;
}

}  // namespace

TextIndex::TextIndex(std::wstring_view text, CaseFold fold) : fold_(fold) { Rebuild(text); }

void TextIndex::Rebuild(std::wstring_view text) {
  builtFor_ = textSize_ = text.size();
  bitCount_ = std::max<std::uint64_t>(64, (kBitsPerCharacter * text.size() + 63) / 64 * 64);
  // Freed before they are made again, so that the old and the new are never
  // held at once.
  bits_ = {};
  bits_.resize(bitCount_ / 64);
  const std::size_t chunks = std::max<std::size_t>(1, (text.size() + kChunk - 1) / kChunk);
  chunkStarts_.resize(chunks);
  for (std::size_t c = 0; c < chunks; ++c) chunkStarts_[c] = c * kChunk;
  chunkSets_ = {};
  chunkSets_.resize(chunks * kChunkWords);
  std::size_t chunk = 0;
  Add(text, 0, text.size(), 0, chunk);
}

void TextIndex::Add(std::wstring_view text, std::size_t from, std::size_t to, std::size_t behind,
                    std::size_t& chunk) {
  // In locals: stores into the sets could otherwise be taken to change them.
  FoldMemo& fold = fold_;
  const std::uint64_t count = bitCount_;
  std::uint64_t* const whole = bits_.data();
  std::uint64_t* const chunkSets = chunkSets_.data();
  const std::size_t* const starts = chunkStarts_.data();
  const std::size_t chunks = chunkStarts_.size();
  const std::size_t size = text.size();
  const std::size_t first = from >= kLongest - 1 ? from - (kLongest - 1) : 0;
  const std::size_t last = std::min(size, to + behind);
  std::size_t c = chunk;
  while (c > 0 && starts[c] > first) --c;
  // The folded units from the current start on.
  std::array<std::uint32_t, 16> ahead;
  constexpr std::size_t kMask = ahead.size() - 1;
  std::size_t folded = first;
  for (; folded < std::min(size, first + kLongest - 1); ++folded) {
    ahead[folded & kMask] = static_cast<std::uint32_t>(fold(text[folded]));
  }
  for (std::size_t start = first; start < last; ++start) {
    if (folded < size) {
      ahead[folded & kMask] = static_cast<std::uint32_t>(fold(text[folded]));
      ++folded;
    }
    while (c + 1 < chunks && starts[c + 1] <= start) ++c;
    const bool overlapped = c > 0 && start < starts[c] + kOverlap;
    std::uint32_t hash = 0;
    if (start >= from && start < to && start + kLongest <= size && !overlapped) {
      // Most starts: every length, and only their own chunk.
      for (std::size_t length = 1; length <= kLongest; ++length) {
        hash += ahead[(start + length - 1) & kMask] * kWeights[length - 1];
        if (kWhole[length]) SetBit(whole, WholeBit(hash, length, count));
        if (length == kChunkGram) SetBit(chunkSets + c * kChunkWords, ChunkBit(hash));
      }
      continue;
    }
    for (std::size_t length = 1; length <= kLongest && start + length <= size; ++length) {
      hash += ahead[(start + length - 1) & kMask] * kWeights[length - 1];
      if (start + length <= from) continue;
      if (kWhole[length] && start < to) SetBit(whole, WholeBit(hash, length, count));
      if (length != kChunkGram) continue;
      SetBit(chunkSets + c * kChunkWords, ChunkBit(hash));
      // The chunks whose overlap reaches this start.
      for (std::size_t back = c; back > 0 && start < starts[back] + kOverlap; --back) {
        SetBit(chunkSets + (back - 1) * kChunkWords, ChunkBit(hash));
      }
    }
  }
  chunk = c;
}

std::size_t TextIndex::FoldPrefix(std::wstring_view word, std::uint32_t* folded) const {
  const std::size_t length = std::min(word.size(), kChecked);
  for (std::size_t i = 0; i < length; ++i) folded[i] = Fold(word[i]);
  return length;
}

std::size_t TextIndex::ChunkEnd(std::size_t chunk) const {
  return chunk + 1 < chunkStarts_.size() ? chunkStarts_[chunk + 1] : textSize_;
}

bool TextIndex::MayHold(std::wstring_view word) const {
  std::array<std::uint32_t, kChecked> units;
  const std::size_t length = FoldPrefix(word, units.data());
  for (std::size_t gram = std::min(length, kLongest); gram > 0; --gram) {
    if (!kWhole[gram]) continue;
    for (std::size_t at = 0; at + gram <= length; ++at) {
      const std::uint32_t hash = Hash(units.data() + at, gram);
      if (!HasBit(bits_.data(), WholeBit(hash, gram, bitCount_))) return false;
    }
  }
  return true;
}

// An occurrence that starts in a chunk has its first substrings up to the
// overlap in that chunk's set.
void TextIndex::Stretches(std::wstring_view word, std::vector<Stretch>& out) const {
  out.clear();
  if (word.size() < kChunkGram) {
    if (textSize_ > 0) out.push_back({0, textSize_});
    return;
  }
  std::array<std::uint32_t, kChecked> units;
  const std::size_t length = FoldPrefix(word, units.data());
  const std::size_t grams = std::min(length - kChunkGram + 1, kOverlap + 1);
  std::array<std::uint32_t, kOverlap + 1> bits;
  for (std::size_t i = 0; i < grams; ++i) bits[i] = ChunkBit(Hash(units.data() + i, kChunkGram));
  for (std::size_t c = 0; c < chunkStarts_.size(); ++c) {
    const std::size_t from = chunkStarts_[c];
    const std::size_t to = ChunkEnd(c);
    const std::uint64_t* set = chunkSets_.data() + c * kChunkWords;
    if (from == to || !std::all_of(bits.begin(), bits.begin() + grams,
                                   [set](std::uint32_t bit) { return HasBit(set, bit); })) {
      continue;
    }
    if (!out.empty() && out.back().to == from) {
      out.back().to = to;
    } else {
      out.push_back({from, to});
    }
  }
}

void TextIndex::Update(std::wstring_view text, const std::vector<Edit>& edits) {
  // A chunk start moves with the character it stood at; one within replaced
  // text goes to the start of what replaced it.
  const Edit* before = nullptr;
  std::size_t next = 0;
  bool tooLong = false;
  for (std::size_t c = 1; c < chunkStarts_.size(); ++c) {
    std::size_t& start = chunkStarts_[c];
    while (next < edits.size() && edits[next].oldFrom <= start) before = &edits[next++];
    if (before != nullptr) {
      start = start < before->oldTo ? before->newFrom : start - before->oldTo + before->newTo;
    }
    tooLong = tooLong || start - chunkStarts_[c - 1] > kLongestChunk;
  }
  textSize_ = text.size();
  tooLong = tooLong || textSize_ - chunkStarts_.back() > kLongestChunk;
  if (tooLong || textSize_ > 2 * builtFor_) {
    Rebuild(text);
    return;
  }
  // Behind a change of length, the text has moved against a chunk start just
  // before it: the substrings there may have come into that chunk's overlap.
  std::size_t chunk = 0;
  std::size_t near = 0;
  for (const Edit& edit : edits) {
    const bool moved = edit.newTo - edit.newFrom != edit.oldTo - edit.oldFrom;
    while (near < chunkStarts_.size() && chunkStarts_[near] + kOverlap <= edit.newTo) ++near;
    const bool nearStart = near < chunkStarts_.size() && chunkStarts_[near] < edit.newTo + kOverlap;
    Add(text, edit.newFrom, edit.newTo, moved && nearStart ? kOverlap : 0, chunk);
  }
}

}  // namespace text_preparation
