// The tray menu: what its items show and where, at every DPI, and the real
// menu window opened, placed and answered by its commands.
#include "ui/tray_menu.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/dpi.h"
#include "base/gdi.h"
#include "tests/support/canvas.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_class.h"

namespace {

constexpr COLORREF kIconGreen = RGB(0, 200, 0);

// A menu of the program's shape: the default command and the pause command
// with hot keys, the others without.
constexpr UINT kOptions = 101;
constexpr UINT kSlots = 102;
constexpr UINT kPause = 103;
constexpr UINT kExit = 104;
constexpr int kOptionsIndex = 0;
constexpr int kFirstSeparatorIndex = 2;
constexpr int kPauseIndex = 3;

// A 16x16 icon of one opaque colour, so its square can be found in a drawing.
OwnedIcon SolidIcon(COLORREF colour) {
  const DWORD pixel =
      0xFF000000 | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  std::vector<DWORD> pixels(16 * 16, pixel);
  std::vector<BYTE> opaqueMask(2 * 16, 0);
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = CreateBitmap(16, 16, 1, 32, pixels.data());
  info.hbmMask = CreateBitmap(16, 16, 1, 1, opaqueMask.data());
  OwnedIcon icon(CreateIconIndirect(&info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return icon;
}

TEST(TrayMenuMargin, NameRunsUpwardsAboveTheIconAtTheFootAndBothScaleWithTheDpi) {
  const OwnedIcon icon = SolidIcon(kIconGreen);
  for (UINT dpi : {96u, 192u}) {
    SCOPED_TRACE(dpi);
    const int scale = static_cast<int>(dpi) / 96;
    const int width = 20 * scale;
    const int height = 300;
    Canvas canvas(width, height);
    DrawTrayMenuMargin(canvas.Dc(), {0, 0, width, height}, icon.get(), dpi);

    const RECT name = canvas.Bounds(canvas.All(), IsWhitish);
    ASSERT_LT(name.left, name.right) << "no white name";
    EXPECT_GT(name.bottom - name.top, 2 * (name.right - name.left)) << "not written upwards";
    EXPECT_LE(name.bottom, height - 25 * scale + 2);

    // The icon fills the square 2 pixels from the left and 4 above the foot,
    // and nothing else is green.
    const RECT square{2 * scale, height - 20 * scale, 18 * scale, height - 4 * scale};
    EXPECT_EQ(canvas.Count(square, Is(kIconGreen)), 16 * 16 * scale * scale);
    EXPECT_EQ(canvas.Count(canvas.All(), Is(kIconGreen)), 16 * 16 * scale * scale);
  }
}

// Right-aligned: the text moves with the item's right edge; the font and the
// offsets grow with the DPI.
TEST(TrayMenuItem, HotKeyTextEndsFivePixelsLeftOfTheRightEdgeAndTheTextScalesWithTheDpi) {
  const struct {
    int right;
    UINT dpi;
  } items[] = {{200, 96}, {300, 96}, {300, 192}};
  RECT ink[3];
  for (int i = 0; i < 3; ++i) {
    Canvas canvas(320, 60);
    const RECT item{0, 0, items[i].right, 60};
    DrawTrayMenuItem(canvas.Dc(), item, {.caption = L"Pause", .hotKeyText = L"Ctrl+F12"},
                     items[i].dpi);
    ink[i] = canvas.Bounds(item, IsDark);
    EXPECT_LT(ink[i].right - 1, items[i].right - 5);
  }
  EXPECT_GE(ink[0].right - 1, 200 - 5 - 3);
  EXPECT_EQ(ink[1].right - ink[0].right, 300 - 200);
  EXPECT_GE(ink[2].left, 30);
  EXPECT_GE(ink[2].top, 4);
  const double heightRatio =
      static_cast<double>(ink[2].bottom - ink[2].top) / (ink[1].bottom - ink[1].top);
  EXPECT_GT(heightRatio, 1.6);
  EXPECT_LT(heightRatio, 2.4);
}

MENUITEMINFOW ItemAt(const TTrayMenu& menu, int index) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
  GetMenuItemInfoW(menu.Handle(), static_cast<UINT>(index), TRUE, &info);
  return info;
}

DRAWITEMSTRUCT DrawRequest(const TTrayMenu& menu, int index, HDC dc, const RECT& rect) {
  const MENUITEMINFOW info = ItemAt(menu, index);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_MENU;
  item.itemID = info.wID;
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = reinterpret_cast<HWND>(menu.Handle());
  item.hDC = dc;
  item.rcItem = rect;
  item.itemData = info.dwItemData;
  return item;
}

SIZE Measure(TTrayMenu& menu, int index) {
  const MENUITEMINFOW info = ItemAt(menu, index);
  MEASUREITEMSTRUCT item{};
  item.CtlType = ODT_MENU;
  item.itemID = info.wID;
  item.itemData = info.dwItemData;
  EXPECT_TRUE(menu.MeasureItem(item));
  return {static_cast<LONG>(item.itemWidth), static_cast<LONG>(item.itemHeight)};
}

class TrayMenuTest : public ::testing::Test {
 protected:
  TrayCommand Command(UINT id, const wchar_t* caption, const std::wstring* hotKey = nullptr) {
    return {id, caption, [this, id] { ran_.push_back(id); },
            hotKey ? std::function<std::wstring()>([hotKey] { return *hotKey; }) : nullptr};
  }

  // The owner hands the menu its measure and draw requests and the chosen
  // command, as the main window does, and notes what the tests look at.
  bool OwnerHandles(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_MEASUREITEM:
        return menu_.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      case WM_DRAWITEM:
        return menu_.DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
      case WM_ENTERIDLE:
        if (wParam == MSGF_MENU && onMenuIdle_)
          std::exchange(onMenuIdle_, nullptr)(reinterpret_cast<HWND>(lParam));
        return true;
      case WM_COMMAND:
        commands_.push_back(LOWORD(wParam));
        menu_.Run(LOWORD(wParam));
        return true;
      case WM_NULL:
        ++emptyMessages_;
        return true;
      case WM_APP:
      case WM_ENTERMENULOOP:
        ownerEvents_.push_back(message);
    }
    return false;
  }

  OwnerWindow owner_{[this](UINT message, WPARAM wParam, LPARAM lParam) {
    return OwnerHandles(message, wParam, lParam);
  }};
  // Runs once, when the open menu first waits for input; gets the menu window.
  std::function<void(HWND)> onMenuIdle_;
  std::vector<UINT> commands_;
  int emptyMessages_ = 0;
  // WM_APP as it is handled, and WM_ENTERMENULOOP as a menu's loop begins.
  std::vector<UINT> ownerEvents_;
  OwnedIcon icon_ = SolidIcon(kIconGreen);
  std::wstring optionsHotKey_ = L"Ctrl+F11";
  std::wstring stopHotKey_ = L"Ctrl+F12";
  // The commands run, in order.
  std::vector<UINT> ran_;
  // Stands in for the program's pump.
  int pumpRuns_ = 0;
  TTrayMenu menu_{
      owner_.Handle(),
      icon_.get(),
      {Command(kOptions, L"Options...", &optionsHotKey_),
       Command(kSlots, L"Configure Voice Slots..."), TraySeparator(),
       Command(kPause, kPauseCaption, &stopHotKey_), TraySeparator(), Command(kExit, L"Exit")},
      [this] {
        ++pumpRuns_;
        PumpMessages();
      }};
};

// The text is asked for whenever the item is drawn, so an edited hot key
// shows at once.
TEST_F(TrayMenuTest, OnlyCommandsWithAHotKeyShowItAsItIsWhenDrawn) {
  const int width = 300;
  // Right of the longest caption.
  const RECT hotKeyArea{width - 100, 0, width, 20};
  LONG pauseHotKeyLeft = 0;
  for (int index = 0; index < GetMenuItemCount(menu_.Handle()); ++index) {
    SCOPED_TRACE(index);
    Canvas canvas(width, 20);
    menu_.DrawItem(DrawRequest(menu_, index, canvas.Dc(), {0, 0, width, 20}));
    EXPECT_EQ(canvas.Count(hotKeyArea, IsDark) > 0, index == kOptionsIndex || index == kPauseIndex);
    if (index == kPauseIndex) pauseHotKeyLeft = canvas.Bounds(hotKeyArea, IsDark).left;
  }
  // Edited in the options window: the next drawing shows the new text.
  stopHotKey_ = L"Ctrl+Shift+F12";
  Canvas canvas(width, 20);
  menu_.DrawItem(DrawRequest(menu_, kPauseIndex, canvas.Dc(), {0, 0, width, 20}));
  EXPECT_LT(canvas.Bounds(hotKeyArea, IsDark).left, pauseHotKeyLeft - 20);
}

TEST_F(TrayMenuTest, LeavesOtherOwnerDrawnRequestsAlone) {
  MEASUREITEMSTRUCT button{};
  button.CtlType = ODT_BUTTON;
  EXPECT_FALSE(menu_.MeasureItem(button));
  MEASUREITEMSTRUCT otherMenuItem{};
  otherMenuItem.CtlType = ODT_MENU;
  otherMenuItem.itemData = 12345;
  EXPECT_FALSE(menu_.MeasureItem(otherMenuItem));

  Canvas canvas(100, 20);
  HMENU otherMenu = CreatePopupMenu();
  DRAWITEMSTRUCT request = DrawRequest(menu_, kOptionsIndex, canvas.Dc(), {0, 0, 100, 20});
  request.hwndItem = reinterpret_cast<HWND>(otherMenu);
  EXPECT_FALSE(menu_.DrawItem(request));
  DestroyMenu(otherMenu);
  EXPECT_EQ(canvas.Count(canvas.All(), Is(kUntouched)), 100 * 20);
}

TEST_F(TrayMenuTest, MeasuredItemHoldsItsCaptionAndHotKeyRightOfTheBand) {
  ASSERT_EQ(WindowDpi(owner_.Handle()), 96u);
  optionsHotKey_ = L"Ctrl+Shift+F11";
  const SIZE separator = Measure(menu_, kFirstSeparatorIndex);
  // The menu font's "-" is far less than 18 pixels high: the minimum holds.
  EXPECT_EQ(separator.cy, 9);

  const SIZE options = Measure(menu_, kOptionsIndex);
  EXPECT_GE(options.cy, GetSystemMetrics(SM_CYMENU) - 2);
  Canvas canvas(options.cx, options.cy);
  menu_.DrawItem(DrawRequest(menu_, kOptionsIndex, canvas.Dc(), canvas.All()));
  const RECT item{21, 0, options.cx, options.cy};
  const RECT ink = canvas.Bounds(item, IsDark);
  EXPECT_GE(ink.left, 21 + 15);
  EXPECT_LE(ink.right, options.cx - 5);
  EXPECT_LE(ink.bottom, options.cy);
  // Caption and hot key text are apart: a run of empty columns lies between.
  int longestGap = 0;
  for (int run = 0, x = ink.left; x < ink.right; ++x) {
    run = canvas.Count({x, ink.top, x + 1, ink.bottom}, IsDark) > 0 ? 0 : run + 1;
    longestGap = std::max(longestGap, run);
  }
  EXPECT_GE(longestGap, 8);

  // A longer caption is measured anew.
  const LONG pauseWidth = Measure(menu_, kPauseIndex).cx;
  menu_.SetCaption(kPause, kResumeCaption);
  EXPECT_EQ(menu_.Caption(kPause), L"Resume");
  EXPECT_GT(Measure(menu_, kPauseIndex).cx, pauseWidth);
}

// Where drop-down menus open right-aligned, the menu opens left of its point.
// The messages waiting as it opens go to the program's pump before the menu's
// loop begins; the owner hands the chosen identifier back to the menu, which
// runs that command, and a double click on the icon runs the first.
TEST_F(TrayMenuTest, PopupPlacesItselfPumpsFirstAndRunsTheChosenCommand) {
  const BOOL before = GetSystemMetrics(SM_MENUDROPALIGNMENT);
  const POINT at{400, 300};
  for (BOOL rightAligned : {FALSE, TRUE}) {
    SCOPED_TRACE(rightAligned);
    SystemParametersInfoW(SPI_SETMENUDROPALIGNMENT, static_cast<UINT>(rightAligned), nullptr, 0);
    ASSERT_EQ(GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0, rightAligned != FALSE);
    RECT placed{};
    int pumpRunsWhenOpen = -1;
    onMenuIdle_ = [&](HWND menuWindow) {
      GetWindowRect(menuWindow, &placed);
      pumpRunsWhenOpen = pumpRuns_;
      // Two items down is "Configure Voice Slots...".
      PostMessageW(owner_.Handle(), WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(owner_.Handle(), WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(owner_.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    };
    // Waiting like the activation that bringing the owner forward causes.
    PostMessageW(owner_.Handle(), WM_APP, 0, 0);
    const int pumpRunsBefore = pumpRuns_;
    ownerEvents_.clear();
    commands_.clear();
    menu_.Popup(at);
    ASSERT_TRUE(PumpUntil([&] { return !commands_.empty() && emptyMessages_ > 0; }));
    emptyMessages_ = 0;
    EXPECT_EQ(pumpRunsWhenOpen, pumpRunsBefore + 1);
    EXPECT_EQ(ownerEvents_, (std::vector<UINT>{WM_APP, WM_ENTERMENULOOP}));
    EXPECT_EQ(commands_, std::vector<UINT>{kSlots});
    ASSERT_LT(placed.left, placed.right);
    EXPECT_EQ(rightAligned ? placed.right : placed.left, at.x);
  }
  SystemParametersInfoW(SPI_SETMENUDROPALIGNMENT, static_cast<UINT>(before), nullptr, 0);

  // Not the menu's: a separator's, or another window's command.
  EXPECT_FALSE(menu_.Run(0) || menu_.Run(kExit + 1));
  EXPECT_TRUE(menu_.Run(menu_.DefaultCommand()));
  EXPECT_EQ(ran_, (std::vector<UINT>{kSlots, kSlots, kOptions}));
}

}  // namespace
