#include "settings/autostart.h"

#include <windows.h>

#include <system_error>

namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"Tolvane";

class RunKey {
 public:
  explicit RunKey(REGSAM access) {
    Check(RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, access, &key_), "cannot open the Run key");
  }
  ~RunKey() { RegCloseKey(key_); }
  RunKey(const RunKey&) = delete;
  RunKey& operator=(const RunKey&) = delete;
  HKEY Get() const { return key_; }

  static void Check(LSTATUS status, const char* what) {
    if (status != ERROR_SUCCESS) throw std::system_error(status, std::system_category(), what);
  }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::wstring AutostartCommand(const std::wstring& programPath) {
  return L"\"" + programPath + L"\" -autostart";
}

bool AutostartEnabled() {
  DWORD size = 0;
  LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValueName, RRF_RT_REG_SZ, nullptr,
                                nullptr, &size);
  // A string holding only its terminating zero is empty.
  return status == ERROR_SUCCESS && size > sizeof(wchar_t);
}

void EnableAutostart(const std::wstring& programPath) {
  RunKey key(KEY_SET_VALUE);
  std::wstring command = AutostartCommand(programPath);
  RunKey::Check(RegSetValueExW(key.Get(), kValueName, 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(command.c_str()),
                               static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
                "cannot write the autostart value");
}

void DisableAutostart() {
  RunKey key(KEY_SET_VALUE);
  LSTATUS status = RegDeleteValueW(key.Get(), kValueName);
  if (status == ERROR_FILE_NOT_FOUND) return;
  RunKey::Check(status, "cannot remove the autostart value");
}
