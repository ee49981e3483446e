#pragma once
// The fuzz input read as a stream of choices: each byte picks one of `count`
// possibilities; when the input runs out, every further choice is 0.

#include <cstddef>
#include <cstdint>

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
