#include "downloads/run_and_wait.h"

#include <shellapi.h>

#include "base/kernel_handle.h"

namespace {

// ERROR_ELEVATION_REQUIRED, which MinGW's headers do not name.
constexpr DWORD kElevationRequired = 740;

// Null when the program could not be started; GetLastError tells why.
OwnedHandle StartProgram(const std::wstring& path) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  // The path is named as the program too, so that a space in a folder's name
  // can never make the system start a shorter path's program instead.
  std::wstring commandLine = L"\"" + path + L"\"";
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process)) {
    return nullptr;
  }
  CloseHandle(process.hThread);
  return OwnedHandle(process.hProcess);
}

// CreateProcess refuses a program that needs administrator rights (by its
// manifest, or because Windows takes it for an installer); the shell starts
// it after the consent prompt. "open" elevates just as far as the program
// asks, where "runas" would elevate any program.
OwnedHandle StartThroughShell(const std::wstring& path, HWND owner) {
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  // The user sees the consent prompt and nothing more: refusing it is an
  // answer, not an error for the shell to announce in a box of its own.
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  // Owned by the program's window, the prompt comes up in front of it instead
  // of waiting as a flashing taskbar button.
  execute.hwnd = owner;
  execute.lpVerb = L"open";
  execute.lpFile = path.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&execute)) return nullptr;
  return OwnedHandle(execute.hProcess);
}

// Sleeps until the process ends or a message arrives, and lets each arrival
// be handled. Messages that were already waiting count too.
void WaitForEnd(HANDLE process, const std::function<void()>& processMessages) {
  while (MsgWaitForMultipleObjectsEx(1, &process, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
         WAIT_OBJECT_0 + 1) {
    processMessages();
  }
}

}  // namespace

std::optional<DWORD> RunAndWait(const std::wstring& path,
                                const std::function<void()>& processMessages, HWND owner) {
  OwnedHandle process = StartProgram(path);
  if (!process && GetLastError() == kElevationRequired) {
    process = StartThroughShell(path, owner);
  }
  if (!process) return std::nullopt;
  WaitForEnd(process.get(), processMessages);
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(process.get(), &exitCode)) return std::nullopt;
  return exitCode;
}
