// The release as a Windows user gets it: the portable zip's program runs from
// any folder, and the setup, which installs Tolvane for the user alone, leaves
// it alone, updates the installed copy while it runs and leaves the settings
// to the uninstaller's question; installed into a folder of the user's own,
// the uninstaller removes only the program's files.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>
#include <wrl/client.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/kernel_handle.h"
#include "tests/e2e/driver.h"
#include "tests/support/autostart_value.h"
#include "tests/support/hotkey_probe_client.h"

namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t kSetup[] = L"Tolvane-" TOLVANE_VERSION L"-setup.exe";
constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tolvane";
// Settings from before: the welcome seen, and one pronunciation correction,
// which a reading proves the program found beside itself.
constexpr char kEarlierSettings[] =
    "[General]\r\nWelcomeDlg=1\r\n[Pronunciation]\r\nWordsCorrections=1\r\n";
constexpr char kEarlierWords[] = "only###***###lonely###***###No\r\n";
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// The setup's and the uninstaller's window titles; NSIS puts a space after them.
constexpr wchar_t kSetupTitle[] = L"Tolvane! Setup";
constexpr wchar_t kUninstallerTitle[] = L"Tolvane! Uninstall";

std::wstring ShellFolder(int folder) {
  wchar_t path[MAX_PATH]{};
  SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

std::wstring InstallFolder() { return ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Tolvane"; }
std::wstring Installed(const std::wstring& name) { return InstallFolder() + L"\\" + name; }
std::wstring Shortcut() { return ShellFolder(CSIDL_PROGRAMS) + L"\\Tolvane!.lnk"; }

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

// Into the folder given, else where the setup chooses.
long RunSetupSilently(const std::wstring& folder = L"") {
  return RunToEnd(QuotedPath(TestProgramFolder() + L"\\" + kSetup) + L" /S" +
                  (folder.empty() ? L"" : L" /D=" + folder));
}

// A shown window of the setup or the uninstaller (by its title): its main
// window (which has the buttons of its pages, the first with the identifier
// 1) or its message box (Yes and No). Null when there is none.
HWND SetupWindow(const wchar_t* title, bool messageBox = false) {
  return FindTopLevelWindow([&](HWND window) {
    return IsWindowVisible(window) && WindowTitle(window).find(title) == 0 &&
           GetDlgItem(window, messageBox ? IDNO : 1) != nullptr;
  });
}

// The uninstaller started as a user does, from the path given: through its
// confirmation page, answering its question about the settings with No, to
// its Close button. Answers whether each step came.
::testing::AssertionResult UninstallRemovingTheSettings(const std::wstring& uninstaller) {
  if (RunToEnd(QuotedPath(uninstaller)) != 0) {
    return ::testing::AssertionFailure() << "the uninstaller did not start its copy";
  }
  HWND window = WaitForFound([] { return SetupWindow(kUninstallerTitle); });
  if (window == nullptr) return ::testing::AssertionFailure() << "no uninstaller window";
  PostMessageW(window, WM_COMMAND, 1, 0);  // "Uninstall"
  HWND question = WaitForFound([] { return SetupWindow(kUninstallerTitle, true); });
  if (question == nullptr) return ::testing::AssertionFailure() << "no question about the settings";
  if (MessageBoxText(question).find(L"Keep your Tolvane! settings") != 0) {
    return ::testing::AssertionFailure()
           << "asked: " << speech_test::Utf8(MessageBoxText(question));
  }
  PressButton(question, IDNO);
  HWND close = GetDlgItem(window, 1);
  if (!WaitUntil([&] { return IsWindowEnabled(close) && ControlText(close) == L"&Close"; })) {
    return ::testing::AssertionFailure() << "the uninstaller did not finish";
  }
  PostMessageW(window, WM_COMMAND, 1, 0);
  if (!WaitUntil([&] { return !IsWindow(window); })) {
    return ::testing::AssertionFailure() << "the uninstaller did not close";
  }
  return ::testing::AssertionSuccess();
}

// The setup run as a user does: its welcome page, the folder page with the
// folder typed in, and the finish page, left without starting the program.
::testing::AssertionResult InstallInteractivelyInto(const std::wstring& folder) {
  const ChildProcess setup(QuotedPath(TestProgramFolder() + L"\\" + kSetup));
  if (!setup.Started()) return ::testing::AssertionFailure() << "the setup did not start";
  constexpr int kFolderField = 1019;
  HWND window = WaitForFound([] { return SetupWindow(kSetupTitle); });
  if (window == nullptr) return ::testing::AssertionFailure() << "no setup window";
  PostMessageW(window, WM_COMMAND, 1, 0);  // "Next >"
  HWND field = WaitForFound([&] { return FindControlById(window, kFolderField); });
  if (field == nullptr) return ::testing::AssertionFailure() << "no folder page";
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
  PostMessageW(window, WM_COMMAND, 1, 0);  // "Install"
  HWND startProgram = WaitForFound([&] { return FindControl(window, L"Start Tolvane!"); }, 60s);
  if (startProgram == nullptr) return ::testing::AssertionFailure() << "no finish page";
  SendMessageW(startProgram, BM_CLICK, 0, 0);
  PostMessageW(window, WM_COMMAND, 1, 0);  // "Finish"
  if (!setup.WaitForExit()) {
    return ::testing::AssertionFailure() << "the setup did not end";
  }
  return ::testing::AssertionSuccess();
}

std::wstring ShortPath(const std::wstring& path) {
  wchar_t shortPath[MAX_PATH]{};
  GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
  return shortPath;
}

// The process of the running copy, found as the setup finds it: by its
// hidden application window. Null when no copy runs.
OwnedHandle OpenRunningCopy() {
  HWND application = ApplicationWindow();
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

  StandinFiles standins_{kReadingVoices};
};

}  // namespace

TEST_F(Release, SetupInstallsUpdatesTheRunningCopyAndTheUninstallerKeepsTheSettings) {
  // The portable zip as a user unpacks it into a fresh folder (the build
  // unpacks it): its first start greets and keeps the settings beside the
  // program. Running from a folder of its own, it is none of the setup's
  // business: it runs on, and no installed copy is started in its place.
  {
    TempFolder portableFolder;
    for (const auto& file : std::filesystem::directory_iterator(
             std::filesystem::path(TestProgramFolder()) / "portable")) {
      std::filesystem::copy_file(
          file.path(), std::filesystem::path(portableFolder.Path()) / file.path().filename());
    }
    HtmlHelpViewer viewer(StandinHtmlHelp());
    TolvaneProcess portable(portableFolder.File(L"Tolvane.exe"), standins_);
    HWND welcome = portable.WaitForWindow(kWelcomeTitle);
    ASSERT_NE(welcome, nullptr);
    ASSERT_TRUE(PressKeyIn(FindControl(welcome, L"Continue"), VK_ESCAPE));
    ASSERT_NE(portable.WaitForWindow(kOptionsTitle), nullptr);
    EXPECT_TRUE(WaitUntil([&] {
      return ReadTextFile(portableFolder.File(L"cfg.ini")).find("WelcomeDlg=1") !=
             std::string::npos;
    }));
    ASSERT_TRUE(WaitUntil(HoldsFixedHotKeys));
    ASSERT_EQ(RunSetupSilently(), 0);
    EXPECT_TRUE(portable.Running());
    const OwnedHandle running = OpenRunningCopy();
    ASSERT_NE(running, nullptr);
    EXPECT_EQ(ProgramPath(running.get()), portableFolder.File(L"Tolvane.exe"));
    ASSERT_TRUE(CloseAsASetupDoes());
    ASSERT_TRUE(portable.WaitForExit());
  }
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
  const std::string read = ReadFromNotepad(standins_, L"Read only this.");
  EXPECT_NE(read.find(">Read lonely this.\""), std::string::npos) << read;
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
  // The copy removes the shortcut last of all, so the test waits for that.
  ASSERT_EQ(RunToEnd(quietUninstall), 0);
  EXPECT_TRUE(WaitUntil([] {
    return Registered(L"DisplayName") == L"<none>" && !Exists(Installed(L"Uninstall.exe")) &&
           !Exists(Shortcut());
  }));
  EXPECT_EQ(WaitForSingleObject(updated.get(), 30000), WAIT_OBJECT_0);
  for (const wchar_t* file : {L"Tolvane.exe", L"Help.chm", L"tutorial.chm"}) {
    EXPECT_FALSE(Exists(Installed(file))) << speech_test::Utf8(file);
  }
  EXPECT_EQ(AutostartValue(), L"<none>");
  EXPECT_TRUE(KeepsTheSettings());
}

TEST_F(Release, InAFolderOfTheUsersTheUninstallerRemovesOnlyWhatTheProgramPutThere) {
  // A folder of the test's own, named so that its short name differs, with
  // files of the user's beside the program: Downloads is the user's too.
  TempFolder user;
  const std::wstring folder = user.File(L"My own things");
  const std::vector<std::wstring> usersFiles = {L"notes.txt", L"Downloads\\photo.jpg",
                                                L"Downloads\\Holiday\\beach.jpg",
                                                L"Letters\\letter.txt"};
  for (const wchar_t* subfolder : {L"", L"\\Downloads", L"\\Downloads\\Holiday", L"\\Letters"}) {
    CreateDirectoryW((folder + subfolder).c_str(), nullptr);
  }
  for (const std::wstring& file : usersFiles) WriteTextFile(folder + L"\\" + file, "the user's");
  ASSERT_EQ(RunSetupSilently(folder), 0);
  ASSERT_TRUE(Exists(folder + L"\\Tolvane.exe"));

  // What the program made there: its settings, an engine installer and the
  // part files of transfers, and its settings in the application data folder
  // (made by this test alone).
  const std::vector<std::wstring> programsFiles = {L"Tolvane.exe",
                                                   L"Help.chm",
                                                   L"tutorial.chm",
                                                   L"Uninstall.exe",
                                                   L"cfg.ini",
                                                   L"slots.ini",
                                                   L"words.ini",
                                                   L"Downloads\\msttsl.exe",
                                                   L"Downloads\\tv_enua.exe.1234-1.part",
                                                   L"Downloads\\lhttseng.exe.part"};
  for (const std::wstring& file : programsFiles) {
    if (!Exists(folder + L"\\" + file)) WriteTextFile(folder + L"\\" + file, "the program's");
  }
  const std::wstring appData = ShellFolder(CSIDL_APPDATA) + L"\\Tolvane";
  ASSERT_FALSE(Exists(appData)) << "settings of someone else's in the application data folder";
  CreateDirectoryW(appData.c_str(), nullptr);
  CreateDirectoryW((appData + L"\\Downloads").c_str(), nullptr);
  WriteTextFile(appData + L"\\cfg.ini", kEarlierSettings);
  WriteTextFile(appData + L"\\Downloads\\lhttsfrf.exe", "the program's");
  // As a copy started through the folder's short name writes it.
  const std::wstring autostart = QuotedPath(ShortPath(folder + L"\\Tolvane.exe")) + L" -autostart";
  ASSERT_NE(autostart.find(L"~"), std::wstring::npos) << speech_test::Utf8(autostart);
  RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Tolvane", REG_SZ, autostart.c_str(),
                  static_cast<DWORD>((autostart.size() + 1) * sizeof(wchar_t)));

  // Started through another spelling of its path, it still knows itself.
  ASSERT_TRUE(UninstallRemovingTheSettings(ShortPath(folder + L"\\Uninstall.exe")));
  for (const std::wstring& file : usersFiles) {
    EXPECT_EQ(ReadTextFile(folder + L"\\" + file), "the user's") << speech_test::Utf8(file);
  }
  for (const std::wstring& file : programsFiles) {
    EXPECT_FALSE(Exists(folder + L"\\" + file)) << speech_test::Utf8(file);
  }
  EXPECT_FALSE(Exists(appData));
  EXPECT_EQ(Registered(L"DisplayName"), L"<none>");
  EXPECT_EQ(AutostartValue(), L"<none>");
  EXPECT_FALSE(Exists(Shortcut()));
}

TEST_F(Release, AFolderOfTheUsersChosenOnTheFolderPageGetsAFolderOfItsOwn) {
  TempFolder user;
  WriteTextFile(user.File(L"notes.txt"), "the user's");
  ASSERT_TRUE(InstallInteractivelyInto(user.Path()));
  const std::wstring ownFolder = user.File(L"Tolvane");
  EXPECT_TRUE(Exists(ownFolder + L"\\Tolvane.exe"));
  EXPECT_FALSE(Exists(user.File(L"Tolvane.exe")));
  EXPECT_EQ(Registered(L"InstallLocation"), ownFolder);
  EXPECT_EQ(RunToEnd(QuotedPath(ownFolder + L"\\Uninstall.exe") + L" /S"), 0);
}
