#pragma once
// Runs an engine installer and waits for it to end without freezing the
// program: the program's messages keep running meanwhile. An installer that
// asks for administrator rights is started through the shell, so that
// Windows shows its consent prompt.

#include <functional>
#include <string>

#include <windows.h>

// How a run ended.
enum class RunEnd {
  Exited,
  // The user refused the consent prompt, or the file is no program.
  NotStarted,
  // The program is ending (a quit request arrived) and waits no longer; the
  // installer goes on by itself.
  ProgramEnding,
};

struct RunOutcome {
  RunEnd end;
  DWORD exitCode = 0;  // when it exited
};

// Whether the installer says it has installed: 0, or 3010 when Windows must
// restart first. Anything else (a cancel, 1602, a failure) has not.
bool InstallationCompleted(const RunOutcome& outcome);

// There is no time limit: an installer takes as long as its user does.
// Meanwhile processMessages runs whenever messages wait, and must handle all
// of them, leaving a quit request in the queue. The consent prompt, when
// there is one, comes up over `owner`.
RunOutcome RunAndWait(const std::wstring& path, const std::function<void()>& processMessages,
                      HWND owner = nullptr);

// RunAndWait for a downloaded installer, started from a copy in a new folder
// of its own under the user's temporary folder, which holds nothing else and
// goes once the installer has ended. An installer that asks for
// administrator rights loads the libraries lying beside it with those
// rights; the download folder is open to every program of the user's, this
// folder to none.
RunOutcome RunInstaller(const std::wstring& path, const std::function<void()>& processMessages,
                        HWND owner = nullptr);
