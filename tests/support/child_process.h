#pragma once
// Programs that tests start: Tolvane.exe, Notepad, the hot key probe. A test
// killed at its time limit must not leave them running, holding the fixed hot
// keys or the clipboard for every test after it.

#include <windows.h>

#include <chrono>
#include <string>

#include "base/kernel_handle.h"

enum class ChildLifetime {
  // Ends with this test program, however it ends, and with the object.
  EndsWithTest,
  // Outlives it: for what a person should still see afterwards.
  Outlives,
};

// A path as one argument of a command line: in double quotes, so that the
// spaces of a folder name stay inside it.
inline std::wstring QuotedPath(const std::wstring& path) { return L"\"" + path + L"\""; }

// A started command line, run in the working folder (empty: this program's
// own). Unless it outlives the test, it is ended with the object if it still
// runs then.
class ChildProcess {
 public:
  ChildProcess(std::wstring commandLine, const std::wstring& workingFolder = L"",
               ChildLifetime lifetime = ChildLifetime::EndsWithTest);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  HANDLE Handle() const { return process_.get(); }
  DWORD ProcessId() const { return processId_; }
  ChildLifetime Lifetime() const { return lifetime_; }
  // Waits until it has finished starting and waits for input.
  bool WaitForIdle(std::chrono::milliseconds timeout = std::chrono::minutes(1)) const;
  bool WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;
  bool Running() const { return Started() && !WaitForExit(std::chrono::milliseconds(0)); }
  DWORD ExitCode() const;

 private:
  ChildLifetime lifetime_;
  OwnedHandle process_;
  DWORD processId_ = 0;
};

// Runs a command line to its end; answers its exit code, or -1 when it did
// not start or end in time.
long RunToEnd(const std::wstring& commandLine,
              std::chrono::milliseconds timeout = std::chrono::minutes(2));
