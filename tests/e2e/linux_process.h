#pragma once
// The Linux process that runs a Wine process, seen through its /proc files
// (reached through the Z: drive). Wine 8.0 answers the Windows calls about
// another process's costs with figures of its own, so what a process costs
// is read where the Linux kernel counts it.

#include <optional>
#include <string>
#include <vector>

struct CpuTime {
  double kernelSeconds = 0;
  double userSeconds = 0;
  double Total() const { return kernelSeconds + userSeconds; }
};

CpuTime operator-(const CpuTime& later, const CpuTime& earlier);

// A file of the process's /proc folder, as a Windows path.
std::wstring LinuxProcessFile(unsigned linuxPid, const std::wstring& name);
// The entries of a /proc folder named by a number: processes, or a process's threads.
std::vector<unsigned> NumberedEntries(const std::wstring& folder);
// The Linux process that runs a Wine process: its command line starts with
// the Windows path of the program it runs.
std::optional<unsigned> LinuxProcessRunning(const std::wstring& programPath);
// The kernel's count of the process's time in user and kernel mode, in ticks
// of a hundredth of a second: fields 14 and 15 of /proc/<pid>/stat, which
// count every thread the process ever had.
std::optional<CpuTime> LinuxCpuTime(unsigned linuxPid);
