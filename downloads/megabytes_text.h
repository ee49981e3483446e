#pragma once
// How the download window writes an amount of bytes: in megabytes (1,048,576
// bytes), rounded to two significant digits and written with exactly two
// decimals, with the user's separators: 7,654,321 bytes are "7.30",
// 1,038,000 are "0.99", 13,212,057 are "13.00". Halves round up. Below a
// tenth of a megabyte the second significant digit would not be shown, so
// such amounts are rounded to hundredths instead (15,624 bytes, 0.0149 MB,
// are "0.01"). Thousands are grouped from 1,000 MB on. Portable: the
// separators come from the caller.

#include <cstdint>
#include <string>

struct NumberSeparators {
  std::wstring decimal = L".";
  std::wstring thousands = L",";
};

std::wstring MegabytesText(std::uint64_t bytes, const NumberSeparators& separators);
