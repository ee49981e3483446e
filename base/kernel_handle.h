#pragma once
// Owns the handle of a kernel object: a process, a thread, a file.

#include <windows.h>

#include <memory>

struct KernelHandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, KernelHandleCloser>;

// CreateFile tells a failure by INVALID_HANDLE_VALUE rather than null; the
// owner holds null then, so that it tests false.
inline OwnedHandle OwnedFile(HANDLE file) {
  return OwnedHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}
