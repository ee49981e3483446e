#pragma once
// Shared by the tests that build a whole main window in the test process: its
// settings file beside the test program, the autostart value, and stand-in
// voices and engines.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/main_form.h"
#include "base/program_folder.h"
#include "settings/autostart.h"
#include "settings/file_replace.h"
#include "tests/support/autostart_value.h"
#include "tests/support/speech_test_support.h"

namespace main_form_test {

// Two SAPI 5 voices and two SAPI 4 engines with different bounds.
inline constexpr char kBothFamilies[] =
    "sapi4.engine = Engine Mode One | Ann | 50..250 | 80..160\n"
    "sapi4.engine = Engine Mode Two | Bob | 20..300 | 40..200\n"
    "sapi5.voice = Voice Alpha\n"
    "sapi5.voice = Voice Beta\n";

// Runs the application's own message handling, with its key preview and
// dialog keys, until the condition holds or the deadline passes.
inline bool PumpApplicationUntil(TApplication& application, const std::function<bool()>& condition,
                                 std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    application.ProcessMessages();
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

// Runs the application's messages until all that was posted before the call
// has been handled: a timer's message comes only when no posted message waits.
inline bool PumpApplicationUntilPostedHandled(TApplication& application) {
  static bool fired;
  struct Timer {
    static void CALLBACK Fired(HWND, UINT, UINT_PTR, DWORD) { fired = true; }
  };
  fired = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 0, Timer::Fired);
  const bool handled = PumpApplicationUntil(application, [] { return fired; });
  KillTimer(nullptr, timer);
  return handled;
}

inline std::wstring ConfigPath() { return ProgramFilePath(L"cfg.ini"); }

inline std::string ConfigText() {
  try {
    return ReadWholeFile(ConfigPath());
  } catch (...) {
    return "<none>";
  }
}

inline void WriteConfigText(const std::string& text) { ReplaceWholeFile(ConfigPath(), text); }

// Each test starts without cfg.ini and without the autostart value, as on a
// first start, and leaves neither behind.
class MainFormFixture : public ::testing::Test {
 protected:
  void SetUp() override { Forget(); }
  void TearDown() override {
    frmMain_.reset();
    Forget();
  }

  TfrmMain& CreateMainForm(const std::string& standinConfig = kBothFamilies) {
    standins_.WriteConfig(standinConfig);
    frmMain_ = std::make_unique<TfrmMain>(application_, std::vector<std::wstring>{L"Tolvane.exe"});
    return *frmMain_;
  }

  static void Forget() {
    DeleteFileW(ConfigPath().c_str());
    DisableAutostart();
  }

  speech_test::StandinFiles standins_;
  TApplication application_{GetModuleHandleW(nullptr)};
  std::unique_ptr<TfrmMain> frmMain_;
};

}  // namespace main_form_test
