// The program shell inside one process: the application window, the guard
// around callbacks, and the main window's creation and clean-up.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

#include "app/application.h"
#include "app/main_form.h"
#include "base/dpi.h"
#include "base/exception_guard.h"
#include "base/window_thunk.h"
#include "tests/support/hotkey_probe_client.h"
#include "tests/support/speech_test_support.h"
#include "tests/support/window_class.h"
#include "tests/win/main_form_test_support.h"
#include "ui/controls.h"

namespace {

constexpr char kOneVoiceAndOneEngine[] =
    "sapi5.voice = Shell Test Voice\n"
    "sapi4.engine = Shell Test Engine | Shell Speaker | 50..250 | 80..160\n";

// A window whose procedure throws on WM_USER: the thunk must keep the
// exception from reaching the system.
class ThrowingWindow {
 public:
  void Attach(HWND handle) { handle_ = handle; }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) throw std::runtime_error("failure inside a window procedure");
    if (message == WM_USER + 1) return 42;
    return DefWindowProcW(handle_, message, wParam, lParam);
  }
  HWND handle_ = nullptr;
};

HWND CreateThrowingWindow(ThrowingWindow& window) {
  RegisterWindowClass(L"ThrowingWindow", WindowThunk<ThrowingWindow>);
  return CreateWindowExW(0, L"ThrowingWindow", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleW(nullptr), &window);
}

std::wstring WindowClass(HWND window) {
  wchar_t name[128]{};
  GetClassNameW(window, name, 128);
  return name;
}

}  // namespace

TEST(CallbackGuard, AnExceptionInAWindowProcedureEndsOnlyThatMessage) {
  ThrowingWindow window;
  HWND handle = CreateThrowingWindow(window);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(SendMessageW(handle, WM_USER, 0, 0), 0);
  // The window goes on answering after the failure.
  EXPECT_EQ(SendMessageW(handle, WM_USER + 1, 0, 0), 42);
  EXPECT_EQ(CallGuarded(7, []() -> int { throw 1; }), 7);
  DestroyWindow(handle);
}

TEST(ApplicationWindow, CarriesTheIdentityThatASecondCopyLooksFor) {
  TApplication first(GetModuleHandleW(nullptr));
  EXPECT_EQ(WindowClass(first.Handle()), L"TApplication");
  // Until start-up names it, the window has the program file's base name.
  EXPECT_EQ(WindowText(first.Handle()), L"win_tests");
  EXPECT_FALSE(IsWindowVisible(first.Handle()));

  first.SetTitle(kApplicationTitle);
  // Its own window never counts, even when the title already matches.
  EXPECT_FALSE(first.AnotherCopyRuns());
  TApplication second(GetModuleHandleW(nullptr));
  EXPECT_TRUE(second.AnotherCopyRuns());
  EXPECT_FALSE(first.AnotherCopyRuns());
}

TEST(ApplicationWindow, ATerminationRequestedBeforeTheLoopEndsItAtOnce) {
  TApplication application(GetModuleHandleW(nullptr));
  application.Terminate();
  EXPECT_EQ(application.Run(), 0);
  EXPECT_TRUE(application.Terminated());
}

// Without cfg.ini beside the test program and the autostart value, as on a
// first start.
class MainFormTest : public main_form_test::MainFormFixture {};

TEST_F(MainFormTest, CreationFindsBothFamiliesAndRegistersTheFixedHotKeys) {
  speech_test::StandinFiles standins;
  standins.WriteConfig(kOneVoiceAndOneEngine);
  TfrmMain frmMain(application_, {L"Tolvane.exe"});
  EXPECT_TRUE(frmMain.SpeechEngines().Sapi4Available());
  EXPECT_TRUE(frmMain.SpeechEngines().Sapi5Available());
  EXPECT_FALSE(application_.Terminated());
  EXPECT_FALSE(frmMain.StartMinimized());
  EXPECT_TRUE(frmMain.TrayIcon().Visible());
  EXPECT_TRUE(frmMain.DefaultHotKey().Registered());
  // The first start's keys: Ctrl+BkSp, not the field's design value Alt+Ins.
  EXPECT_EQ(frmMain.DefaultHotKey().HotKey(), 16392);
  EXPECT_EQ(frmMain.OptionsHotKey().HotKey(), 16506);
  EXPECT_EQ(frmMain.StopHotKey().HotKey(), 16507);
  EXPECT_EQ(frmMain.Pages().ActivePage(), kGeneralPage);
  EXPECT_TRUE(frmMain.GeneralPage().MinimizeToTrayBox().Checked());
  EXPECT_TRUE(frmMain.HelpFilePath().ends_with(L"\\Help.chm"));
}

TEST_F(MainFormTest, AFamilyWhoseCheckFailsCountsAsMissingAndStartUpGoesOn) {
  speech_test::StandinFiles standins;
  standins.WriteConfig(std::string(kOneVoiceAndOneEngine) + "sapi5.fail = GetVoices\n");
  TfrmMain frmMain(application_, {L"Tolvane.exe"});
  EXPECT_TRUE(frmMain.SpeechEngines().Sapi4Available());
  EXPECT_FALSE(frmMain.SpeechEngines().Sapi5Available());
  EXPECT_FALSE(application_.Terminated());
  EXPECT_TRUE(frmMain.OptionsHotKey().Registered());
  EXPECT_TRUE(frmMain.TrayIcon().Visible());
}

TEST_F(MainFormTest, OnlyTheExactAutostartSwitchStartsInTheTray) {
  speech_test::StandinFiles standins;
  standins.WriteConfig(kOneVoiceAndOneEngine);
  {
    TfrmMain frmMain(application_, {L"Tolvane.exe", L"-Autostart", L"autostart"});
    EXPECT_FALSE(frmMain.StartMinimized());
  }
  TfrmMain frmMain(application_, {L"Tolvane.exe", L"-autostart"});
  EXPECT_TRUE(frmMain.StartMinimized());
}

TEST_F(MainFormTest, CleanUpReleasesEveryHotKeyAndMayRunTwice) {
  speech_test::StandinFiles standins;
  standins.WriteConfig(kOneVoiceAndOneEngine);
  TfrmMain frmMain(application_, {L"Tolvane.exe"});
  // Three slot keys: Ctrl+Shift+F13, F14, F15.
  const unsigned slotWords[] = {0x6000 | VK_F13, 0x6000 | VK_F14, 0x6000 | VK_F15};
  for (int slot = 0; slot < 3; ++slot) {
    auto hotKey = std::make_unique<GlobalHotKey>(frmMain.Handle(),
                                                 L"SlotHotKey_" + std::to_wstring(slot), nullptr);
    hotKey->SetHotKey(static_cast<HotKeyWord>(slotWords[slot]));
    hotKey->SetActive(true);
    frmMain.SlotHotKeys().push_back(std::move(hotKey));
  }
  for (unsigned word : slotWords) ASSERT_EQ(ProbeHotKey(word), HotKeyState::Taken);

  frmMain.BeforeCloseActions();
  for (unsigned word : slotWords) EXPECT_EQ(ProbeHotKey(word), HotKeyState::Free);
  EXPECT_TRUE(frmMain.SlotHotKeys().empty());
  EXPECT_EQ(ProbeHotKey(16392), HotKeyState::Free);
  EXPECT_FALSE(frmMain.TrayIcon().Visible());
  EXPECT_FALSE(frmMain.SpeechEngines().Sapi5().Connected());

  frmMain.BeforeCloseActions();
  EXPECT_FALSE(application_.Terminated());
}

TEST_F(MainFormTest, TheClientAreaIs270PixelsHighAtTheWindowsDpi) {
  speech_test::StandinFiles standins;
  standins.WriteConfig(kOneVoiceAndOneEngine);
  TfrmMain frmMain(application_, {L"Tolvane.exe"});
  RECT client;
  GetClientRect(frmMain.Handle(), &client);
  EXPECT_EQ(client.bottom, MulDiv(270, static_cast<int>(WindowDpi(frmMain.Handle())), 96));
}

TEST_F(MainFormTest, TheGeneralPageHoldsTheLiveSettingsWithTheHelperFieldHidden) {
  speech_test::StandinFiles standins;
  standins.WriteConfig(kOneVoiceAndOneEngine);
  TfrmMain frmMain(application_, {L"Tolvane.exe"});
  // The window itself is hidden here, so the control's own style tells.
  ASSERT_NE(frmMain.GeneralPage().HelperHotKey().Handle(), nullptr);
  EXPECT_EQ(
      GetWindowLongPtrW(frmMain.GeneralPage().HelperHotKey().Handle(), GWL_STYLE) & WS_VISIBLE, 0);
  EXPECT_NE(
      GetWindowLongPtrW(frmMain.GeneralPage().ReadingHotKey().Handle(), GWL_STYLE) & WS_VISIBLE, 0);
  EXPECT_EQ(WindowText(frmMain.GeneralPage().ReadingHotKey().Handle()), L"Ctrl+BkSp");
  EXPECT_EQ(WindowText(frmMain.GeneralPage().OptionsHotKey().Handle()), L"Ctrl+F11");
  EXPECT_EQ(WindowText(frmMain.GeneralPage().StopHotKey().Handle()), L"Ctrl+F12");
  // The first start turned autostart on.
  EXPECT_TRUE(frmMain.GeneralPage().Autostart());
}
