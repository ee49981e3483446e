#include "ui/voice_list.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "base/dpi.h"
#include "base/exception_guard.h"
#include "base/gdi.h"

namespace {

constexpr COLORREF kNormalBackground = RGB(255, 255, 255);
constexpr COLORREF kSelectedBackground = RGB(0, 85, 170);
constexpr COLORREF kHotBackground = RGB(0, 94, 187);
constexpr COLORREF kNormalText = RGB(0, 0, 0);
constexpr COLORREF kHighlightText = RGB(255, 255, 255);

// Room around an item's text, at 96 DPI.
constexpr int kTextMarginX = 3;
constexpr int kTextMarginY = 2;
// A list box keeps an item's height in a byte.
constexpr int kMaxItemHeight = 255;

// Voice names are shown as they are: an "&" is no mnemonic here.
constexpr UINT kTextFormat = DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX;

constexpr UINT_PTR kSubclassId = 1;

RECT TextArea(const RECT& item, UINT dpi) {
  const int marginX = ScaleForDpi(kTextMarginX, dpi);
  const int marginY = ScaleForDpi(kTextMarginY, dpi);
  return {item.left + marginX, item.top + marginY, item.right - marginX, item.bottom - marginY};
}

COLORREF BackgroundOf(VoiceItemLook look) {
  switch (look) {
    case VoiceItemLook::Selected:
      return kSelectedBackground;
    case VoiceItemLook::Hot:
      return kHotBackground;
    case VoiceItemLook::Normal:
      break;
  }
  return kNormalBackground;
}

HFONT ListFont(HWND list) { return reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)); }

}  // namespace

void DrawVoiceListItem(HDC dc, const RECT& item, const std::wstring& text, VoiceItemLook look,
                       HFONT font, UINT dpi) {
  SavedDcState saved(dc);
  FillSolid(dc, item, BackgroundOf(look));
  if (font != nullptr) SelectObject(dc, font);
  SetTextColor(dc, look == VoiceItemLook::Normal ? kNormalText : kHighlightText);
  SetBkMode(dc, TRANSPARENT);
  RECT area = TextArea(item, dpi);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, kTextFormat);
}

TVoiceList::~TVoiceList() { Detach(); }

void TVoiceList::Attach(HWND listBox, ChangeHandler onChange, ClickHandler onClick) {
  Detach();
  handle_ = listBox;
  dpi_ = WindowDpi(listBox);
  onChange_ = std::move(onChange);
  onClick_ = std::move(onClick);
  SetWindowSubclass(handle_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void TVoiceList::Detach() {
  if (handle_ != nullptr) RemoveWindowSubclass(handle_, SubclassProc, kSubclassId);
  handle_ = nullptr;
}

int TVoiceList::Count() const { return static_cast<int>(SendMessageW(handle_, LB_GETCOUNT, 0, 0)); }

int TVoiceList::ItemIndex() const {
  const LRESULT index = SendMessageW(handle_, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void TVoiceList::SetItemIndex(int index) const { SendMessageW(handle_, LB_SETCURSEL, index, 0); }

std::wstring TVoiceList::Item(int index) const {
  const LRESULT length = SendMessageW(handle_, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendMessageW(handle_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::vector<std::wstring> TVoiceList::Items() const {
  std::vector<std::wstring> items;
  for (int index = 0; index < Count(); ++index) items.push_back(Item(index));
  return items;
}

void TVoiceList::SetItems(const std::vector<std::wstring>& items) {
  SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
  Clear();
  for (const std::wstring& item : items) AddItem(item);
  SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(handle_, nullptr, TRUE);
}

void TVoiceList::AddItem(const std::wstring& item) {
  SendMessageW(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TVoiceList::Clear() {
  SendMessageW(handle_, LB_RESETCONTENT, 0, 0);
  SetHotItem(-1);
}

// Items are measured for the width they have while the scroll bar is shown:
// the bar comes and goes as items are added, and an item wrapped for the
// wider list would lose its last line once the bar appears.
int TVoiceList::ItemTextWidth() const {
  RECT client{};
  GetClientRect(handle_, &client);
  int width = client.right - client.left;
  if ((GetWindowLongW(handle_, GWL_STYLE) & WS_VSCROLL) == 0)
    width -= GetSystemMetrics(SM_CXVSCROLL);
  return width - 2 * ScaleForDpi(kTextMarginX, dpi_);
}

int TVoiceList::ItemHeight(int index) const {
  const std::wstring text = Item(index);
  WindowDc dc(handle_);
  SavedDcState saved(dc.Get());
  if (HFONT font = ListFont(handle_)) SelectObject(dc.Get(), font);
  RECT area{0, 0, std::max(ItemTextWidth(), 1), 0};
  DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &area,
            kTextFormat | DT_CALCRECT);
  const int height = area.bottom + 2 * ScaleForDpi(kTextMarginY, dpi_);
  return std::min(height, kMaxItemHeight);
}

bool TVoiceList::MeasureItem(MEASUREITEMSTRUCT& measure) const {
  if (handle_ == nullptr || measure.CtlType != ODT_LISTBOX ||
      static_cast<int>(measure.CtlID) != GetDlgCtrlID(handle_)) {
    return false;
  }
  measure.itemHeight = static_cast<UINT>(ItemHeight(static_cast<int>(measure.itemID)));
  return true;
}

// A list box measures an item only when it is added, so the items are given
// their new heights here.
void TVoiceList::SetDpi(UINT dpi) {
  dpi_ = dpi;
  if (handle_ == nullptr) return;
  for (int index = 0; index < Count(); ++index)
    SendMessageW(handle_, LB_SETITEMHEIGHT, index, ItemHeight(index));
  InvalidateRect(handle_, nullptr, TRUE);
}

VoiceItemLook TVoiceList::LookOf(const DRAWITEMSTRUCT& draw) const {
  if ((draw.itemState & ODS_SELECTED) != 0) return VoiceItemLook::Selected;
  if (static_cast<int>(draw.itemID) == hotItem_) return VoiceItemLook::Hot;
  return VoiceItemLook::Normal;
}

bool TVoiceList::DrawItem(const DRAWITEMSTRUCT& draw) {
  if (handle_ == nullptr || draw.CtlType != ODT_LISTBOX || draw.hwndItem != handle_) return false;
  // An empty list is drawn with no item at all, to show its focus.
  if (draw.itemID != static_cast<UINT>(-1)) {
    // The whole item is drawn for every action, so a focus rectangle drawn
    // over it is always one that the item does not have yet.
    DrawVoiceListItem(draw.hDC, draw.rcItem, Item(static_cast<int>(draw.itemID)), LookOf(draw),
                      ListFont(handle_), dpi_);
    if ((draw.itemState & ODS_FOCUS) != 0 && (draw.itemState & ODS_NOFOCUSRECT) == 0) {
      DrawFocusRect(draw.hDC, &draw.rcItem);
    }
  }
  ReportSelection();
  return true;
}

void TVoiceList::ReportSelection() {
  const int selected = ItemIndex();
  if (selected == reportedIndex_) return;
  const int previous = std::exchange(reportedIndex_, selected);
  if (onChange_) onChange_(previous, selected);
}

LRESULT CALLBACK TVoiceList::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
  CallGuarded([&] { reinterpret_cast<TVoiceList*>(self)->ListMessage(message, lParam); });
  return DefSubclassProc(window, message, wParam, lParam);
}

// Sees the list box's messages before the list box does.
void TVoiceList::ListMessage(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      TrackHover(lParam);
      break;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      SetHotItem(-1);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (onClick_) onClick_();
      break;
    case WM_NCDESTROY:
      Detach();
      break;
    default:
      break;
  }
}

// The list box answers the nearest item even for a point in the empty space
// below the last one, so the item's rectangle has the last word.
int TVoiceList::ItemAt(LPARAM point) const {
  const int nearest = LOWORD(SendMessageW(handle_, LB_ITEMFROMPOINT, 0, point));
  RECT item{};
  if (SendMessageW(handle_, LB_GETITEMRECT, nearest, reinterpret_cast<LPARAM>(&item)) == LB_ERR)
    return -1;
  const POINT mouse{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  return PtInRect(&item, mouse) ? nearest : -1;
}

void TVoiceList::TrackHover(LPARAM point) {
  SetHotItem(ItemAt(point));
  if (trackingLeave_) return;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
  trackingLeave_ = TrackMouseEvent(&track) != FALSE;
}

void TVoiceList::SetHotItem(int index) {
  if (index == hotItem_) return;
  InvalidateItem(std::exchange(hotItem_, index));
  InvalidateItem(hotItem_);
}

void TVoiceList::InvalidateItem(int index) const {
  RECT item{};
  if (index < 0 ||
      SendMessageW(handle_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
    return;
  }
  InvalidateRect(handle_, &item, FALSE);
}
