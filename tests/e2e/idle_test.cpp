// What the program costs while it waits in the tray, the way it spends most
// of its day. The figures are printed for a person to read and compare, never
// held against limits; the test asserts what can fail: that the program runs
// on, quiet and with its icon in the tray, that no thread of it woke in the
// span (a timer or a poll would), and that every figure could be read.
// `make test` watches ten seconds; `make bench` sets TOLVANE_IDLE_SECONDS to
// watch the whole minute its figures are quoted for.
//
// Wine 8.0 answers the Windows calls about another process with figures of
// its own that are not the process's cost (GetProcessTimes reported 0.02 s
// where the kernel had counted 0.24 s, PrivateUsage and GetProcessHandleCount
// read 0), so the figures come from where they are real: the CPU time and the
// memory that the Linux kernel counts for the Linux process running the
// program (its /proc files, reached through the Z: drive), and the handles in
// the Wine server's table.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>
#include <winternl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/e2e/linux_process.h"

namespace {

using Clock = std::chrono::steady_clock;

// The program puts one icon into the notification area, number 1 of its main window.
constexpr UINT kProgramIconId = 1;
constexpr std::chrono::seconds kIdleSpanByDefault = 10s;

std::chrono::seconds IdleSpan() {
  wchar_t text[16] = {};
  const bool given = GetEnvironmentVariableW(L"TOLVANE_IDLE_SECONDS", text, ARRAYSIZE(text)) != 0;
  return given ? std::chrono::seconds(std::wcstoul(text, nullptr, 10)) : kIdleSpanByDefault;
}

// Whether the notification area holds the program's icon: it refuses a change
// to an icon it does not hold, and a change of nothing leaves the icon as it was.
bool TrayHoldsIcon(HWND owner) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = kProgramIconId;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// The sum of the named numbers of a /proc status file ("Key:  value" lines),
// or nothing when one of them is missing.
std::optional<unsigned long long> SumOfStatusFields(const std::string& status,
                                                    const std::vector<std::string>& keys) {
  std::istringstream lines(status);
  unsigned long long sum = 0;
  std::size_t counted = 0;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string key;
    unsigned long long value = 0;
    if (words >> key >> value && std::find(keys.begin(), keys.end(), key) != keys.end()) {
      sum += value;
      ++counted;
    }
  }
  if (counted != keys.size()) return std::nullopt;
  return sum;
}

// A figure summed over the process's threads, each read from its file of
// /proc/<pid>/task/<tid>/; nothing when one cannot be read. A thread that
// ends takes its share with it.
std::optional<unsigned long long> SumOverThreads(
    unsigned linuxPid, const std::wstring& file,
    const std::function<std::optional<unsigned long long>(const std::string&)>& figure) {
  const std::vector<unsigned> threads = NumberedEntries(LinuxProcessFile(linuxPid, L"task"));
  if (threads.empty()) return std::nullopt;
  unsigned long long sum = 0;
  for (unsigned thread : threads) {
    const std::optional<unsigned long long> value = figure(ReadTextFile(
        LinuxProcessFile(linuxPid, L"task\\" + std::to_wstring(thread) + L"\\" + file)));
    if (!value) return std::nullopt;
    sum += *value;
  }
  return sum;
}

// How long the process's threads have run, in nanoseconds: the first field
// of each schedstat. Finer than the kernel's ticks of CPU time.
std::optional<unsigned long long> LinuxThreadsRunNanoseconds(unsigned linuxPid) {
  return SumOverThreads(linuxPid, L"schedstat", [](const std::string& schedstat) {
    unsigned long long ran = 0;
    if (!(std::istringstream(schedstat) >> ran)) return std::optional<unsigned long long>();
    return std::optional(ran);
  });
}

// How often the process's threads gave up or lost the processor: their
// voluntary and involuntary context switches. A thread blocked in GetMessage
// with nothing sent to it is never woken, so it adds none; every tick of a
// timer adds at least one.
std::optional<unsigned long long> LinuxThreadsContextSwitches(unsigned linuxPid) {
  return SumOverThreads(linuxPid, L"status", [](const std::string& status) {
    return SumOfStatusFields(status, {"voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:"});
  });
}

// The memory only this process uses, as the kernel counts it: its anonymous
// pages in memory and in swap (kB in /proc/<pid>/status).
std::optional<unsigned long long> LinuxPrivateBytes(unsigned linuxPid) {
  const std::optional<unsigned long long> kilobytes = SumOfStatusFields(
      ReadTextFile(LinuxProcessFile(linuxPid, L"status")), {"RssAnon:", "VmSwap:"});
  if (!kilobytes) return std::nullopt;
  return *kilobytes * 1024;
}

// The process's entries in the system's table of open handles.
std::optional<unsigned> HandlesInSystemTable(DWORD processId) {
  std::vector<BYTE> table(1 << 16);
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(SystemHandleInformation, table.data(),
                                            static_cast<ULONG>(table.size()), nullptr)) ==
         static_cast<NTSTATUS>(0xC0000004L)) {  // STATUS_INFO_LENGTH_MISMATCH
    table.resize(table.size() * 2);
  }
  if (status != 0) return std::nullopt;
  const auto* handles = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(table.data());
  unsigned count = 0;
  for (ULONG index = 0; index < handles->Count; ++index) {
    if (handles->Handle[index].OwnerPid == processId) ++count;
  }
  return count;
}

}  // namespace

TEST(Idle, InTheTrayTheProgramRunsQuietlyAndItsCostsArePrinted) {
  ProgramFolder folder(kReadingVoices, kLaterStart);
  const auto started = Clock::now();
  TolvaneProcess tolvane(folder);
  HWND main = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    main = tolvane.FindWindowTitled(kOptionsTitle, false);
    return main != nullptr && TrayHoldsIcon(main);
  }));
  const long long trayIconMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
  ASSERT_TRUE(tolvane.WaitForIdle());

  const std::optional<unsigned> linuxPid = LinuxProcessRunning(folder.File(L"Tolvane.exe"));
  ASSERT_TRUE(linuxPid.has_value());
  const std::optional<CpuTime> linuxBefore = LinuxCpuTime(*linuxPid);
  const std::optional<unsigned long long> threadsRanBefore = LinuxThreadsRunNanoseconds(*linuxPid);
  const std::optional<unsigned long long> switchesBefore = LinuxThreadsContextSwitches(*linuxPid);
  const double spanStarted = LogClockMilliseconds();
  const std::chrono::seconds span = IdleSpan();

  EXPECT_FALSE(tolvane.WaitForExit(span)) << "the program ended while idle";

  const std::optional<CpuTime> linuxAfter = LinuxCpuTime(*linuxPid);
  const std::optional<unsigned long long> threadsRanAfter = LinuxThreadsRunNanoseconds(*linuxPid);
  const std::optional<unsigned long long> switchesAfter = LinuxThreadsContextSwitches(*linuxPid);
  const std::optional<unsigned long long> linuxPrivate = LinuxPrivateBytes(*linuxPid);
  const std::optional<unsigned> tableHandles = HandlesInSystemTable(tolvane.ProcessId());
  const auto programSize =
      std::filesystem::file_size(std::filesystem::path(folder.File(L"Tolvane.exe")));
  ASSERT_TRUE(linuxBefore && linuxAfter && threadsRanBefore && threadsRanAfter && switchesBefore &&
              switchesAfter && linuxPrivate && tableHandles);
  EXPECT_GT(*tableHandles, 0u);

  const CpuTime linuxIdle = *linuxAfter - *linuxBefore;
  // Signed: a thread that ended in the minute took its time with it.
  const double idleRunMilliseconds =
      static_cast<double>(static_cast<long long>(*threadsRanAfter - *threadsRanBefore)) / 1e6;
  const long long wakeUps = static_cast<long long>(*switchesAfter - *switchesBefore);
  std::printf(
      "[ Idle     ] Tolvane.exe in the tray, started with cfg.ini of a later start\n"
      "[ Idle     ]   tray icon there after the start:  %lld ms\n"
      "[ Idle     ]   CPU time in %2lld idle seconds:      %.2f s (kernel %.2f + user %.2f), "
      "/proc/<pid>/stat\n"
      "[ Idle     ]   its threads ran in that span:     %.3f ms, /proc/<pid>/task/*/schedstat\n"
      "[ Idle     ]   its threads woke in that span:    %lld times, /proc/<pid>/task/*/status\n"
      "[ Idle     ]   CPU time since the start:         %.2f s (kernel %.2f + user %.2f), "
      "/proc/<pid>/stat\n"
      "[ Idle     ]   private bytes:                    %llu, /proc/<pid>/status RssAnon + "
      "VmSwap\n"
      "[ Idle     ]   handles:                          %u, the Wine server's handle table\n"
      "[ Idle     ]   program file:                     %llu bytes\n",
      trayIconMs, static_cast<long long>(span.count()), linuxIdle.Total(), linuxIdle.kernelSeconds,
      linuxIdle.userSeconds, idleRunMilliseconds, wakeUps, linuxAfter->Total(),
      linuxAfter->kernelSeconds, linuxAfter->userSeconds, *linuxPrivate, *tableHandles,
      static_cast<unsigned long long>(programSize));
  std::fflush(stdout);

  // Idle means in the tray, out of sight, asleep and silent: no thread woke
  // (a timer twice a second would wake one twenty times in ten seconds), and
  // the speech runtimes heard nothing from the program during the span.
  EXPECT_EQ(wakeUps, 0) << "the program's threads woke while idle";
  EXPECT_FALSE(tolvane.AnyWindowVisible());
  EXPECT_TRUE(TrayHoldsIcon(main));
  std::vector<std::string> calls;
  for (const LogEntry& entry : folder.StandinLog()) {
    if (entry.milliseconds >= spanStarted) calls.push_back(entry.api + " " + entry.method);
  }
  EXPECT_TRUE(calls.empty()) << calls.size() << " calls while idle, the first " << calls.front();
}
