#include "downloads/megabytes_text_system.h"

#include <windows.h>

namespace {

std::wstring UserLocaleText(LCTYPE item, const std::wstring& fallback) {
  wchar_t text[16];  // the system keeps either separator to three characters
  return GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text, ARRAYSIZE(text)) > 0 ? text
                                                                                    : fallback;
}

}  // namespace

NumberSeparators UserNumberSeparators() {
  const NumberSeparators defaults;
  return {.decimal = UserLocaleText(LOCALE_SDECIMAL, defaults.decimal),
          .thousands = UserLocaleText(LOCALE_STHOUSAND, defaults.thousands)};
}
