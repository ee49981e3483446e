// The tray menu: its items, and its drawing checked pixel by pixel in bitmaps
// and in the real menu window.
#include "ui/tray_menu.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/dpi.h"
#include "base/window_thunk.h"
#include "tests/support/canvas.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_class.h"
#include "ui/ui_resources.h"

namespace {

constexpr COLORREF kBandTop = RGB(122, 150, 223);
constexpr COLORREF kBandBottom = RGB(49, 106, 197);
constexpr COLORREF kHighlight = RGB(49, 106, 197);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kSeparatorLine = RGB(192, 192, 192);
constexpr COLORREF kIconGreen = RGB(0, 200, 0);

constexpr int kOptionsIndex = 0;
constexpr int kFirstSeparatorIndex = 4;
constexpr int kPauseIndex = 5;
constexpr int kHelpIndex = 7;

// A 16x16 icon of one opaque colour, so its square can be found in a drawing.
class SolidIcon {
 public:
  explicit SolidIcon(COLORREF colour) {
    const DWORD pixel =
        0xFF000000 | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    std::vector<DWORD> pixels(16 * 16, pixel);
    std::vector<BYTE> opaqueMask(2 * 16, 0);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = CreateBitmap(16, 16, 1, 32, pixels.data());
    info.hbmMask = CreateBitmap(16, 16, 1, 1, opaqueMask.data());
    icon_ = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  ~SolidIcon() { DestroyIcon(icon_); }
  SolidIcon(const SolidIcon&) = delete;
  SolidIcon& operator=(const SolidIcon&) = delete;

  HICON Handle() const { return icon_; }

 private:
  HICON icon_;
};

TrayMenuItemLook Look(const std::wstring& caption) {
  TrayMenuItemLook look;
  look.caption = caption;
  return look;
}

TrayMenuItemLook Selected(TrayMenuItemLook look) {
  look.selected = true;
  return look;
}

TrayMenuItemLook Disabled(TrayMenuItemLook look) {
  look.disabled = true;
  return look;
}

TrayMenuItemLook WithHotKey(TrayMenuItemLook look, const std::wstring& hotKeyText) {
  look.hotKeyText = hotKeyText;
  return look;
}

}  // namespace

TEST(TrayMenuMargin, GradientRunsFromLightBlueAtTheTopToDarkBlueAtTheFoot) {
  SolidIcon icon(kIconGreen);
  // Lower and higher than the 255 gradient steps, and high enough to leave rows over.
  for (int height : {100, 300, 600}) {
    SCOPED_TRACE(height);
    Canvas canvas(20, height);
    DrawTrayMenuMargin(canvas.Dc(), {0, 0, 20, height}, icon.Handle(), 96);
    // The right edge of the band, away from the name and the icon.
    const int x = 19;
    EXPECT_TRUE(IsNear(canvas.Pixel(x, 0), kBandTop, 1));
    EXPECT_EQ(canvas.Pixel(x, height - 1), kBandBottom);
    for (int y = height - 4; y < height - 1; ++y)
      EXPECT_TRUE(IsNear(canvas.Pixel(x, y), kBandBottom, 2));
    const COLORREF middle = canvas.Pixel(x, height / 2);
    EXPECT_GT(GetRValue(middle), GetRValue(kBandBottom));
    EXPECT_LT(GetRValue(middle), GetRValue(kBandTop));
    // Every channel of the bottom colour is lower: going down, none rises.
    for (int y = 1; y < height; ++y) {
      const COLORREF above = canvas.Pixel(x, y - 1);
      const COLORREF here = canvas.Pixel(x, y);
      ASSERT_LE(GetRValue(here), GetRValue(above)) << y;
      ASSERT_LE(GetGValue(here), GetGValue(above)) << y;
      ASSERT_LE(GetBValue(here), GetBValue(above)) << y;
    }
  }
}

TEST(TrayMenuMargin, NameRunsUpwardsAboveTheIconAtTheFootAndBothScaleWithTheDpi) {
  SolidIcon icon(kIconGreen);
  for (UINT dpi : {96u, 192u}) {
    SCOPED_TRACE(dpi);
    const int scale = static_cast<int>(dpi) / 96;
    const int width = 20 * scale;
    const int height = 300;
    Canvas canvas(width, height);
    DrawTrayMenuMargin(canvas.Dc(), {0, 0, width, height}, icon.Handle(), dpi);

    const RECT name = canvas.Bounds(canvas.All(), IsWhitish);
    ASSERT_LT(name.left, name.right) << "no white name";
    EXPECT_GT(name.bottom - name.top, 2 * (name.right - name.left)) << "not written upwards";
    EXPECT_LE(name.bottom, height - 25 * scale + 2);
    EXPECT_GE(name.left, 0);

    // The icon fills the square 2 pixels from the left and 4 above the foot.
    const RECT square{2 * scale, height - 20 * scale, 18 * scale, height - 4 * scale};
    const RECT green = canvas.Bounds(canvas.All(), Is(kIconGreen));
    EXPECT_EQ(green.left, square.left);
    EXPECT_EQ(green.top, square.top);
    EXPECT_EQ(green.right, square.right);
    EXPECT_EQ(green.bottom, square.bottom);
    EXPECT_EQ(canvas.Count(square, Is(kIconGreen)), 16 * 16 * scale * scale);
  }
}

TEST(TrayMenuItem, PlainItemIsBlackOnWhiteAndTheHighlightedOneWhiteOnBlue) {
  const RECT item{0, 0, 150, 20};
  // Caption starts 15 pixels right and 2 below the item's corner.
  const RECT left{0, 0, 15, 20};
  const RECT top{0, 0, 150, 2};
  {
    Canvas canvas(150, 20);
    DrawTrayMenuItem(canvas.Dc(), item, Look(L"Exit"), 96);
    EXPECT_EQ(canvas.Pixel(149, 19), kWhite);
    EXPECT_GT(canvas.Count(item, IsDark), 0);
    EXPECT_EQ(canvas.Count(left, IsDark) + canvas.Count(top, IsDark), 0);
    EXPECT_EQ(canvas.Count(item, Is(kUntouched)), 0);
  }
  {
    Canvas canvas(150, 20);
    DrawTrayMenuItem(canvas.Dc(), item, Selected(Look(L"Exit")), 96);
    EXPECT_EQ(canvas.Pixel(149, 19), kHighlight);
    EXPECT_GT(canvas.Count(item, IsWhitish), 0);
    EXPECT_EQ(canvas.Count(left, IsWhitish) + canvas.Count(top, IsWhitish), 0);
    EXPECT_EQ(canvas.Count(item, IsDark), 0);
  }
}

TEST(TrayMenuItem, DisabledCaptionIsGreyAlsoWhenHighlighted) {
  const RECT item{0, 0, 150, 20};
  for (bool selected : {false, true}) {
    SCOPED_TRACE(selected);
    Canvas canvas(150, 20);
    TrayMenuItemLook look = Disabled(Look(L"Exit"));
    look.selected = selected;
    DrawTrayMenuItem(canvas.Dc(), item, look, 96);
    EXPECT_GT(canvas.Count(item, Is(kGrey)), 0);
    EXPECT_EQ(canvas.Count(item, Is(kBlack)), 0);
    // Not the white of highlighted text either.
    if (selected) {
      EXPECT_EQ(canvas.Count(item, IsWhitish), 0);
    }
  }
}

TEST(TrayMenuItem, SeparatorIsOneGreyLineOnTheRoundedMiddleRowWithNoText) {
  struct Case {
    int top, bottom, row;
  };
  // Halves go to the even row: 4.5 -> 4, 5.5 -> 6, 6.5 -> 6, 7.5 -> 8.
  for (const Case& separator :
       {Case{0, 9, 4}, Case{1, 10, 6}, Case{2, 11, 6}, Case{3, 12, 8}, Case{0, 10, 5}}) {
    SCOPED_TRACE(separator.top);
    Canvas canvas(60, 20);
    const RECT item{10, separator.top, 50, separator.bottom};
    // A hot key text must not bring text into a separator either.
    DrawTrayMenuItem(canvas.Dc(), item, WithHotKey(Look(L"-"), L"Ctrl+F12"), 96);
    const RECT line{10, separator.row, 50, separator.row + 1};
    EXPECT_EQ(canvas.Count(line, Is(kSeparatorLine)), 40);
    EXPECT_EQ(canvas.Count(item, Is(kWhite)), 40 * (separator.bottom - separator.top - 1));
    // Nothing outside the item.
    EXPECT_EQ(canvas.Pixel(9, separator.row), kUntouched);
    EXPECT_EQ(canvas.Pixel(50, separator.row), kUntouched);
  }
}

TEST(TrayMenuItem, BoldCaptionCarriesMoreInkThanTheRegularOne) {
  const RECT item{0, 0, 150, 20};
  Canvas regular(150, 20);
  Canvas bold(150, 20);
  TrayMenuItemLook look = Look(L"Options...");
  DrawTrayMenuItem(regular.Dc(), item, look, 96);
  look.bold = true;
  DrawTrayMenuItem(bold.Dc(), item, look, 96);
  EXPECT_GT(bold.Count(item, IsDark), regular.Count(item, IsDark) * 11 / 10);
}

TEST(TrayMenuItem, HotKeyTextEndsFivePixelsLeftOfTheRightEdge) {
  int rightmost[2] = {};
  const int rights[2] = {200, 300};
  for (int i = 0; i < 2; ++i) {
    Canvas canvas(320, 20);
    const RECT item{0, 0, rights[i], 20};
    DrawTrayMenuItem(canvas.Dc(), item, WithHotKey(Look(L"Pause"), L"Ctrl+F12"), 96);
    rightmost[i] = canvas.Bounds(item, IsDark).right - 1;
    EXPECT_LT(rightmost[i], rights[i] - 5);
    EXPECT_GE(rightmost[i], rights[i] - 5 - 3);
  }
  // Right-aligned: the text moves with the item's right edge.
  EXPECT_EQ(rightmost[1] - rightmost[0], rights[1] - rights[0]);
}

TEST(TrayMenuItem, FontAndOffsetsScaleWithTheDpi) {
  RECT ink[2];
  const UINT dpis[2] = {96, 192};
  for (int i = 0; i < 2; ++i) {
    Canvas canvas(300, 60);
    DrawTrayMenuItem(canvas.Dc(), canvas.All(), Look(L"Exit"), dpis[i]);
    ink[i] = canvas.Bounds(canvas.All(), IsDark);
  }
  EXPECT_GE(ink[1].left, 30);
  EXPECT_GE(ink[1].top, 4);
  const double heightRatio =
      static_cast<double>(ink[1].bottom - ink[1].top) / (ink[0].bottom - ink[0].top);
  EXPECT_GT(heightRatio, 1.6);
  EXPECT_LT(heightRatio, 2.4);
}

namespace {

// The window owning the menu, as the main window does: it hands the menu its
// measure and draw requests and records the commands and empty messages.
class MenuOwner {
 public:
  MenuOwner() {
    RegisterWindowClass(L"TrayMenuTestOwner", WindowThunk<MenuOwner>);
    CreateWindowExW(0, L"TrayMenuTestOwner", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                    GetModuleHandleW(nullptr), this);
  }
  ~MenuOwner() { DestroyWindow(handle_); }
  MenuOwner(const MenuOwner&) = delete;
  MenuOwner& operator=(const MenuOwner&) = delete;

  HWND Handle() const { return handle_; }
  void Attach(HWND handle) { handle_ = handle; }
  void SetMenu(TTrayMenu* menu) { menu_ = menu; }
  // Runs once, when the open menu first waits for input; gets the menu window.
  void OnMenuIdle(std::function<void(HWND)> action) { onMenuIdle_ = std::move(action); }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_MEASUREITEM:
        if (menu_ && menu_->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
        break;
      case WM_DRAWITEM:
        if (menu_ && menu_->DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
      case WM_ENTERIDLE:
        if (wParam == MSGF_MENU && onMenuIdle_)
          std::exchange(onMenuIdle_, nullptr)(reinterpret_cast<HWND>(lParam));
        return 0;
      case WM_COMMAND:
        commands.push_back(LOWORD(wParam));
        return 0;
      case WM_NULL:
        ++emptyMessages;
        return 0;
      case WM_APP:
      case WM_ENTERMENULOOP:
        events.push_back(message);
        break;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
  }

  std::vector<UINT> commands;
  int emptyMessages = 0;
  // WM_APP as it is handled, and WM_ENTERMENULOOP as a menu's loop begins.
  std::vector<UINT> events;

 private:
  HWND handle_ = nullptr;
  TTrayMenu* menu_ = nullptr;
  std::function<void(HWND)> onMenuIdle_;
};

MENUITEMINFOW ItemAt(const TTrayMenu& menu, int index) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
  GetMenuItemInfoW(menu.Handle(), static_cast<UINT>(index), TRUE, &info);
  return info;
}

DRAWITEMSTRUCT DrawRequest(const TTrayMenu& menu, int index, HDC dc, const RECT& rect,
                           UINT action = ODA_DRAWENTIRE, UINT state = 0) {
  const MENUITEMINFOW info = ItemAt(menu, index);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_MENU;
  item.itemID = info.wID;
  item.itemAction = action;
  item.itemState = state;
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
  std::wstring HotKeyText(UINT command) const {
    return command == IDM_TRAY_OPTIONS ? optionsHotKey_ : stopHotKey_;
  }

  MenuOwner owner_;
  SolidIcon icon_{kIconGreen};
  std::wstring optionsHotKey_ = L"Ctrl+F11";
  std::wstring stopHotKey_ = L"Ctrl+F12";
  // Stands in for the program's pump.
  int pumpRuns_ = 0;
  TTrayMenu menu_{owner_.Handle(), icon_.Handle(),
                  [this](UINT command) { return HotKeyText(command); },
                  [this] {
                    ++pumpRuns_;
                    PumpMessages();
                  }};
};

}  // namespace

TEST(TrayMenuPopupFlags, TheMenuOpensRightAlignedWhereDropDownMenusDo) {
  const UINT horizontal = TPM_LEFTALIGN | TPM_CENTERALIGN | TPM_RIGHTALIGN;
  EXPECT_EQ(TrayMenuPopupFlags(0) & horizontal, static_cast<UINT>(TPM_LEFTALIGN));
  EXPECT_EQ(TrayMenuPopupFlags(1) & horizontal, static_cast<UINT>(TPM_RIGHTALIGN));
  // Either way, the right mouse button chooses items too.
  EXPECT_NE(TrayMenuPopupFlags(0) & TPM_RIGHTBUTTON, 0u);
  EXPECT_NE(TrayMenuPopupFlags(1) & TPM_RIGHTBUTTON, 0u);
}

TEST_F(TrayMenuTest, HoldsTheThirteenOwnerDrawnItemsInOrder) {
  struct Expected {
    UINT command;
    const wchar_t* caption;
  };
  const Expected expected[] = {
      {IDM_TRAY_OPTIONS, L"Options..."},
      {IDM_TRAY_VOICE_SLOTS, L"Configure Voice Slots..."},
      {IDM_TRAY_ADDITIONAL_VOICES, L"Additional voices..."},
      {IDM_TRAY_MORE_VOICES, L"Get more quality voices now!"},
      {0, nullptr},
      {IDM_TRAY_PAUSE_RESUME, L"Pause"},
      {0, nullptr},
      {IDM_TRAY_HELP, L"Help"},
      {IDM_TRAY_TUTORIAL, L"Tutorial"},
      {IDM_TRAY_WEBSITE, L"Official Website"},
      {IDM_TRAY_ABOUT, L"About..."},
      {0, nullptr},
      {IDM_TRAY_EXIT, L"Exit"},
  };
  ASSERT_EQ(GetMenuItemCount(menu_.Handle()), 13);
  for (int index = 0; index < 13; ++index) {
    SCOPED_TRACE(index);
    const MENUITEMINFOW info = ItemAt(menu_, index);
    EXPECT_NE(info.fType & MFT_OWNERDRAW, 0u);
    const bool separator = expected[index].caption == nullptr;
    EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, separator);
    EXPECT_EQ(info.wID, expected[index].command);
    if (!separator) {
      EXPECT_EQ(menu_.Caption(info.wID), expected[index].caption);
    }
  }
  EXPECT_EQ(menu_.DefaultCommand(), static_cast<UINT>(IDM_TRAY_OPTIONS));
  EXPECT_EQ(GetMenuDefaultItem(menu_.Handle(), FALSE, 0), static_cast<UINT>(IDM_TRAY_OPTIONS));
}

TEST_F(TrayMenuTest, PauseItemDrawsItsNewCaptionWithThePauseHotKey) {
  menu_.SetCaption(IDM_TRAY_PAUSE_RESUME, kResumeCaption);
  EXPECT_EQ(menu_.Caption(IDM_TRAY_PAUSE_RESUME), L"Resume");
  stopHotKey_ = L"Shift+F9";  // edited in the options window, read when drawing

  const RECT item{0, 0, 200, 20};
  Canvas drawn(200, 20);
  ASSERT_TRUE(
      menu_.DrawItem(DrawRequest(menu_, kPauseIndex, drawn.Dc(), item, ODA_SELECT, ODS_SELECTED)));
  Canvas expected(200, 20);
  DrawTrayMenuItem(expected.Dc(), {21, 0, 200, 20},
                   Selected(WithHotKey(Look(L"Resume"), L"Shift+F9")), 96);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 200; ++x)
      ASSERT_EQ(drawn.Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
  }
}

TEST_F(TrayMenuTest, OnlyOptionsAndPauseShowAHotKey) {
  const int width = 300;
  for (int index = 0; index < 13; ++index) {
    SCOPED_TRACE(index);
    Canvas canvas(width, 20);
    menu_.DrawItem(DrawRequest(menu_, index, canvas.Dc(), {0, 0, width, 20}));
    const bool hasHotKey = index == kOptionsIndex || index == kPauseIndex;
    // Right of the longest caption.
    EXPECT_EQ(canvas.Count({width - 60, 0, width, 20}, IsDark) > 0, hasHotKey);
  }
}

TEST_F(TrayMenuTest, BandIsDrawnBesideTheItemOnlyWhenTheWholeItemIs) {
  const RECT item{0, 0, 200, 20};
  Canvas highlighted(200, 20);
  menu_.DrawItem(DrawRequest(menu_, kHelpIndex, highlighted.Dc(), item, ODA_SELECT, ODS_SELECTED));
  EXPECT_EQ(highlighted.Count({0, 0, 21, 20}, Is(kUntouched)), 21 * 20);
  EXPECT_EQ(highlighted.Pixel(21, 10), kHighlight);

  // A bitmap has no menu window: the band spans the item's own height.
  Canvas whole(200, 20);
  menu_.DrawItem(DrawRequest(menu_, kHelpIndex, whole.Dc(), item));
  EXPECT_TRUE(IsNear(whole.Pixel(19, 0), kBandTop, 1));
  EXPECT_EQ(whole.Pixel(19, 19), kBandBottom);
  // The column between the band and the item is not the menu's to draw.
  EXPECT_EQ(whole.Count({20, 0, 21, 20}, Is(kUntouched)), 20);
  EXPECT_EQ(whole.Pixel(21, 10), kWhite);
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
  const std::vector<bool> columns = canvas.InkedColumns(ink, IsDark);
  int longestGap = 0;
  for (int run = 0, x = 0; x < static_cast<int>(columns.size()); ++x) {
    run = columns[static_cast<size_t>(x)] ? 0 : run + 1;
    longestGap = std::max(longestGap, run);
  }
  EXPECT_GE(longestGap, 8);

  // A longer caption is measured anew.
  const LONG pauseWidth = Measure(menu_, kPauseIndex).cx;
  menu_.SetCaption(IDM_TRAY_PAUSE_RESUME, kResumeCaption);
  EXPECT_GT(Measure(menu_, kPauseIndex).cx, pauseWidth);
}

TEST_F(TrayMenuTest, PopupDrawsTheMenuWindowAndSendsTheChosenCommandToTheOwner) {
  owner_.SetMenu(&menu_);
  // The right edge of the band, from a tenth of the window's height down to
  // just above the icon.
  std::vector<COLORREF> band;
  owner_.OnMenuIdle([&](HWND menuWindow) {
    RECT client{};
    GetClientRect(menuWindow, &client);
    HDC dc = GetDC(menuWindow);
    for (int y = client.bottom / 10; y < client.bottom - 24; ++y)
      band.push_back(GetPixel(dc, 19, y));
    ReleaseDC(menuWindow, dc);
    // The first item down is "Options...".
    PostMessageW(owner_.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(owner_.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  });
  menu_.Popup({300, 200});
  ASSERT_TRUE(PumpUntil([&] { return !owner_.commands.empty() && owner_.emptyMessages > 0; }));
  EXPECT_EQ(owner_.commands, std::vector<UINT>{IDM_TRAY_OPTIONS});

  // One gradient over the whole menu window, not one per item: it darkens all
  // the way down and spans nearly the whole range of colours.
  ASSERT_GT(band.size(), 100u);
  EXPECT_TRUE(IsNear(band.front(), kBandTop, 10));
  EXPECT_TRUE(IsNear(band.back(), kBandBottom, 16));
  for (size_t y = 1; y < band.size(); ++y)
    ASSERT_LE(GetRValue(band[y]), GetRValue(band[y - 1])) << y;
}

TEST_F(TrayMenuTest, PopupHandsTheWaitingMessagesToTheProgramsPumpBeforeTheMenuLoopBegins) {
  owner_.SetMenu(&menu_);
  int pumpRunsWhenOpen = -1;
  owner_.OnMenuIdle([&](HWND) {
    pumpRunsWhenOpen = pumpRuns_;
    EndMenu();
  });
  // Waiting like the activation that bringing the owner forward causes.
  PostMessageW(owner_.Handle(), WM_APP, 0, 0);
  menu_.Popup({300, 200});
  ASSERT_TRUE(PumpUntil([&] { return owner_.emptyMessages > 0; }));
  EXPECT_EQ(pumpRunsWhenOpen, 1);
  EXPECT_EQ(owner_.events, (std::vector<UINT>{WM_APP, WM_ENTERMENULOOP}));
}

TEST_F(TrayMenuTest, PopupOpensLeftOfItsPointWhereDropDownMenusOpenRightAligned) {
  owner_.SetMenu(&menu_);
  const BOOL before = GetSystemMetrics(SM_MENUDROPALIGNMENT);
  const POINT at{400, 300};
  for (BOOL rightAligned : {FALSE, TRUE}) {
    SCOPED_TRACE(rightAligned);
    SystemParametersInfoW(SPI_SETMENUDROPALIGNMENT, static_cast<UINT>(rightAligned), nullptr, 0);
    ASSERT_EQ(GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0, rightAligned != FALSE);
    RECT placed{};
    owner_.OnMenuIdle([&](HWND menuWindow) {
      GetWindowRect(menuWindow, &placed);
      EndMenu();
    });
    menu_.Popup(at);
    ASSERT_TRUE(PumpUntil([&] { return owner_.emptyMessages > 0; }));
    owner_.emptyMessages = 0;
    ASSERT_LT(placed.left, placed.right);
    if (rightAligned) {
      EXPECT_EQ(placed.right, at.x);
    } else {
      EXPECT_EQ(placed.left, at.x);
    }
  }
  SystemParametersInfoW(SPI_SETMENUDROPALIGNMENT, static_cast<UINT>(before), nullptr, 0);
}
