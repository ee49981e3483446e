// The welcome window snaps to the edges of the work area while it is dragged:
// the drag's proposed rectangles (WM_MOVING) come back moved onto an edge
// within 20 pixels of it, and untouched farther away.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/controls.h"
#include "ui/link_label.h"
#include "ui/ui_resources.h"
#include "ui/welcome_window.h"

namespace {

struct SilentOwner : WelcomeOwner {
  void SpeakGreeting(const std::wstring&) override {}
  void SilenceGreeting() override {}
};

class WelcomeWindowDrag : public ::testing::Test {
 protected:
  WelcomeWindowDrag() {
    RegisterLinkLabelClass(GetModuleHandleW(nullptr));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    work_ = monitor.rcWork;
  }

  // Where the window goes when the drag proposes a window of 328 x 187 pixels
  // with its top left corner at `left`, `top`.
  RECT Dragged(LONG left, LONG top) {
    RECT proposed{left, top, left + 328, top + 187};
    SendMessageW(welcome_.Handle(), WM_MOVING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(proposed.right - proposed.left, 328);
    EXPECT_EQ(proposed.bottom - proposed.top, 187);
    return proposed;
  }

  SilentOwner owner_;
  TfrmWelcome welcome_{GetModuleHandleW(nullptr), nullptr, nullptr, owner_};
  RECT work_{};
};

TEST_F(WelcomeWindowDrag, SnapsOntoTheEdgesWithin20Pixels) {
  // Inside and outside the work area alike.
  RECT placed = Dragged(work_.left + 12, work_.top - 20);
  EXPECT_EQ(placed.left, work_.left);
  EXPECT_EQ(placed.top, work_.top);

  placed = Dragged(work_.right - 328 + 20, work_.bottom - 187 - 7);
  EXPECT_EQ(placed.right, work_.right);
  EXPECT_EQ(placed.bottom, work_.bottom);

  // One direction snaps, the other stays where the mouse put it.
  placed = Dragged(work_.left - 5, work_.top + 100);
  EXPECT_EQ(placed.left, work_.left);
  EXPECT_EQ(placed.top, work_.top + 100);
}

TEST_F(WelcomeWindowDrag, StaysWhereTheMousePutsItFartherFromTheEdges) {
  RECT placed = Dragged(work_.left + 21, work_.top + 30);
  EXPECT_EQ(placed.left, work_.left + 21);
  EXPECT_EQ(placed.top, work_.top + 30);

  placed = Dragged(work_.right - 328 - 25, work_.bottom - 187 + 21);
  EXPECT_EQ(placed.right, work_.right - 25);
  EXPECT_EQ(placed.bottom, work_.bottom + 21);
}

RECT PlaceIn(HWND window, HWND parent) {
  RECT place{};
  GetWindowRect(window, &place);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// Whatever the font, no line of the greeting is cut off, and "Continue"
// stays below it inside the window; so too on a monitor of twice the DPI,
// where the window keeps the top left corner Windows suggests and lays
// itself out at twice its size.
TEST(WelcomeWindowLayout, TheGreetingShowsEveryLineAboveTheLinkAtEachDpi) {
  RegisterLinkLabelClass(GetModuleHandleW(nullptr));
  SilentOwner owner;
  TfrmWelcome welcome(GetModuleHandleW(nullptr), nullptr, nullptr, owner);
  HWND greeting = GetDlgItem(welcome.Handle(), IDC_WELCOME_GREETING);
  HWND link = GetDlgItem(welcome.Handle(), IDC_WELCOME_CONTINUE);
  ASSERT_NE(link, nullptr);
  const RECT suggested{50, 40, 60, 45};
  for (const int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    if (scale == 2) {
      SendMessageW(welcome.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                   reinterpret_cast<LPARAM>(&suggested));
      RECT placed{};
      GetWindowRect(welcome.Handle(), &placed);
      EXPECT_EQ(placed.left, suggested.left);
      EXPECT_EQ(placed.top, suggested.top);
    }
    const RECT box = PlaceIn(greeting, welcome.Handle());
    HDC dc = GetDC(greeting);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(greeting, WM_GETFONT, 0, 0)));
    const std::wstring text = WindowText(greeting);
    RECT needed{0, 0, box.right - box.left, 0};
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ReleaseDC(greeting, dc);
    EXPECT_LE(needed.bottom, box.bottom - box.top);
    // The layout's box, at 96 DPI, for the font it was made for.
    EXPECT_GE(box.bottom - box.top, 97 * scale);

    const RECT linkPlace = PlaceIn(link, welcome.Handle());
    RECT client{};
    GetClientRect(welcome.Handle(), &client);
    EXPECT_EQ(client.right, 328 * scale);
    EXPECT_GE(linkPlace.top, box.bottom);
    EXPECT_LE(linkPlace.bottom, client.bottom);
  }
}

}  // namespace
