#include "tests/support/child_process.h"

namespace {

// One job for every child of this program. Its handle is never closed here:
// the system closes it when this program ends, also when it is killed, and the
// job then ends everything in it.
HANDLE ChildrenJob() {
  static const HANDLE job = [] {
    HANDLE created = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (created != nullptr && !SetInformationJobObject(created, JobObjectExtendedLimitInformation,
                                                       &limits, sizeof limits)) {
      CloseHandle(created);
      return HANDLE{nullptr};
    }
    return created;
  }();
  return job;
}

}  // namespace

ChildProcess::ChildProcess(std::wstring commandLine, const std::wstring& workingFolder,
                           ChildLifetime lifetime)
    : lifetime_(lifetime) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // Suspended until it is in the job, so nothing it starts escapes the job.
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                      nullptr, workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup,
                      &process)) {
    return;
  }
  const OwnedHandle thread(process.hThread);
  process_.reset(process.hProcess);
  if (lifetime == ChildLifetime::EndsWithTest &&
      (ChildrenJob() == nullptr || !AssignProcessToJobObject(ChildrenJob(), process.hProcess))) {
    TerminateProcess(process.hProcess, 1);
    process_.reset();
    return;
  }
  processId_ = process.dwProcessId;
  ResumeThread(process.hThread);
}

ChildProcess::~ChildProcess() {
  if (lifetime_ == ChildLifetime::EndsWithTest && Running()) {
    TerminateProcess(Handle(), 1);
    WaitForExit();
  }
}

bool ChildProcess::WaitForIdle(std::chrono::milliseconds timeout) const {
  return WaitForInputIdle(Handle(), static_cast<DWORD>(timeout.count())) == 0;
}

bool ChildProcess::WaitForExit(std::chrono::milliseconds timeout) const {
  return WaitForSingleObject(Handle(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const {
  DWORD exitCode = 0;
  GetExitCodeProcess(Handle(), &exitCode);
  return exitCode;
}

long RunToEnd(const std::wstring& commandLine, std::chrono::milliseconds timeout) {
  const ChildProcess child(commandLine);
  return child.Started() && child.WaitForExit(timeout) ? static_cast<long>(child.ExitCode()) : -1;
}
