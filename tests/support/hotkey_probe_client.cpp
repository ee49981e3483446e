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
  const long exitCode = RunToEnd(
      QuotedPath(TestProgramFolder() + L"\\hotkey_probe.exe") + L" " + std::to_wstring(shortCut),
      std::chrono::seconds(30));
  if (exitCode == 0) return HotKeyState::Free;
  return exitCode == 1 ? HotKeyState::Taken : HotKeyState::ProbeFailed;
}

void PrintTo(HotKeyState state, std::ostream* os) {
  constexpr const char* kNames[] = {"Free", "Taken", "ProbeFailed"};
  *os << kNames[static_cast<int>(state)];
}
