// The release as a Windows user gets it: the setup installs Tolvane for the
// user alone, updates it while it runs and leaves the settings to the
// uninstaller's question; the portable zip's program runs from any folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>
#include <wrl/client.h>

#include <filesystem>
#include <string>

#include "base/kernel_handle.h"
#include "tests/e2e/driver.h"
#include "tests/support/autostart_value.h"
#include "tests/support/hotkey_probe_client.h"
#include "ui/ui_resources.h"

namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t kSetup[] = L"Tolvane-" TOLVANE_VERSION L"-setup.exe";
constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tolvane";
constexpr wchar_t kWelcomeTitle[] = L"Welcome to Tolvane!";
// Settings from before: the welcome seen, and one pronunciation correction,
// which a reading proves the program found beside itself.
constexpr char kEarlierSettings[] =
    "[General]\r\nWelcomeDlg=1\r\n[Pronunciation]\r\nWordsCorrections=1\r\n";
constexpr char kEarlierWords[] = "only###***###lonely###***###No\r\n";

std::wstring ShellFolder(int folder) {
  wchar_t path[MAX_PATH]{};
  SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

std::wstring InstallFolder() { return ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Tolvane"; }
std::wstring Installed(const std::wstring& name) { return InstallFolder() + L"\\" + name; }
std::wstring Shortcut() { return ShellFolder(CSIDL_PROGRAMS) + L"\\Tolvane!.lnk"; }

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What the shortcut starts; "<none>" when there is no shortcut.
std::wstring ShortcutTarget() {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  wchar_t target[MAX_PATH] = L"<none>";
  if (SUCCEEDED(
          CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
      SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Load(Shortcut().c_str(), STGM_READ))) {
    link->GetPath(target, MAX_PATH, nullptr, 0);
  }
  return target;
}

// A value of the uninstall registration; "<none>" when it is not there.
std::wstring Registered(const wchar_t* name) {
  wchar_t data[MAX_PATH]{};
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS) {
    return L"<none>";
  }
  return data;
}

// Runs a command line to its end; answers its exit code, or -1 when it did
// not start or end in time.
long RunToEnd(const std::wstring& commandLine) {
  PROCESS_INFORMATION process{};
  if (!StartChildProcess(commandLine, L"", ChildLifetime::EndsWithTest, process)) return -1;
  DWORD exitCode = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &exitCode);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<long>(exitCode);
}

long RunSetupSilently() {
  return RunToEnd(QuotedPath(TestProgramFolder() + L"\\" + kSetup) + L" /S");
}

// The process of the running copy, found as the setup finds it: by its
// hidden application window. Null when no copy runs.
OwnedHandle OpenRunningCopy() {
  HWND application = FindWindowW(L"TApplication", L"Tolvane!");
  DWORD processId = 0;
  if (application == nullptr || GetWindowThreadProcessId(application, &processId) == 0) {
    return nullptr;
  }
  return OwnedHandle(
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
}

std::wstring ProgramPath(HANDLE process) {
  wchar_t path[MAX_PATH]{};
  DWORD size = MAX_PATH;
  QueryFullProcessImageNameW(process, 0, path, &size);
  return path;
}

// The settings from before and what the first start added to them.
::testing::AssertionResult KeepsTheSettings() {
  const std::string settings = ReadTextFile(Installed(L"cfg.ini"));
  if (settings.find("WelcomeDlg=1") == std::string::npos ||
      settings.find("FirstRun=0") == std::string::npos) {
    return ::testing::AssertionFailure() << "cfg.ini holds: " << settings;
  }
  if (ReadTextFile(Installed(L"words.ini")) != kEarlierWords) {
    return ::testing::AssertionFailure() << "words.ini changed";
  }
  return ::testing::AssertionSuccess();
}

void RemoveInstallation() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(InstallFolder()), ignored);
  DeleteFileW(Shortcut().c_str());
  RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
  RemoveAutostartValue();
}

class Release : public ::testing::Test {
 protected:
  void SetUp() override { RemoveInstallation(); }
  void TearDown() override { RemoveInstallation(); }

  StandinFolder standins_{kReadingVoices};
};

}  // namespace

TEST_F(Release, SetupInstallsUpdatesTheRunningCopyAndTheUninstallerKeepsTheSettings) {
  ASSERT_EQ(RunSetupSilently(), 0);
  for (const wchar_t* file : {L"Tolvane.exe", L"Help.chm", L"tutorial.chm", L"Uninstall.exe"}) {
    EXPECT_TRUE(Exists(Installed(file))) << speech_test::Utf8(file);
  }
  EXPECT_EQ(ShortcutTarget(), Installed(L"Tolvane.exe"));
  EXPECT_EQ(Registered(L"DisplayVersion"), L"" TOLVANE_VERSION);
  const std::wstring quietUninstall = Registered(L"QuietUninstallString");
  EXPECT_EQ(quietUninstall, QuotedPath(Installed(L"Uninstall.exe")) + L" /S");

  // The first start of the installed program, by someone with settings from
  // before: it reads with them and writes its own beside itself.
  WriteTextFile(Installed(L"cfg.ini"), kEarlierSettings);
  WriteTextFile(Installed(L"words.ini"), kEarlierWords);
  TolvaneProcess first(Installed(L"Tolvane.exe"), standins_);
  ASSERT_TRUE(WaitUntil(HoldsFixedHotKeys));
  ASSERT_TRUE(first.WaitForIdle());
  {
    NotepadProcess notepad(standins_.Path(), L"Read only this.");
    ASSERT_TRUE(notepad.SelectAll());
    LogEntry speak;
    ASSERT_TRUE(PressTheReadingKey(standins_, speak));
    EXPECT_NE(speak.arguments.find(">Read lonely this.\""), std::string::npos) << speak.arguments;
  }
  EXPECT_TRUE(WaitUntil(
      [] { return ReadTextFile(Installed(L"cfg.ini")).find("FirstRun=0") != std::string::npos; }));
  EXPECT_EQ(AutostartValue(), QuotedPath(Installed(L"Tolvane.exe")) + L" -autostart");

  // The update over the running copy: it saves and exits, the new one comes
  // back into the tray, and the settings stay.
  ASSERT_EQ(RunSetupSilently(), 0);
  EXPECT_TRUE(first.WaitForExit(std::chrono::seconds(0)));
  OwnedHandle updated;
  ASSERT_TRUE(WaitUntil([&] { return (updated = OpenRunningCopy()) != nullptr; }));
  EXPECT_EQ(ProgramPath(updated.get()), Installed(L"Tolvane.exe"));
  EXPECT_TRUE(WaitUntil(HoldsFixedHotKeys));
  EXPECT_TRUE(KeepsTheSettings());

  // The uninstaller runs on from a copy of itself and ends the program.
  ASSERT_EQ(RunToEnd(quietUninstall), 0);
  EXPECT_TRUE(WaitUntil([] {
    return Registered(L"DisplayName") == L"<none>" && !Exists(Installed(L"Uninstall.exe"));
  }));
  EXPECT_EQ(WaitForSingleObject(updated.get(), 30000), WAIT_OBJECT_0);
  for (const wchar_t* file : {L"Tolvane.exe", L"Help.chm", L"tutorial.chm"}) {
    EXPECT_FALSE(Exists(Installed(file))) << speech_test::Utf8(file);
  }
  EXPECT_FALSE(Exists(Shortcut()));
  EXPECT_EQ(AutostartValue(), L"<none>");
  EXPECT_TRUE(KeepsTheSettings());
}

TEST_F(Release, ThePortableProgramRunsFromAFolderOfItsOwnAndKeepsItsSettingsThere) {
  // The zip as a user unpacks it into a fresh folder (the build unpacks it).
  TempFolder folder;
  for (const auto& file : std::filesystem::directory_iterator(
           std::filesystem::path(TestProgramFolder()) / "portable")) {
    std::filesystem::copy_file(file.path(),
                               std::filesystem::path(folder.Path()) / file.path().filename());
  }
  HtmlHelpViewer viewer(StandinHtmlHelp());
  TolvaneProcess tolvane(folder.File(L"Tolvane.exe"), standins_);
  HWND welcome = tolvane.WaitForWindow(kWelcomeTitle);
  ASSERT_NE(welcome, nullptr);
  ASSERT_TRUE(PressKeyIn(FindControl(welcome, L"Continue"), VK_ESCAPE));
  HWND main = tolvane.WaitForWindow(kOptionsTitle);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitUntil([&] {
    return ReadTextFile(folder.File(L"cfg.ini")).find("WelcomeDlg=1") != std::string::npos;
  }));
  PostMessageW(main, WM_COMMAND, IDM_TRAY_EXIT, 0);
  EXPECT_TRUE(tolvane.WaitForExit());
}
