#include "downloads/megabytes_text.h"

namespace {

constexpr std::uint64_t kBytesPerMegabyte = 1048576;

// dividend / divisor, halves rounded up.
std::uint64_t RoundedQuotient(std::uint64_t dividend, std::uint64_t divisor) {
  const std::uint64_t remainder = dividend % divisor;
  return dividend / divisor + (remainder >= divisor - remainder ? 1 : 0);
}

// The megabytes in hundredths, rounded once: to the second significant digit,
// or to hundredths when that digit lies further right, since no more decimals
// are shown. Whole numbers only, so halves round the same way on every
// machine and no byte count is too large.
std::uint64_t RoundedHundredths(std::uint64_t bytes) {
  const std::uint64_t megabytes = bytes / kBytesPerMegabyte;
  if (megabytes >= 10) {
    std::uint64_t unit = 1;  // in megabytes: the place of the second digit
    while (megabytes / unit >= 100) unit *= 10;
    return RoundedQuotient(bytes, unit * kBytesPerMegabyte) * unit * 100;
  }
  const std::uint64_t partsPerMegabyte = megabytes >= 1 ? 10 : 100;
  return RoundedQuotient(bytes * partsPerMegabyte, kBytesPerMegabyte) * (100 / partsPerMegabyte);
}

std::wstring GroupedThousands(std::wstring digits, const std::wstring& separator) {
  for (auto groupStart = digits.size(); groupStart > 3; groupStart -= 3) {
    digits.insert(groupStart - 3, separator);
  }
  return digits;
}

}  // namespace

std::wstring MegabytesText(std::uint64_t bytes, const NumberSeparators& separators) {
  const std::uint64_t hundredths = RoundedHundredths(bytes);
  const auto digit = [](std::uint64_t value) { return static_cast<wchar_t>(L'0' + value); };
  return GroupedThousands(std::to_wstring(hundredths / 100), separators.thousands) +
         separators.decimal + digit(hundredths / 10 % 10) + digit(hundredths % 10);
}
