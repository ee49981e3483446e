// A stand-in for an engine installer: see test_installer.h.
#include "tests/support/test_installer.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/speech_test_support.h"

namespace {

std::wstring OwnPath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, length);
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

// "<the folder of its files>\<its own name>", to be followed by a suffix.
std::wstring FilesPrefix(const std::wstring& ownPath) {
  wchar_t folder[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(kInstallerFolderVariable, folder, MAX_PATH);
  const std::wstring name = ownPath.substr(ownPath.find_last_of(L'\\'));
  if (length == 0 || length >= MAX_PATH) return FolderOf(ownPath) + name;
  return std::wstring(folder, length) + name;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void HoldWhileAsked(const std::wstring& holdFile) {
  for (int checks = 0; checks < 3000 && Exists(holdFile); ++checks) Sleep(10);
}

int AskedShowMode() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
}

// Files and folders beside the one at `path`.
int OthersBeside(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((FolderOf(path) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  int others = -1;  // itself
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") ++others;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return others;
}

void AppendRecord(const std::wstring& file, const std::string& text) {
  const HANDLE record = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (record == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(record, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(record);
}

int AskedExitCode(const std::wstring& file) {
  int code = 0;
  std::ifstream(std::filesystem::path(file)) >> code;
  return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::wstring path = OwnPath();
  const std::wstring prefix = FilesPrefix(path);
  AppendRecord(prefix + kInstallerProcessIdSuffix, std::to_string(GetCurrentProcessId()));
  HoldWhileAsked(prefix + kInstallerHoldSuffix);
  AppendRecord(prefix + kInstallerRecordSuffix,
               "show mode " + std::to_string(AskedShowMode()) + "\r\nrun from " +
                   speech_test::Utf8(FolderOf(path)) + "\r\nbeside " +
                   std::to_string(OthersBeside(path)) + " files\r\n");
  return AskedExitCode(prefix + kInstallerExitCodeSuffix);
}
