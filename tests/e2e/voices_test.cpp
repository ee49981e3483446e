// More engines as a user gets them: the "Additional voices..." window opened
// from the tray, engines ticked in its list and downloaded with a click from
// a server of the test's own on 127.0.0.1, a transfer ended by "Close", and an
// installer that really runs before the program asks to exit.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "downloads/downloads_resources.h"
#include "tests/e2e/driver.h"
#include "tests/support/hotkey_probe_client.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/test_installer.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kVoicesTitle[] = L"Additional voices...";
constexpr char kMaryMikeSam[] = "/pub/new/graphics_and_multimedia/audio/audio_tools/msttsl.exe";
constexpr char kAmericanEnglish[] = "/activex/controls/agent2/tv_enua.exe";
constexpr char kExitQuestion[] =
    "Selected voices were successfully downloaded and installed. Please, restart program to use "
    "new voices. Exit now?";
// 2.5 MB, half of which arrives before the server stops sending.
constexpr size_t kStalledSize = 2621440;

class AdditionalVoices : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryW(Downloads(L"").c_str(), nullptr);
    // Earlier downloads: one too short to count, one installed.
    WriteTextFile(Downloads(L"lhttseng.exe"), std::string(127, 'x'));
    WriteTextFile(Downloads(L"lhttsfrf.exe"), installed_);
    server_.Serve(kMaryMikeSam, {.body = std::string(kStalledSize, 'm'),
                                 .stall = HttpAnswer::Stall::HalfWayThroughBody});
    server_.Serve(kAmericanEnglish, {.body = installer_});
    WriteTextFile(folder_.File(L"cfg.ini"), std::string(kLaterStart) + "[Downloads]\r\nAddress=" +
                                                speech_test::Utf8(server_.BaseAddress()) + "\r\n");
    tolvane_ = std::make_unique<TolvaneProcess>(folder_);
    ASSERT_TRUE(WaitUntil(HoldsFixedHotKeys));
    main_ = tolvane_->FindWindowTitled(kOptionsTitle, false);
  }

  std::wstring Downloads(const std::wstring& file) const {
    return folder_.File(L"Downloads\\" + file);
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
  const std::string installed_ = std::string(128, 'i');
  LoopbackHttpServer server_;
  ProgramFolder folder_{kReadingVoices};
  std::unique_ptr<TolvaneProcess> tolvane_;
  HWND main_ = nullptr;
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
  EXPECT_TRUE(Photograph(*tolvane_, window_, L"additional-voices-transfer"));
  ASSERT_TRUE(ClickControl(FindControlById(window_, IDCANCEL)));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }));
  EXPECT_EQ(GetFileAttributesW(Downloads(L"msttsl.exe").c_str()), INVALID_FILE_ATTRIBUTES);

  // The ticks stay; an installed row ticked is passed over and stays ticked.
  OpenFromTheTray();
  EXPECT_TRUE(Ticked(0));
  // The server has no British English: its row fails, and the next goes on.
  ToggleTicks({0, 1, 2, 3});
  ASSERT_TRUE(ClickControl(FindControlById(window_, IDC_DOWNLOAD_BUTTON)));
  EXPECT_EQ(AnswerMessageBox(*tolvane_, IDOK),
            L"Download error. Please, check internet connection and try again.");
  EXPECT_EQ(speech_test::Utf8(AnswerMessageBox(*tolvane_, IDNO)), kExitQuestion);
  EXPECT_TRUE(tolvane_->Running());
  EXPECT_TRUE(ReadTextFile(Downloads(L"tv_enua.exe")) == installer_);
  // Run once, asked to show itself normally, and waited for.
  EXPECT_EQ(ReadTextFile(Downloads(std::wstring(L"tv_enua.exe") + kInstallerRecordSuffix)),
            "show mode 1\r\n");
  EXPECT_FALSE(Ticked(1));
  EXPECT_TRUE(Ticked(2));
  EXPECT_TRUE(Ticked(3));
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
