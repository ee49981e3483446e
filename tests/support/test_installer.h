#pragma once
// What test_installer.exe does, for the tests that run it as an engine
// installer. Everything it reads and writes lies beside itself, named after
// its own path plus a suffix, since an installer is started without
// arguments.

// While "<its path>.hold" exists (for ten seconds at most) it keeps running.
inline constexpr wchar_t kInstallerHoldSuffix[] = L".hold";
// Then it appends a line to "<its path>.ran" telling the show mode it was
// asked for ("show mode 1"; -1 when none was asked for)...
inline constexpr wchar_t kInstallerRecordSuffix[] = L".ran";
// ...and exits with this code.
inline constexpr unsigned kInstallerExitCode = 42;
