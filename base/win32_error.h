#pragma once
// A failing Win32 call becomes an exception carrying the system's error code.

#include <windows.h>

#include <system_error>

[[noreturn]] inline void ThrowLastError(const char* what) {
  throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}
