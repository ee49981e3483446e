#include "downloads/run_and_wait.h"

#include <shellapi.h>

#include <atomic>

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

// A quit request stays in the queue once handled, and would wake every
// further wait at once.
bool QuitRequested() {
  MSG message;
  return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

// Sleeps until the process ends or a message arrives, and lets each arrival
// be handled. Messages that were already waiting count too. Answers false
// when the program is ending instead.
bool WaitForEnd(HANDLE process, const std::function<void()>& processMessages) {
  while (MsgWaitForMultipleObjectsEx(1, &process, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
         WAIT_OBJECT_0 + 1) {
    processMessages();
    if (QuitRequested()) return false;
  }
  return true;
}

// A folder made afresh under the user's temporary folder, and removed with
// what was put into it.
class FolderOfItsOwn {
 public:
  FolderOfItsOwn() {
    wchar_t temporary[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temporary);
    if (length == 0 || length > MAX_PATH) return;
    // A name taken already, perhaps by a folder planted there, is never used.
    static std::atomic<unsigned> made{0};
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const std::wstring path = std::wstring(temporary) + L"Tolvane-install-" +
                                std::to_wstring(GetCurrentProcessId()) + L"-" +
                                std::to_wstring(++made) + L"-" + std::to_wstring(GetTickCount64());
      if (CreateDirectoryW(path.c_str(), nullptr)) path_ = path;
    }
  }
  // A file still in use (an installer that goes on after the program ends)
  // stays, and so does the folder.
  ~FolderOfItsOwn() {
    if (path_.empty()) return;
    if (!file_.empty()) DeleteFileW(file_.c_str());
    RemoveDirectoryW(path_.c_str());
  }
  FolderOfItsOwn(const FolderOfItsOwn&) = delete;
  FolderOfItsOwn& operator=(const FolderOfItsOwn&) = delete;

  // The copy of `source` in the folder; empty when there is none.
  std::wstring Copy(const std::wstring& source) {
    if (path_.empty()) return {};
    const std::wstring copy = path_ + source.substr(source.find_last_of(L'\\'));
    if (!CopyFileW(source.c_str(), copy.c_str(), TRUE)) return {};
    file_ = copy;
    return file_;
  }

 private:
  std::wstring path_;
  std::wstring file_;
};

}  // namespace

bool InstallationCompleted(const RunOutcome& outcome) {
  constexpr DWORD kRestartRequired = 3010;  // ERROR_SUCCESS_REBOOT_REQUIRED
  return outcome.end == RunEnd::Exited &&
         (outcome.exitCode == ERROR_SUCCESS || outcome.exitCode == kRestartRequired);
}

RunOutcome RunAndWait(const std::wstring& path, const std::function<void()>& processMessages,
                      HWND owner) {
  OwnedHandle process = StartProgram(path);
  if (!process && GetLastError() == kElevationRequired) {
    process = StartThroughShell(path, owner);
  }
  if (!process) return {RunEnd::NotStarted};
  if (!WaitForEnd(process.get(), processMessages)) return {RunEnd::ProgramEnding};
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(process.get(), &exitCode)) return {RunEnd::NotStarted};
  return {RunEnd::Exited, exitCode};
}

RunOutcome RunInstaller(const std::wstring& path, const std::function<void()>& processMessages,
                        HWND owner) {
  FolderOfItsOwn folder;
  const std::wstring copy = folder.Copy(path);
  if (copy.empty()) return {RunEnd::NotStarted};
  return RunAndWait(copy, processMessages, owner);
}
