// A stand-in for an engine installer: see test_installer.h.
#include "tests/support/test_installer.h"

#include <windows.h>

#include <string>

namespace {

std::wstring OwnPath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, length);
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void HoldWhileAsked(const std::wstring& holdFile) {
  for (int checks = 0; checks < 1000 && Exists(holdFile); ++checks) Sleep(10);
}

int AskedShowMode() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
}

void AppendLine(const std::wstring& file, const std::string& line) {
  const HANDLE record = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (record == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(record, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(record);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::wstring path = OwnPath();
  HoldWhileAsked(path + kInstallerHoldSuffix);
  AppendLine(path + kInstallerRecordSuffix, "show mode " + std::to_string(AskedShowMode()));
  return kInstallerExitCode;
}
