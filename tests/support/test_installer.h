#pragma once
// What test_installer.exe does, for the tests that run it as an engine
// installer. An installer is started without arguments, from wherever the
// program puts it, so what it reads and writes lies in the folder named by
// the environment variable below (beside itself without one), each file
// named after its own file name plus a suffix: "<folder>\tv_enua.exe.hold".
inline constexpr wchar_t kInstallerFolderVariable[] = L"TOLVANE_TEST_INSTALLER_FOLDER";

// At its start it writes its process id into "<name>.pid".
inline constexpr wchar_t kInstallerProcessIdSuffix[] = L".pid";
// While "<name>.hold" exists (for 30 seconds at most) it keeps running.
inline constexpr wchar_t kInstallerHoldSuffix[] = L".hold";
// Then it appends to "<name>.ran" the show mode it was asked for
// ("show mode 1"; -1 when none was asked for), the folder it ran from and
// what else that folder held ("run from C:\...\folder", "beside 0 files")...
inline constexpr wchar_t kInstallerRecordSuffix[] = L".ran";
// ...and exits with the number in "<name>.exitcode", 0 without one.
inline constexpr wchar_t kInstallerExitCodeSuffix[] = L".exitcode";
