#include "tests/support/autostart_value.h"

#include <windows.h>

namespace {
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
}

std::wstring AutostartValue() {
  wchar_t data[1024]{};
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Tolvane", RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS) {
    return L"<none>";
  }
  return data;
}

void RemoveAutostartValue() {
  HKEY run = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &run) != ERROR_SUCCESS) return;
  RegDeleteValueW(run, L"Tolvane");
  RegCloseKey(run);
}
