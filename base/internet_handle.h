#pragma once
// Owns a WinINet handle: a session, a connection or an opened address.
// Declare a child after its parent, so that it is closed first.

#include <windows.h>
#include <wininet.h>

#include <memory>

struct InternetHandleCloser {
  void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using OwnedInternetHandle = std::unique_ptr<void, InternetHandleCloser>;
