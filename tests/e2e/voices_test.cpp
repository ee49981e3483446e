// More engines as a user gets them: the "Additional voices..." window opened
// from the tray, engines ticked in its list and downloaded with a click from
// a server of the test's own on 127.0.0.1, a transfer ended by "Close",
// installers that really run (and some that do not complete) before the
// program asks to exit, and an Exit while an installer runs.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "base/kernel_handle.h"
#include "downloads/downloads_resources.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/linux_process.h"
#include "tests/support/hotkey_probe_client.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/test_installer.h"
#include "ui/ui_resources.h"

namespace {

constexpr char kMaryMikeSam[] = "/pub/new/graphics_and_multimedia/audio/audio_tools/msttsl.exe";
constexpr char kAmericanEnglish[] = "/activex/controls/agent2/tv_enua.exe";
constexpr char kSpanish[] = "/activex/controls/agent2/lhttsspe.exe";
constexpr char kGerman[] = "/activex/controls/agent2/lhttsged.exe";
constexpr char kExitQuestion[] =
    "Selected voices were successfully downloaded and installed. Please, restart program to use "
    "new voices. Exit now?";
// 2.5 MB, half of which arrives before the server stops sending.
constexpr size_t kStalledSize = 2621440;

class AdditionalVoices : public TolvaneTest {
 protected:
  void SetUp() override {
    CreateDirectoryW(Downloads(L"").c_str(), nullptr);
    // Earlier downloads: one too short to count, one installed.
    WriteTextFile(Downloads(L"lhttseng.exe"), std::string(127, 'x'));
    WriteTextFile(Downloads(L"lhttsfrf.exe"), installed_);
    server_.Serve(kMaryMikeSam, {.body = std::string(kStalledSize, 'm'),
                                 .stall = HttpAnswer::Stall::HalfWayThroughBody});
    for (const char* path : {kAmericanEnglish, kSpanish, kGerman}) {
      server_.Serve(path, {.body = installer_});
    }
    // What the installers read and write, wherever the program runs them.
    SetEnvironmentVariableW(kInstallerFolderVariable, installerFiles_.Path().c_str());
    WriteTextFile(folder_.File(L"cfg.ini"), std::string(kLaterStart) + "[Downloads]\r\nAddress=" +
                                                speech_test::Utf8(server_.BaseAddress()) + "\r\n");
    Start();
    main_ = tolvane_->FindWindowTitled(kOptionsTitle, false);
  }

  void TearDown() override { SetEnvironmentVariableW(kInstallerFolderVariable, nullptr); }

  std::wstring Downloads(const std::wstring& file) const {
    return folder_.File(L"Downloads\\" + file);
  }
  std::wstring InstallerFile(const std::wstring& installer, const wchar_t* suffix) const {
    return installerFiles_.File(installer + suffix);
  }
  // The tray menu's "Additional voices...", with the focus in the list.
  void OpenFromTheTray() {
    PostMessageW(main_, WM_COMMAND, IDM_TRAY_ADDITIONAL_VOICES, 0);
    window_ = tolvane_->WaitForWindow(kVoicesTitle);
    ASSERT_NE(window_, nullptr);
    list_ = FindControlById(window_, IDC_ENGINES_LIST);
    // On a row's text, away from its tick box.
    ASSERT_TRUE(ClickControl(list_));
  }
  bool Ticked(int row) const {
    return (SendMessageW(list_, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12) == 2;
  }
  // Down the list from the first row, ticking or unticking the rows named.
  void ToggleTicks(std::initializer_list<int> rows) {
    ASSERT_TRUE(PressKeyIn(list_, VK_HOME));
    int at = 0;
    for (int row : rows) {
      for (; at < row; ++at) ASSERT_TRUE(PressKeyIn(list_, VK_DOWN));
      ASSERT_TRUE(PressKeyIn(list_, VK_SPACE));
    }
  }
  bool ReinstallEnabledOn(int row) {
    EXPECT_TRUE(PressKeyIn(list_, row == 0 ? VK_HOME : VK_DOWN));
    // The button follows the selection as it changes.
    EXPECT_TRUE(
        WaitUntil([&] { return SendMessageW(list_, LVM_GETNEXTITEM, -1, LVNI_SELECTED) == row; }));
    return IsWindowEnabled(FindControlById(window_, IDC_REINSTALL_BUTTON)) != FALSE;
  }

  const std::string installer_ = ReadTextFile(TestProgramFolder() + L"\\test_installer.exe");
  TempFolder installerFiles_;
  const std::string installed_ = std::string(128, 'i');
  LoopbackHttpServer server_;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
};

}  // namespace

TEST_F(AdditionalVoices, DownloadsOneRowAfterAnotherAndRunsTheInstallers) {
  OpenFromTheTray();
  // A stalled transfer shows how far it got; "Close" ends it, and no file
  // comes of it.
  ToggleTicks({0});
  ASSERT_TRUE(ClickControl(FindControlById(window_, IDC_DOWNLOAD_BUTTON)));
  HWND status = FindControlById(window_, IDC_DOWNLOAD_STATUS);
  EXPECT_TRUE(WaitUntil([&] { return ControlText(status) == L"1.30 MB of 2.50 MB completed"; }))
      << speech_test::Utf8(ControlText(status));
  EXPECT_EQ(SendMessageW(FindControlById(window_, IDC_DOWNLOAD_PROGRESS), PBM_GETPOS, 0, 0), 50);
  ASSERT_TRUE(ClickControl(FindControlById(window_, IDCANCEL)));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }));
  EXPECT_FALSE(Exists(Downloads(L"msttsl.exe")));

  // The ticks stay; an installed row ticked is passed over and stays ticked.
  OpenFromTheTray();
  EXPECT_TRUE(Ticked(0));
  // Behind another program's window, the window comes to the front again.
  {
    NotepadProcess notepad(folder_.Path(), L"In front");
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notepad.Window(); }));
    PostMessageW(main_, WM_COMMAND, IDM_TRAY_ADDITIONAL_VOICES, 0);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window_; }));
  }
  // The server has no British English: its row fails, and the next goes on.
  // American English installs and wants Windows restarted; the Spanish
  // installer is cancelled by its user, the German one fails.
  WriteTextFile(InstallerFile(L"tv_enua.exe", kInstallerExitCodeSuffix), "3010");
  WriteTextFile(InstallerFile(L"lhttsspe.exe", kInstallerExitCodeSuffix), "1602");
  WriteTextFile(InstallerFile(L"lhttsged.exe", kInstallerExitCodeSuffix), "1");
  ToggleTicks({0, 1, 2, 3, 4, 5});
  ASSERT_TRUE(ClickControl(FindControlById(window_, IDC_DOWNLOAD_BUTTON)));
  EXPECT_EQ(AnswerBox(IDOK), L"Download error. Please, check internet connection and try again.");
  for (const wchar_t* engine : {L"Spanish", L"German"}) {
    EXPECT_EQ(AnswerBox(IDOK),
              std::wstring(L"The installation of ") + engine +
                  L" did not complete. The engine stays ticked, so that you can try again.");
  }
  EXPECT_EQ(speech_test::Utf8(AnswerBox(IDNO)), kExitQuestion);
  EXPECT_TRUE(tolvane_->Running());
  EXPECT_TRUE(ReadTextFile(Downloads(L"tv_enua.exe")) == installer_);
  // Run once, asked to show itself normally, and waited for; from a folder
  // of its own that held nothing else, and is gone.
  const std::string record = ReadTextFile(InstallerFile(L"tv_enua.exe", kInstallerRecordSuffix));
  ASSERT_EQ(record.substr(0, 22), "show mode 1\r\nrun from ") << record;
  const std::string ranFrom = record.substr(22, record.find('\r', 22) - 22);
  EXPECT_EQ(record.substr(22 + ranFrom.size()), "\r\nbeside 0 files\r\n");
  EXPECT_NE(ranFrom, speech_test::Utf8(Downloads(L"")).substr(0, ranFrom.size()));
  EXPECT_FALSE(Exists(std::filesystem::u8path(ranFrom).wstring()));
  EXPECT_FALSE(Ticked(1));
  for (int row : {2, 3, 4, 5}) EXPECT_TRUE(Ticked(row)) << "row " << row;
  EXPECT_EQ(ReadTextFile(Downloads(L"lhttseng.exe")), std::string(127, 'x'));
  EXPECT_TRUE(ReadTextFile(Downloads(L"lhttsfrf.exe")) == installed_);

  // At the next showing the new engine is installed too, the short file not.
  ASSERT_TRUE(PressKeyIn(list_, VK_ESCAPE));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }));
  OpenFromTheTray();
  EXPECT_FALSE(ReinstallEnabledOn(0));
  EXPECT_TRUE(ReinstallEnabledOn(1));
  EXPECT_FALSE(ReinstallEnabledOn(2));
  EXPECT_TRUE(ReinstallEnabledOn(3));
}

TEST_F(AdditionalVoices, ExitWhileAnInstallerRunsEndsTheProgramAtOnceAndLeavesTheInstaller) {
  WriteTextFile(InstallerFile(L"tv_enua.exe", kInstallerHoldSuffix), "");
  OpenFromTheTray();
  ToggleTicks({1, 4});
  ASSERT_TRUE(ClickControl(FindControlById(window_, IDC_DOWNLOAD_BUTTON)));
  std::string installerId;
  ASSERT_TRUE(WaitUntil([&] {
    installerId = ReadTextFile(InstallerFile(L"tv_enua.exe", kInstallerProcessIdSuffix));
    return !installerId.empty();
  }));
  const OwnedHandle installer(OpenProcess(SYNCHRONIZE, FALSE, std::stoul(installerId)));
  const auto linuxPid = LinuxProcessRunning(folder_.File(L"Tolvane.exe"));
  ASSERT_TRUE(linuxPid.has_value());
  const auto atExit = LinuxCpuTime(*linuxPid);
  ASSERT_TRUE(atExit.has_value());

  // Its processor time as last seen before the process went. Under Wine on a
  // display without a window manager, taking the tray icon and the shown
  // window away waits 2 s each for the window manager that never answers
  // (a plain Exit takes 4 s there too), so the program is given 8 s; one
  // that waits for the installer runs until the installer ends, 30 s later.
  CpuTime atEnd = *atExit;
  PostMessageW(main_, WM_COMMAND, IDM_TRAY_EXIT, 0);
  EXPECT_TRUE(WaitUntil(
      [&] {
        if (const auto now = LinuxCpuTime(*linuxPid)) atEnd = *now;
        return !tolvane_->Running();
      },
      8s))
      << "the program still runs 8 s after Exit";
  EXPECT_LT((atEnd - *atExit).Total(), 0.5) << "seconds of processor time on the way out";
  EXPECT_EQ(WaitForSingleObject(installer.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT))
      << "the installer ended with the program";

  // The installer finishes by itself, and nothing starts after it: the next
  // row's transfer leaves neither its file nor a part of it.
  DeleteFileW(InstallerFile(L"tv_enua.exe", kInstallerHoldSuffix).c_str());
  EXPECT_EQ(WaitForSingleObject(installer.get(), 20000), static_cast<DWORD>(WAIT_OBJECT_0));
  std::vector<std::wstring> left;
  for (const auto& file : std::filesystem::directory_iterator(Downloads(L""))) {
    left.push_back(file.path().filename().wstring());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::wstring>{L"lhttseng.exe", L"lhttsfrf.exe", L"tv_enua.exe"}));
}
