// Prepares random small texts with random small tables and compares the
// result with the naive step-by-step preparation. The fuzz input is read as a
// stream of choices; when it runs out, every further choice is 0.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/text_preparation_reference.h"
#include "reading/text_preparation.h"

namespace {

class InputPick {
 public:
  InputPick(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t operator()(std::size_t count) {
    if (at_ == size_) return 0;
    return data_[at_++] % count;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputPick pick(data, size);
  const reference::Case c = reference::PickCase(pick);
  if (PrepareText(c.text, c.settings) != reference::Prepare(c.text, c.settings)) std::abort();
  const std::wstring search = reference::PickString(pick, 3);
  const std::wstring replacement = reference::PickString(pick, 5);
  if (ReplaceAllOccurrences(search, replacement, c.text) !=
      reference::Replace(c.text, search, replacement, false)) {
    std::abort();
  }
  return 0;
}
