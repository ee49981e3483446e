#include "tests/e2e/linux_process.h"

#include <windows.h>

#include <filesystem>
#include <sstream>

#include "tests/e2e/driver.h"
#include "tests/support/speech_test_support.h"

using speech_test::Utf8;

CpuTime operator-(const CpuTime& later, const CpuTime& earlier) {
  return {later.kernelSeconds - earlier.kernelSeconds, later.userSeconds - earlier.userSeconds};
}

std::wstring LinuxProcessFile(unsigned linuxPid, const std::wstring& name) {
  return L"Z:\\proc\\" + std::to_wstring(linuxPid) + L"\\" + name;
}

// A folder that cannot be read has no entries.
std::vector<unsigned> NumberedEntries(const std::wstring& folder) {
  std::vector<unsigned> numbers;
  std::error_code unreadable;
  for (const auto& entry : std::filesystem::directory_iterator(folder, unreadable)) {
    const std::wstring name = entry.path().filename().wstring();
    if (name.find_first_not_of(L"0123456789") == std::wstring::npos) {
      numbers.push_back(static_cast<unsigned>(std::stoul(name)));
    }
  }
  return numbers;
}

std::optional<unsigned> LinuxProcessRunning(const std::wstring& programPath) {
  const std::string wanted = Utf8(programPath);
  for (unsigned pid : NumberedEntries(L"Z:\\proc")) {
    const std::string commandLine = ReadTextFile(LinuxProcessFile(pid, L"cmdline"));
    if (lstrcmpiA(commandLine.c_str(), wanted.c_str()) == 0) return pid;
  }
  return std::nullopt;
}

std::optional<CpuTime> LinuxCpuTime(unsigned linuxPid) {
  const std::string stat = ReadTextFile(LinuxProcessFile(linuxPid, L"stat"));
  const size_t nameEnd = stat.rfind(')');
  if (nameEnd == std::string::npos) return std::nullopt;
  std::istringstream fields(stat.substr(nameEnd + 1));
  std::string skipped;
  for (int field = 3; field < 14; ++field) fields >> skipped;
  double userTicks = 0, kernelTicks = 0;
  if (!(fields >> userTicks >> kernelTicks)) return std::nullopt;
  constexpr double kTicksPerSecond = 100;
  return CpuTime{kernelTicks / kTicksPerSecond, userTicks / kTicksPerSecond};
}
