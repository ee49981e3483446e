#include "base/program_folder.h"

#include <windows.h>

#include <vector>

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ProgramFolder() {
  std::wstring path = ProgramPath();
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring ProgramBaseName() {
  std::wstring path = ProgramPath();
  std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  return name.substr(0, name.find_last_of(L'.'));
}

std::wstring ProgramVersion() {
  const std::wstring path = ProgramPath();
  DWORD ignored = 0;
  std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  if (block.empty() ||
      !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data())) {
    return {};
  }
  // The strings are kept per language and code page: the first translation
  // the resource lists names the table that holds them.
  struct Translation {
    WORD language;
    WORD codePage;
  }* translation = nullptr;
  UINT size = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &size) ||
      size < sizeof *translation) {
    return {};
  }
  wchar_t key[64];
  wsprintfW(key, L"\\StringFileInfo\\%04x%04x\\ProductVersion", translation->language,
            translation->codePage);
  wchar_t* version = nullptr;
  if (!VerQueryValueW(block.data(), key, reinterpret_cast<void**>(&version), &size) || size == 0) {
    return {};
  }
  return version;
}
