// A stand-in for an engine installer: see test_installer.h.
#include "tests/support/test_installer.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/speech_test_support.h"

namespace {

namespace fs = std::filesystem;

fs::path OwnPath() {
  wchar_t path[MAX_PATH];
  return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
}

// "<the folder of its files>\<its own name>", to be followed by a suffix.
std::wstring FilesPrefix(const fs::path& ownPath) {
  wchar_t folder[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(kInstallerFolderVariable, folder, MAX_PATH);
  const bool named = length != 0 && length < MAX_PATH;
  return ((named ? fs::path(std::wstring(folder, length)) : ownPath.parent_path()) /
          ownPath.filename())
      .wstring();
}

void HoldWhileAsked(const std::wstring& holdFile) {
  for (int checks = 0; checks < 3000 && fs::exists(holdFile); ++checks) Sleep(10);
}

int AskedShowMode() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
}

// Files and folders beside the one at `path`.
long OthersBeside(const fs::path& path) {
  return std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()) - 1;
}

void AppendRecord(const std::wstring& file, const std::string& text) {
  std::ofstream(fs::path(file), std::ios::binary | std::ios::app) << text;
}

int AskedExitCode(const std::wstring& file) {
  int code = 0;
  std::ifstream(fs::path(file)) >> code;
  return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const fs::path path = OwnPath();
  const std::wstring prefix = FilesPrefix(path);
  AppendRecord(prefix + kInstallerProcessIdSuffix, std::to_string(GetCurrentProcessId()));
  HoldWhileAsked(prefix + kInstallerHoldSuffix);
  AppendRecord(prefix + kInstallerRecordSuffix,
               "show mode " + std::to_string(AskedShowMode()) + "\r\nrun from " +
                   speech_test::Utf8(path.parent_path().wstring()) + "\r\nbeside " +
                   std::to_string(OthersBeside(path)) + " files\r\n");
  return AskedExitCode(prefix + kInstallerExitCodeSuffix);
}
