#include "reading/case_fold_system.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <vector>

namespace {

constexpr std::size_t kUnits = 0x10000;
constexpr int kFirstSurrogate = 0xD800;
constexpr int kAfterSurrogates = 0xE000;

// Upper-case forms of the units [from, to) into `upper`, in one call. The
// stretch holds no surrogates, so each unit is a character of its own, and the
// call maps each to one unit; should it give back another length, each unit
// is asked on its own.
void MapStretch(const std::vector<wchar_t>& units, std::array<wchar_t, kUnits>& upper, int from,
                int to) {
  const int count = to - from;
  if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &units[from], count, &upper[from],
                    count, nullptr, nullptr, 0) == count) {
    return;
  }
  for (int unit = from; unit < to; ++unit) {
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &units[unit], 1, &upper[unit], 1,
                      nullptr, nullptr, 0) != 1) {
      upper[unit] = units[unit];
    }
  }
}

struct UpperTable {
  UpperTable() {
    std::vector<wchar_t> units(kUnits);
    for (std::size_t unit = 0; unit < kUnits; ++unit) {
      units[unit] = upper[unit] = static_cast<wchar_t>(unit);
    }
    // The halves of a pair have no case of their own.
    MapStretch(units, upper, 0, kFirstSurrogate);
    MapStretch(units, upper, kAfterSurrogates, static_cast<int>(kUnits));
  }

  std::array<wchar_t, kUnits> upper;
};

}  // namespace

wchar_t SystemCaseFold(wchar_t unit) {
  static const UpperTable table;
  return table.upper[static_cast<unsigned short>(unit)];
}
