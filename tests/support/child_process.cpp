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

bool StartChildProcess(std::wstring commandLine, const std::wstring& workingFolder,
                       ChildLifetime lifetime, PROCESS_INFORMATION& process) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // Suspended until it is in the job, so nothing it starts escapes the job.
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                      nullptr, workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup,
                      &process)) {
    return false;
  }
  if (lifetime == ChildLifetime::EndsWithTest &&
      (ChildrenJob() == nullptr || !AssignProcessToJobObject(ChildrenJob(), process.hProcess))) {
    TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    process = {};
    return false;
  }
  ResumeThread(process.hThread);
  return true;
}
