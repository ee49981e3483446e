#include "settings/profile_file.h"

#include <windows.h>

#include "base/ansi_code_page.h"
#include "base/exception_guard.h"
#include "base/win32_error.h"
#include "settings/file_replace.h"
#include "settings/ini_text.h"
#include "settings/ini_values.h"

namespace {

constexpr DWORD kMaxValueLength = 2047;
// The copy a rewrite writes into, beside the file.
constexpr wchar_t kRewriteCopySuffix[] = L".saving";

std::string ContentsOrNothing(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
  return ReadWholeFile(path);
}

// The copy starts as the file stands. A copy left by an interrupted rewrite
// must not count as the file, and a file that exists but cannot be copied
// (locked, unreadable) must not be replaced by one holding only the keys
// written now: either ends the rewrite, as a file the user made read-only
// does. No file at all starts an empty copy.
void StartRewriteCopy(const std::wstring& path, const std::wstring& copy) {
  RefuseReadOnlyFile(path);
  DeleteCopyLeftBehind(copy);
  if (!CopyFileW(path.c_str(), copy.c_str(), TRUE) && GetLastError() != ERROR_FILE_NOT_FOUND) {
    ThrowLastError("cannot copy a settings file");
  }
}

}  // namespace

std::wstring ProfileFile::ReadString(const wchar_t* section, const wchar_t* key,
                                     const std::wstring& defaultValue) const {
  std::wstring value(kMaxValueLength + 1, L'\0');
  DWORD length = GetPrivateProfileStringW(section, key, defaultValue.c_str(), value.data(),
                                          kMaxValueLength + 1, path_.c_str());
  value.resize(length);
  return value;
}

int ProfileFile::ReadInteger(const wchar_t* section, const wchar_t* key, int defaultValue) const {
  return ParseIniInteger(ReadString(section, key, L"")).value_or(defaultValue);
}

bool ProfileFile::ReadBool(const wchar_t* section, const wchar_t* key, bool defaultValue) const {
  return ParseIniBool(ReadString(section, key, L"")).value_or(defaultValue);
}

void ProfileFile::WriteString(const wchar_t* section, const wchar_t* key,
                              const std::wstring& value) const {
  if (!FitsAnsiCodePage(value)) ConvertToUtf16();
  if (!WritePrivateProfileStringW(section, key, value.c_str(), path_.c_str())) {
    ThrowLastError("cannot write a settings file");
  }
}

void ProfileFile::WriteInteger(const wchar_t* section, const wchar_t* key, int value) const {
  WriteString(section, key, std::to_wstring(value));
}

void ProfileFile::WriteBool(const wchar_t* section, const wchar_t* key, bool value) const {
  WriteString(section, key, value ? L"1" : L"0");
}

void ProfileFile::Flush() const {
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path_.c_str());
}

// What the system holds of the file is written out first, so that the
// converted file is complete, and read again from the new file afterwards.
void ProfileFile::ConvertToUtf16() const {
  Flush();
  const std::string contents = ContentsOrNothing(path_);
  if (IsUtf16IniText(contents)) return;
  const std::wstring text = WideFromAnsi(contents);
  ReplaceWholeFile(path_, Utf16IniContents(std::u16string(text.begin(), text.end())));
}

void RewriteIniFile(const std::wstring& path,
                    const std::function<void(const ProfileFile&)>& write) {
  const ProfileFile copy(path + kRewriteCopySuffix);
  try {
    StartRewriteCopy(path, copy.Path());
    write(copy);
    copy.Flush();
    ReplaceWholeFile(path, TidyIniText(ReadWholeFile(copy.Path())));
  } catch (...) {
    CallGuarded([&] { DeleteCopyLeftBehind(copy.Path()); });
    throw;
  }
  CallGuarded([&] { DeleteCopyLeftBehind(copy.Path()); });
}
