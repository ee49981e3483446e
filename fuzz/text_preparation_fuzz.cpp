// Compares text preparation with the naive step-by-step preparation: random
// small texts with random small tables, read from the fuzz input as a stream
// of choices (when it runs out, every further choice is 0), and then, for
// every other input, a text of up to 2,000 characters with a table of up to
// 3,000 rows, which a generator seeded from the input draws, so that a few
// bytes make a large case. The large cases fold with the reference's fold or
// with a coarser one.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/input_pick.h"
#include "fuzz/text_preparation_reference.h"
#include "reading/text_preparation.h"

namespace {

// A coarser fold than the reference's, one that makes six units of the large
// cases' letters one: more than the search tests a letter against at once.
wchar_t CoarseFold(wchar_t c) {
  const wchar_t folded = reference::SimpleFold(c);
  return folded == L'B' || folded == L'C' || folded == L'D' ? L'A' : folded;
}

std::uint64_t Seed(const std::uint8_t* data, std::size_t size) {
  std::uint64_t hash = 14695981039346656037u;  // FNV-1a
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211u;
  return hash;
}

void CheckLargeCase(std::uint64_t seed) {
  reference::SeededPick pick(seed);
  const CaseFold fold = pick(4) == 0 ? CoarseFold : reference::SimpleFold;
  const reference::Case c = reference::PickLargeCase(pick);
  // A case whose naive preparation would look at more characters than this
  // takes too long to compare.
  reference::Work work;
  work.most = 20'000'000;
  const std::wstring expected = reference::Prepare(c.text, c.settings, fold, &work);
  if (work.Exceeded()) return;
  if (PrepareText(c.text, c.settings, fold) != expected) std::abort();
  if (PrepareTextRowByRow(c.text, c.settings, fold) != expected) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputPick pick(data, size);
  const reference::Case c = reference::PickCase(pick);
  if (PrepareText(c.text, c.settings, reference::SimpleFold) !=
      reference::Prepare(c.text, c.settings, reference::SimpleFold)) {
    std::abort();
  }
  const std::wstring search = reference::PickString(pick, 3);
  const std::wstring replacement = reference::PickString(pick, 5);
  if (ReplaceAllOccurrences(search, replacement, c.text) !=
      reference::Replace(c.text, search, replacement, nullptr)) {
    std::abort();
  }
  if (pick(2) == 1) CheckLargeCase(Seed(data, size));
  return 0;
}
