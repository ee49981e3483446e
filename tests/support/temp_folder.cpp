#include "tests/support/temp_folder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static unsigned created = 0;
  path_ = std::wstring(base) + L"tolvane-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(++created);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

void WriteTextFile(const std::wstring& path, const std::string& text) {
  std::ofstream file(std::filesystem::path(path), std::ios::binary);
  file << text;
}

std::string ReadTextFile(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
