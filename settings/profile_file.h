#pragma once
// One INI file read and written key by key through the system's profile-file
// functions; nothing is cached between calls. The file stays in the ANSI code
// page while every value written fits it; before the first value that does
// not, it becomes UTF-16 LE, in which the system keeps every character.

#include <functional>
#include <string>

class ProfileFile {
 public:
  explicit ProfileFile(std::wstring path) : path_(std::move(path)) {}

  const std::wstring& Path() const { return path_; }

  // At most 2047 characters, without blanks at the ends and without one pair
  // of enclosing quotation marks.
  std::wstring ReadString(const wchar_t* section, const wchar_t* key,
                          const std::wstring& defaultValue) const;
  int ReadInteger(const wchar_t* section, const wchar_t* key, int defaultValue) const;
  bool ReadBool(const wchar_t* section, const wchar_t* key, bool defaultValue) const;

  // The writers throw when the system refuses the write or the file cannot
  // be converted.
  void WriteString(const wchar_t* section, const wchar_t* key, const std::wstring& value) const;
  void WriteInteger(const wchar_t* section, const wchar_t* key, int value) const;
  void WriteBool(const wchar_t* section, const wchar_t* key, bool value) const;
  // Makes the system write out what it may still hold of the file.
  void Flush() const;

 private:
  // Rewrites a single-byte file as UTF-16 LE, in one step.
  void ConvertToUtf16() const;

  std::wstring path_;
};

// Writes into a copy of the file through `write`; the copy, tidied, then takes
// the file's place in one step. A failure at any point throws and leaves the
// file as it was.
void RewriteIniFile(const std::wstring& path, const std::function<void(const ProfileFile&)>& write);
