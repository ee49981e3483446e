#include "tests/support/hotkey_probe_client.h"

#include <windows.h>

#include "tests/support/child_process.h"

std::wstring TestProgramFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

HotKeyState ProbeHotKey(unsigned shortCut) {
  std::wstring probe = TestProgramFolder() + L"\\hotkey_probe.exe";
  std::wstring commandLine = QuotedPath(probe) + L" " + std::to_wstring(shortCut);
  PROCESS_INFORMATION process{};
  if (!StartChildProcess(commandLine, L"", ChildLifetime::EndsWithTest, process)) {
    return HotKeyState::ProbeFailed;
  }
  DWORD exitCode = 2;
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &exitCode);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (exitCode == 0) return HotKeyState::Free;
  return exitCode == 1 ? HotKeyState::Taken : HotKeyState::ProbeFailed;
}

void PrintTo(HotKeyState state, std::ostream* os) {
  switch (state) {
    case HotKeyState::Free:
      *os << "Free";
      return;
    case HotKeyState::Taken:
      *os << "Taken";
      return;
    case HotKeyState::ProbeFailed:
      *os << "ProbeFailed";
      return;
  }
  *os << "HotKeyState " << static_cast<int>(state);
}
