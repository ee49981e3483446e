// The program shell inside one process: the application window, the guard
// around callbacks, and the main window's creation and clean-up.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

#include "app/application.h"
#include "base/exception_guard.h"
#include "base/program_folder.h"
#include "base/window_thunk.h"
#include "tests/support/hotkey_probe_client.h"
#include "tests/support/speech_test_support.h"
#include "tests/support/window_class.h"
#include "tests/win/main_form_probe.h"
#include "ui/controls.h"

namespace {

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

}  // namespace

TEST(CallbackGuard, AnExceptionInAWindowProcedureEndsOnlyThatMessage) {
  ThrowingWindow window;
  RegisterWindowClass(L"ThrowingWindow", WindowThunk<ThrowingWindow>);
  HWND handle = CreateWindowExW(0, L"ThrowingWindow", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), &window);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(SendMessageW(handle, WM_USER, 0, 0), 0);
  // The window goes on answering after the failure.
  EXPECT_EQ(SendMessageW(handle, WM_USER + 1, 0, 0), 42);
  EXPECT_EQ(CallGuarded(7, []() -> int { throw 1; }), 7);
  DestroyWindow(handle);
}

TEST(ApplicationWindow, CarriesTheIdentityThatASecondCopyLooksFor) {
  TApplication first(GetModuleHandleW(nullptr));
  EXPECT_EQ(ClassOf(first.Handle()), L"TApplication");
  // Until start-up names it, the window has the program file's base name.
  EXPECT_EQ(WindowText(first.Handle()), L"win_tests");
  EXPECT_FALSE(IsWindowVisible(first.Handle()));

  first.SetTitle(kProgramTitle);
  // Its own window never counts, even when the title already matches.
  EXPECT_FALSE(first.AnotherCopyRuns());
  TApplication second(GetModuleHandleW(nullptr));
  EXPECT_TRUE(second.AnotherCopyRuns());
  EXPECT_FALSE(first.AnotherCopyRuns());

  // A termination requested before the loop ends it at once.
  second.Terminate();
  EXPECT_EQ(second.Run(), 0);
  EXPECT_TRUE(second.Terminated());
}

// Without cfg.ini and the autostart value, as on a first start.
class MainFormTest : public main_form_test::MainFormFixture {};

// One first start, as a new user has it, to the clean-up of its end; only
// the exact autostart switch would start in the tray.
TEST_F(MainFormTest, AFirstStartFindsBothFamiliesHoldsTheDefaultKeysAndTurnsAutostartOn) {
  MainFormProbe& frmMain =
      CreateMainForm(main_form_test::kBothFamilies, {L"Tolvane.exe", L"-Autostart", L"autostart"});
  EXPECT_TRUE(frmMain.SpeechEngines().Sapi4Available());
  EXPECT_TRUE(frmMain.SpeechEngines().Sapi5Available());
  EXPECT_FALSE(application_.Terminated());
  EXPECT_TRUE(frmMain.FirstRun());
  EXPECT_TRUE(frmMain.ShowWelcome());
  EXPECT_FALSE(frmMain.StartMinimized());
  EXPECT_TRUE(frmMain.Tray().Visible());
  EXPECT_EQ(AutostartValue(), L"\"" + ProgramPath() + L"\" -autostart");
  EXPECT_NE(ConfigText().find("FirstRun=0"), std::string::npos);

  // Ctrl+BkSp, Ctrl+F11, Ctrl+F12, not the fields' design value Alt+Ins.
  for (unsigned word : {16392u, 16506u, 16507u}) EXPECT_EQ(ProbeHotKey(word), HotKeyState::Taken);

  const TGeneralPage& general = frmMain.GeneralPage();
  EXPECT_EQ(frmMain.Pages().ActivePage(), kGeneralPage);
  EXPECT_EQ(WindowText(frmMain.GeneralControl(IDC_READING_HOTKEY)), L"Ctrl+BkSp");
  EXPECT_EQ(general.OptionsHotKeyText(), L"Ctrl+F11");
  EXPECT_EQ(general.StopHotKeyText(), L"Ctrl+F12");
  EXPECT_TRUE(general.Autostart());
  EXPECT_TRUE(general.Current().minimizeToTray);
  EXPECT_EQ(frmMain.PronunciationPage().Current().ignoredCharacters, L"*\\/\"`_~:'");

  // The button row ends the window with the template's margin of five dialog
  // units below it, in whatever font and at whatever DPI the window has.
  RECT client, ok = WindowRect(GetDlgItem(frmMain.Handle(), IDOK)), margin{0, 0, 0, 5};
  GetClientRect(frmMain.Handle(), &client);
  MapWindowPoints(nullptr, frmMain.Handle(), reinterpret_cast<POINT*>(&ok), 2);
  MapDialogRect(frmMain.Handle(), &margin);
  EXPECT_EQ(client.bottom - ok.bottom, margin.bottom);

  // The clean-up of the program's end lets every key go, and may run twice.
  frmMain.BeforeCloseActions();
  for (unsigned word : {16392u, 16506u, 16507u}) EXPECT_EQ(ProbeHotKey(word), HotKeyState::Free);
  EXPECT_FALSE(frmMain.Tray().Visible());
  EXPECT_FALSE(frmMain.SpeechEngines().Sapi5().Connected());
  frmMain.BeforeCloseActions();
  EXPECT_FALSE(application_.Terminated());

  // A first start again, which would otherwise show the window.
  DestroyMainForm();
  Forget();
  EXPECT_TRUE(CreateMainForm(main_form_test::kBothFamilies, {L"Tolvane.exe", L"-autostart"})
                  .StartMinimized());
}
