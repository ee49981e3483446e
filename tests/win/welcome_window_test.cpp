// The welcome window: it snaps to the edges of the work area while it is
// dragged, and lays itself out so that the greeting and the link fit, at the
// DPI it starts with and at the one of a monitor it moves to.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/window_class.h"
#include "ui/controls.h"
#include "ui/link_label.h"
#include "ui/ui_resources.h"
#include "ui/welcome_window.h"

namespace {

RECT PlaceIn(HWND window, HWND parent) {
  RECT place = WindowRect(window);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// The link is a link label, whose class the application registers before
// it makes any window.
HINSTANCE InstanceWithLinkLabels() {
  RegisterLinkLabelClass(GetModuleHandleW(nullptr));
  return GetModuleHandleW(nullptr);
}

// The window's owner, which keeps the greeting silent.
class WelcomeWindowTest : public ::testing::Test, public WelcomeOwner {
 protected:
  void SpeakGreeting(const std::wstring&) override {}
  void SilenceGreeting() override {}

  TfrmWelcome welcome_{InstanceWithLinkLabels(), nullptr, nullptr, *this};
};

// The drag proposes rectangles (WM_MOVING) of the window's size; one within
// 20 pixels of an edge, inside the work area or outside alike, comes back
// moved onto it, each direction on its own, and one farther away untouched.
TEST_F(WelcomeWindowTest, ADragSnapsOntoTheEdgesWithin20PixelsAndNotFarther) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const LONG right = work.right - 328;
  const LONG bottom = work.bottom - 187;
  const struct {
    POINT proposed, placed;
  } drags[] = {
      {{work.left + 12, work.top - 20}, {work.left, work.top}},
      {{right + 20, bottom - 7}, {right, bottom}},
      {{work.left - 5, work.top + 100}, {work.left, work.top + 100}},
      {{work.left + 21, work.top + 30}, {work.left + 21, work.top + 30}},
      {{right - 25, bottom + 21}, {right - 25, bottom + 21}},
  };
  for (const auto& drag : drags) {
    RECT rect{drag.proposed.x, drag.proposed.y, drag.proposed.x + 328, drag.proposed.y + 187};
    SendMessageW(welcome_.Handle(), WM_MOVING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.left, drag.placed.x);
    EXPECT_EQ(rect.top, drag.placed.y);
    EXPECT_EQ(rect.right - rect.left, 328);
    EXPECT_EQ(rect.bottom - rect.top, 187);
  }
}

// Whatever the font, no line of the greeting is cut off, and "Continue"
// stays below it inside the window; so too on a monitor of twice the DPI,
// where the window keeps the top left corner Windows suggests and lays
// itself out at twice its size.
TEST_F(WelcomeWindowTest, TheGreetingShowsEveryLineAboveTheLinkAtEachDpi) {
  HWND greeting = GetDlgItem(welcome_.Handle(), IDC_WELCOME_GREETING);
  const RECT suggested{50, 40, 60, 45};
  for (const int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    if (scale == 2) {
      SendMessageW(welcome_.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                   reinterpret_cast<LPARAM>(&suggested));
      const RECT placed = WindowRect(welcome_.Handle());
      EXPECT_EQ(placed.left, suggested.left);
      EXPECT_EQ(placed.top, suggested.top);
    }
    const RECT box = PlaceIn(greeting, welcome_.Handle());
    HDC dc = GetDC(greeting);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(greeting, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, box.right - box.left, 0};
    DrawTextW(dc, WindowText(greeting).c_str(), -1, &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ReleaseDC(greeting, dc);
    EXPECT_LE(needed.bottom, box.bottom - box.top);
    // The layout's box, at 96 DPI, for the font it was made for.
    EXPECT_GE(box.bottom - box.top, 97 * scale);

    const RECT link =
        PlaceIn(GetDlgItem(welcome_.Handle(), IDC_WELCOME_CONTINUE), welcome_.Handle());
    RECT client{};
    GetClientRect(welcome_.Handle(), &client);
    EXPECT_EQ(client.right, 328 * scale);
    EXPECT_GE(link.top, box.bottom);
    EXPECT_LE(link.bottom, client.bottom);
  }
}

}  // namespace
