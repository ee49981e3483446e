// The owner-drawn voice list in a real list box: measuring, hover, clicks and
// the selection reports that drawing makes.
#include "ui/voice_list.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "base/gdi.h"
#include "base/window_thunk.h"
#include "tests/support/list_box_mouse.h"
#include "tests/support/window_class.h"

namespace {

constexpr wchar_t kLongName[] =
    L"Microsoft Speech Recognition and Synthesis Voice Number Two - English (Great Britain)";

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

TEXTMETRICW FontMetrics(HDC dc, HFONT font) {
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  return metrics;
}

using Changes = std::vector<std::pair<int, int>>;

// A popup window holding one voice list the way the options window does: it
// passes on the list's measuring and drawing and records what the list reports.
class ListHost {
 public:
  ListHost() {
    RegisterWindowClass(L"VoiceListHost", WindowThunk<ListHost>);
    CreateWindowExW(WS_EX_TOOLWINDOW, L"VoiceListHost", L"", WS_POPUP, 0, 0, 220, 200, nullptr,
                    nullptr, GetModuleHandleW(nullptr), this);
    HWND list =
        CreateWindowExW(0, L"LISTBOX", L"",
                        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWVARIABLE |
                            LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                        0, 0, 180, 160, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    list_.Attach(
        list, [this](int oldIndex, int newIndex) { changes.emplace_back(oldIndex, newIndex); },
        [this] { selectionAtClicks.push_back(list_.ItemIndex()); });
  }
  ~ListHost() { DestroyWindow(window_); }
  ListHost(const ListHost&) = delete;
  ListHost& operator=(const ListHost&) = delete;

  void Attach(HWND window) { window_ = window; }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MEASUREITEM &&
        list_.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
      return TRUE;
    if (message == WM_DRAWITEM && list_.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
      return TRUE;
    return DefWindowProcW(window_, message, wParam, lParam);
  }

  TVoiceList& List() { return list_; }
  HWND ListHandle() const { return list_.Handle(); }
  void Show() const { ShowWindow(window_, SW_SHOWNOACTIVATE); }
  void Hide() const { ShowWindow(window_, SW_HIDE); }
  // Paints whatever the list has to paint now, as the message loop would.
  void Redraw() const {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  int ItemHeight(int index) const {
    return static_cast<int>(SendMessageW(ListHandle(), LB_GETITEMHEIGHT, index, 0));
  }
  void MouseTo(POINT point) const { SendMouse(ListHandle(), WM_MOUSEMOVE, point); }
  void MouseTo(int index) const { MouseTo(ItemMiddle(ListHandle(), index)); }

  Changes changes;
  std::vector<int> selectionAtClicks;

 private:
  HWND window_ = nullptr;
  TVoiceList list_;
};

}  // namespace

// On a monitor of twice the DPI the dialog manager gives the list a font of
// twice the height: the items are measured anew, with margins twice as wide.
TEST(VoiceList, ItemsAreReplacedAtOnceAndMeasuredByTheirWrappedTextAndTheDpi) {
  LOGFONTW logFont{};
  GetObjectW(GuiFont(), sizeof logFont, &logFont);
  logFont.lfHeight *= 2;
  logFont.lfWidth = 0;
  OwnedFont bigFont = MakeFont(logFont);
  HDC screen = GetDC(nullptr);
  const int smallText = FontMetrics(screen, GuiFont()).tmHeight;
  const int bigText = FontMetrics(screen, bigFont.get()).tmHeight;
  ReleaseDC(nullptr, screen);
  ASSERT_GT(bigText, smallText);

  ListHost host;
  TVoiceList& list = host.List();
  list.SetItems({L"Old"});
  list.SetItems({L"Anna", kLongName, L"Bert"});
  list.AddItem(L"Carl (SAPI5)");
  EXPECT_EQ(list.Items(),
            (std::vector<std::wstring>{L"Anna", kLongName, L"Bert", L"Carl (SAPI5)"}));
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Item(3), L"Carl (SAPI5)");
  EXPECT_EQ(list.ItemIndex(), -1);
  // One line of text with 2 pixels above and below it at 96 DPI.
  EXPECT_EQ(host.ItemHeight(0), smallText + 2 * 2);
  EXPECT_EQ(host.ItemHeight(2), smallText + 2 * 2);
  EXPECT_GT(host.ItemHeight(1), 2 * host.ItemHeight(0))
      << "the long name wraps onto three lines or more";

  SendMessageW(host.ListHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(bigFont.get()), FALSE);
  list.SetDpi(192);
  EXPECT_EQ(host.ItemHeight(0), bigText + 2 * 4);
  EXPECT_EQ(host.ItemHeight(2), bigText + 2 * 4);
  // An item added later is measured the same way.
  list.AddItem(L"Dora");
  EXPECT_EQ(host.ItemHeight(4), bigText + 2 * 4);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(VoiceList, ASelectionMovedWhileHiddenIsReportedWhenDrawnAndTheMouseClicksBeforeItMovesIt) {
  ListHost host;
  host.List().SetItems({L"Anna", L"Bert", L"Carl"});
  host.List().SetItemIndex(2);
  host.Redraw();
  EXPECT_TRUE(host.changes.empty());
  host.Show();
  host.Redraw();
  EXPECT_EQ(host.changes, (Changes{{-1, 2}}));

  host.Hide();
  host.List().SetItemIndex(0);
  host.Redraw();
  EXPECT_EQ(host.changes.size(), 1u);
  host.Show();
  host.Redraw();
  EXPECT_EQ(host.changes, (Changes{{-1, 2}, {2, 0}}));
  // Drawing again with the same selection reports nothing.
  host.Redraw();
  EXPECT_EQ(host.changes.size(), 2u);

  // Keys move the selection without a click; the mouse clicks before it
  // moves it.
  SendMessageW(host.ListHandle(), WM_KEYDOWN, VK_DOWN, 0);
  host.Redraw();
  EXPECT_EQ(host.List().ItemIndex(), 1);
  EXPECT_EQ(host.changes.back(), std::make_pair(0, 1));
  EXPECT_TRUE(host.selectionAtClicks.empty());

  ClickListItem(host.ListHandle(), 2);
  host.Redraw();
  EXPECT_EQ(host.List().ItemIndex(), 2);
  EXPECT_EQ(host.selectionAtClicks, std::vector<int>{1});
  EXPECT_EQ(host.changes.back(), std::make_pair(1, 2));
}

// The item under the mouse is the hot one until the mouse leaves; the empty
// space below the items is no item.
TEST(VoiceList, TheItemUnderTheMouseIsHotUntilTheMouseLeaves) {
  ListHost host;
  host.List().SetItems({L"Anna", L"Bert", L"Carl"});
  host.Show();
  host.MouseTo(1);
  EXPECT_EQ(host.List().HotItem(), 1);
  host.MouseTo(0);
  EXPECT_EQ(host.List().HotItem(), 0);
  POINT belowLast = ItemMiddle(host.ListHandle(), 2);
  belowLast.y += 2 * host.ItemHeight(2);
  host.MouseTo(belowLast);
  EXPECT_EQ(host.List().HotItem(), -1);

  host.MouseTo(1);
  SendMessageW(host.ListHandle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(host.List().HotItem(), -1);
}
