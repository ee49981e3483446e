#include "settings/file_replace.h"

#include <windows.h>

#include "base/win32_error.h"

namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

void WriteAll(const FileHandle& file, const std::string& contents) {
  DWORD written = 0;
  if (!WriteFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &written,
                 nullptr) ||
      written != contents.size() || !FlushFileBuffers(file.Get())) {
    ThrowLastError("cannot write a file");
  }
}

// Another program reading the file (a virus scanner, an indexer, a backup, a
// reader that does not share deletion) keeps it from being replaced for a
// moment: the replace is tried again for up to a second before it counts as
// failed, so a save is not lost to a glance at the file.
constexpr int kReplaceTries = 20;
constexpr DWORD kReplacePauseMs = 50;

bool HeldByAnotherProgram(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

void MoveOver(const std::wstring& from, const std::wstring& to) {
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return;
    }
    const DWORD error = GetLastError();
    if (attempt == kReplaceTries || !HeldByAnotherProgram(error)) {
      SetLastError(error);
      ThrowLastError("cannot replace a file");
    }
    Sleep(kReplacePauseMs);
  }
}

}  // namespace

std::string ReadWholeFile(const std::wstring& path) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) ThrowLastError("cannot open a file");
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) ThrowLastError("cannot read a file");
  std::string contents(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!ReadFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr)) {
    ThrowLastError("cannot read a file");
  }
  contents.resize(read);
  return contents;
}

void ReplaceWholeFile(const std::wstring& path, const std::string& contents) {
  RefuseReadOnlyFile(path);
  const std::wstring copy = path + L".new";
  DeleteCopyLeftBehind(copy);
  try {
    {
      FileHandle file(CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file.Valid()) ThrowLastError("cannot create a file");
      WriteAll(file, contents);
    }
    MoveOver(copy, path);
  } catch (...) {
    // The original stays as it was; the copy goes.
    DeleteFileW(copy.c_str());
    throw;
  }
}

void RefuseReadOnlyFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    ThrowLastError("a settings file is read-only");
  }
}

// A copy takes its file's attributes: one made from a read-only file is
// read-only too, and would otherwise refuse every later save.
void DeleteCopyLeftBehind(const std::wstring& copy) {
  SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteWholeFile(copy);
}

void DeleteWholeFile(const std::wstring& path) {
  if (!DeleteFileW(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
    ThrowLastError("cannot delete a file");
  }
}
