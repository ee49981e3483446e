// The tray icon and a notification area that is not ready for it yet, as at
// an early logon.
#include "ui/tray_icon.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>

#include "tests/support/message_pump.h"

namespace {

constexpr UINT kCallbackMessage = WM_APP + 1;
constexpr UINT_PTR kRetryTimer = 7;

// Refuses as many adds as it is told to, then takes the icon.
struct NotificationArea {
  int refusals = 0;
  int adds = 0;
  bool holdsIcon = false;
  UINT version = 0;
  // Every add and change of the hint also asked to show it.
  bool hintShown = true;

  BOOL Notify(DWORD message, const NOTIFYICONDATAW& data) {
    if (message == NIM_SETVERSION) version = data.uVersion;
    if ((data.uFlags & NIF_TIP) != 0 && (data.uFlags & NIF_SHOWTIP) == 0) hintShown = false;
    if (message == NIM_ADD) {
      ++adds;
      if (refusals > 0) {
        --refusals;
        return FALSE;
      }
      holdsIcon = true;
    }
    if (message == NIM_DELETE) holdsIcon = false;
    return TRUE;
  }
};

class TrayIconTest : public ::testing::Test {
 protected:
  ~TrayIconTest() override { DestroyWindow(window_); }

  // Runs the messages as the tray's owner window does, handing the icon its
  // timer's ticks, until the condition holds or the deadline passes.
  bool PumpIconUntil(const std::function<bool()>& condition) {
    return PumpUntil(condition, std::chrono::seconds(15), [this] {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_TIMER && msg.hwnd == window_ && icon_.HandleTimer(msg.wParam)) {
          continue;
        }
        DispatchMessageW(&msg);
      }
    });
  }

  // Answers whether the icon still had its retry timer running.
  bool RetryTimerRan() { return KillTimer(window_, kRetryTimer) != FALSE; }

  HWND window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  NotificationArea area_;
  TTrayIcon icon_{
      window_, kCallbackMessage, kRetryTimer,
      [this](DWORD message, NOTIFYICONDATAW* data) { return area_.Notify(message, *data); }};
};

}  // namespace

// After a few tries the icon waits for the taskbar to announce itself.
TEST_F(TrayIconTest, ARefusedIconIsAddedOnALaterTryOrWhenTheTaskbarIsCreated) {
  area_.refusals = 2;
  icon_.SetVisible(true);
  EXPECT_FALSE(area_.holdsIcon);
  ASSERT_TRUE(PumpIconUntil([this] { return area_.holdsIcon; }));
  EXPECT_EQ(area_.adds, 3);
  EXPECT_FALSE(RetryTimerRan());
  // It speaks version 4, which reports the keyboard, and keeps its hint.
  EXPECT_EQ(area_.version, static_cast<UINT>(NOTIFYICON_VERSION_4));
  icon_.SetHint(L"Tolvane!");
  EXPECT_TRUE(area_.hintShown);

  icon_.SetVisible(false);
  EXPECT_FALSE(area_.holdsIcon);
  area_.refusals = 1000;
  icon_.SetVisible(true);
  ASSERT_TRUE(PumpIconUntil([this] { return area_.adds == 3 + 6; }));
  EXPECT_FALSE(RetryTimerRan());
  EXPECT_FALSE(area_.holdsIcon);
  area_.refusals = 0;
  icon_.TaskbarCreated();
  EXPECT_TRUE(area_.holdsIcon);
}
