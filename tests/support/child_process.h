#pragma once
// Programs that tests start: Tolvane.exe, Notepad, the hot key probe. A test
// killed at its time limit must not leave them running, holding the fixed hot
// keys or the clipboard for every test after it.

#include <windows.h>

#include <string>

enum class ChildLifetime {
  // Ends with this test program, however it ends.
  EndsWithTest,
  // Outlives it: for what a person should still see afterwards.
  Outlives,
};

// A path as one argument of a command line: in double quotes, so that the
// spaces of a folder name stay inside it.
inline std::wstring QuotedPath(const std::wstring& path) { return L"\"" + path + L"\""; }

// Starts the command line in the working folder (empty: this program's own).
// Answers whether it started; the caller closes the handles.
bool StartChildProcess(std::wstring commandLine, const std::wstring& workingFolder,
                       ChildLifetime lifetime, PROCESS_INFORMATION& process);
