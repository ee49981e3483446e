#include "settings/ini_values.h"

#include <limits>

namespace {

int DigitValue(wchar_t character) {
  if (character >= L'0' && character <= L'9') return character - L'0';
  if (character >= L'a' && character <= L'f') return character - L'a' + 10;
  if (character >= L'A' && character <= L'F') return character - L'A' + 10;
  return 99;
}

}  // namespace

std::optional<std::int32_t> ParseIniInteger(std::wstring_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (wchar_t character : text) {
    int digit = DigitValue(character);
    if (digit >= base) return std::nullopt;
    magnitude = magnitude * base + digit;
    // Hexadecimal covers the full 32 bits, so "0xFFFFFFFF" reads as -1.
    std::int64_t limit = base == 16 ? 0xFFFFFFFFLL : std::numeric_limits<std::int32_t>::max() + 1LL;
    if (magnitude > limit) return std::nullopt;
  }
  std::int64_t value = negative ? -magnitude : magnitude;
  if (base == 16 && !negative) return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

std::optional<bool> ParseIniBool(std::wstring_view text) {
  std::optional<std::int32_t> value = ParseIniInteger(text);
  if (!value) return std::nullopt;
  return *value != 0;
}
