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

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/e2e/linux_process.h"
#include "tests/support/speech_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

// The program puts one icon into the notification area, number 1 of its main window.
constexpr UINT kProgramIconId = 1;
constexpr std::chrono::seconds kIdleSpanByDefault = 10s;

std::chrono::seconds IdleSpan() {
  wchar_t text[16] = {};
  if (GetEnvironmentVariableW(L"TOLVANE_IDLE_SECONDS", text, ARRAYSIZE(text)) == 0) {
    return kIdleSpanByDefault;
  }
  return std::chrono::seconds(std::wcstoul(text, nullptr, 10));
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

// How long the process's threads have run, in nanoseconds: the first field
// of each /proc/<pid>/task/<tid>/schedstat. Finer than the ticks below, but
// a thread that ends takes its time with it.
std::optional<unsigned long long> LinuxThreadsRunNanoseconds(unsigned linuxPid) {
  const std::vector<unsigned> threads = NumberedEntries(LinuxProcessFile(linuxPid, L"task"));
  if (threads.empty()) return std::nullopt;
  unsigned long long nanoseconds = 0;
  for (unsigned thread : threads) {
    std::istringstream schedstat(ReadTextFile(
        LinuxProcessFile(linuxPid, L"task\\" + std::to_wstring(thread) + L"\\schedstat")));
    unsigned long long ran = 0;
    if (!(schedstat >> ran)) return std::nullopt;
    nanoseconds += ran;
  }
  return nanoseconds;
}

// How often the process's threads gave up or lost the processor: the
// voluntary and involuntary context switches of each
// /proc/<pid>/task/<tid>/status. A thread blocked in GetMessage with nothing
// sent to it is never woken, so it adds none; every tick of a timer adds at
// least one.
std::optional<unsigned long long> LinuxThreadsContextSwitches(unsigned linuxPid) {
  const std::vector<unsigned> threads = NumberedEntries(LinuxProcessFile(linuxPid, L"task"));
  if (threads.empty()) return std::nullopt;
  unsigned long long switches = 0;
  for (unsigned thread : threads) {
    std::istringstream status(ReadTextFile(
        LinuxProcessFile(linuxPid, L"task\\" + std::to_wstring(thread) + L"\\status")));
    int counted = 0;
    for (std::string line; std::getline(status, line);) {
      std::istringstream words(line);
      std::string key;
      unsigned long long value = 0;
      if (words >> key >> value &&
          (key == "voluntary_ctxt_switches:" || key == "nonvoluntary_ctxt_switches:")) {
        switches += value;
        ++counted;
      }
    }
    if (counted != 2) return std::nullopt;
  }
  return switches;
}

// The memory only this process uses, as the kernel counts it: its anonymous
// pages in memory and in swap (kB in /proc/<pid>/status).
std::optional<unsigned long long> LinuxPrivateBytes(unsigned linuxPid) {
  std::istringstream status(ReadTextFile(LinuxProcessFile(linuxPid, L"status")));
  unsigned long long kilobytes = 0;
  int counted = 0;
  for (std::string line; std::getline(status, line);) {
    std::istringstream words(line);
    std::string key;
    unsigned long long value = 0;
    if (words >> key >> value && (key == "RssAnon:" || key == "VmSwap:")) {
      kilobytes += value;
      ++counted;
    }
  }
  if (counted != 2) return std::nullopt;
  return kilobytes * 1024;
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
