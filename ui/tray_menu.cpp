#include "ui/tray_menu.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <utility>

#include "base/dpi.h"
#include "base/gdi.h"
#include "base/win32_error.h"

namespace {

constexpr wchar_t kSeparatorCaption[] = L"-";
constexpr wchar_t kProductName[] = L"Tolvane!";

// Sizes at 96 DPI.
constexpr int kMarginWidth = 20;
// Items begin one pixel right of the margin band.
constexpr int kItemShift = kMarginWidth + 1;
constexpr int kCaptionLeft = 15;
constexpr int kTextTop = 2;
constexpr int kHotKeyRight = 5;
// Room between a caption and its hot key text when measuring.
constexpr int kHotKeyGap = 12;
constexpr int kMinSeparatorHeight = 9;
constexpr int kNameAboveBottom = 25;
constexpr int kIconLeft = 2;
constexpr int kIconAboveBottom = 20;
constexpr int kIconSize = 16;

constexpr int kItemPoints = 8;
constexpr int kNamePoints = 10;
constexpr wchar_t kNameFace[] = L"Comic Sans MS";
// Escapement is in tenths of a degree: the name runs from bottom to top.
constexpr int kUpwards = 90 * 10;

constexpr COLORREF kBandTop = RGB(122, 150, 223);
constexpr COLORREF kBandBottom = RGB(49, 106, 197);
constexpr int kGradientSteps = 255;
constexpr COLORREF kHighlight = RGB(49, 106, 197);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kDisabledText = RGB(128, 128, 128);
constexpr COLORREF kSeparatorLine = RGB(192, 192, 192);

LOGFONTW SystemMenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMenuFont;
}

// Text is written with its cell's top left corner at the point given, over
// whatever is already drawn.
void PrepareText(HDC dc, HGDIOBJ font, COLORREF colour) {
  SelectObject(dc, font);
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

SIZE TextSize(HDC dc, const std::wstring& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

// TextOutW draws the text exactly as stored: an "&" is not a mnemonic here.
void WriteText(HDC dc, int x, int y, const std::wstring& text) {
  TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void WriteProductName(HDC dc, const RECT& band, UINT dpi) {
  LOGFONTW logFont{};
  logFont.lfHeight = FontHeightForPoints(kNamePoints, dpi);
  logFont.lfEscapement = kUpwards;
  logFont.lfOrientation = 0;
  logFont.lfWeight = FW_BOLD;
  logFont.lfCharSet = DEFAULT_CHARSET;
  std::copy(std::begin(kNameFace), std::end(kNameFace), logFont.lfFaceName);
  OwnedFont font = MakeFont(logFont);
  SavedDcState saved(dc);
  PrepareText(dc, font.get(), kWhite);
  WriteText(dc, band.left, band.bottom - ScaleForDpi(kNameAboveBottom, dpi), kProductName);
}

// The line sits on the middle row; an item of even height has two middle
// rows, and the one with the even coordinate is taken.
int SeparatorRow(int top, int bottom) {
  const int sum = top + bottom;
  const int lower = (sum - (sum & 1)) / 2;  // rounded down, also below zero
  if ((sum & 1) == 0 || lower % 2 == 0) return lower;
  return lower + 1;
}

void DrawSeparatorLine(HDC dc, const RECT& item) {
  OwnedPen pen(CreatePen(PS_SOLID, 1, kSeparatorLine));
  SavedDcState saved(dc);
  SelectObject(dc, pen.get());
  const int row = SeparatorRow(item.top, item.bottom);
  MoveToEx(dc, item.left, row, nullptr);
  LineTo(dc, item.right, row);
}

LOGFONTW ItemFont(bool bold, UINT dpi) {
  LOGFONTW font = SystemMenuFont();
  font.lfHeight = FontHeightForPoints(kItemPoints, dpi);
  font.lfWidth = 0;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  return font;
}

COLORREF TextColour(const TrayMenuItemLook& look) {
  if (look.disabled) return kDisabledText;
  return look.selected ? kWhite : kBlack;
}

void DrawItemTexts(HDC dc, const RECT& item, const TrayMenuItemLook& look, UINT dpi) {
  OwnedFont font = MakeFont(ItemFont(look.bold, dpi));
  SavedDcState saved(dc);
  PrepareText(dc, font.get(), TextColour(look));
  const int top = item.top + ScaleForDpi(kTextTop, dpi);
  WriteText(dc, item.left + ScaleForDpi(kCaptionLeft, dpi), top, look.caption);
  if (look.hotKeyText.empty()) return;
  const int width = TextSize(dc, look.hotKeyText).cx;
  WriteText(dc, item.right - width - ScaleForDpi(kHotKeyRight, dpi), top, look.hotKeyText);
}

// A separator is half as high as its "-", but no less than a minimum; other
// items as high as the menu bar's text line or their caption.
int ItemHeight(HDC dc, const std::wstring& caption, UINT dpi) {
  const int textHeight = static_cast<int>(TextSize(dc, caption).cy);
  if (caption == kSeparatorCaption)
    return std::max(textHeight / 2, ScaleForDpi(kMinSeparatorHeight, dpi));
  return std::max(GetSystemMetrics(SM_CYMENU) - 2, textHeight);
}

// Room for the caption and the hot key text as they are placed when drawn,
// and for the margin band left of the item.
int ItemWidth(HDC dc, const TrayMenuItemLook& look, UINT dpi) {
  int width = ScaleForDpi(kCaptionLeft, dpi) + static_cast<int>(TextSize(dc, look.caption).cx) +
              ScaleForDpi(kHotKeyRight, dpi);
  if (!look.hotKeyText.empty())
    width += ScaleForDpi(kHotKeyGap, dpi) + static_cast<int>(TextSize(dc, look.hotKeyText).cx);
  return width + ScaleForDpi(kItemShift, dpi);
}

// Measured with the system's menu font as it is, the way Windows measures its
// own menus; the system metrics are already in device pixels.
SIZE MeasureLook(const TrayMenuItemLook& look, UINT dpi) {
  MemoryDc dc(CreateCompatibleDC(nullptr));
  LOGFONTW logFont = SystemMenuFont();
  if (look.bold) logFont.lfWeight = FW_BOLD;
  OwnedFont font = MakeFont(logFont);
  SavedDcState saved(dc.get());
  SelectObject(dc.get(), font.get());
  return {ItemWidth(dc.get(), look, dpi), ItemHeight(dc.get(), look.caption, dpi)};
}

// The band spans the whole menu window, so its gradient runs over the full
// height being painted rather than restarting with every item. A device
// context without a window, such as a bitmap, gets the band beside the item.
RECT MarginBand(const DRAWITEMSTRUCT& item, UINT dpi) {
  RECT band{0, item.rcItem.top, ScaleForDpi(kMarginWidth, dpi), item.rcItem.bottom};
  RECT client;
  HWND window = WindowFromDC(item.hDC);
  if (window != nullptr && GetClientRect(window, &client)) {
    band.top = client.top;
    band.bottom = client.bottom;
  }
  return band;
}

// Where drop-down menus are set to open right-aligned (SM_MENUDROPALIGNMENT,
// for right-to-left readers or left-handed use), the menu opens to the left
// of the point instead of to its right.
UINT PopupFlags(int menuDropAlignment) {
  return (menuDropAlignment != 0 ? TPM_RIGHTALIGN : TPM_LEFTALIGN) | TPM_RIGHTBUTTON;
}

}  // namespace

TrayCommand TraySeparator() { return {0, kSeparatorCaption, nullptr}; }

void DrawTrayMenuMargin(HDC dc, const RECT& band, HICON programIcon, UINT dpi) {
  FillGradient(dc, band, kBandTop, kBandBottom, kGradientSteps, GradientDirection::TopToBottom);
  WriteProductName(dc, band, dpi);
  const int iconSize = ScaleForDpi(kIconSize, dpi);
  DrawIconEx(dc, band.left + ScaleForDpi(kIconLeft, dpi),
             band.bottom - ScaleForDpi(kIconAboveBottom, dpi), programIcon, iconSize, iconSize, 0,
             nullptr, DI_NORMAL);
}

void DrawTrayMenuItem(HDC dc, const RECT& item, const TrayMenuItemLook& look, UINT dpi) {
  FillSolid(dc, item, look.selected ? kHighlight : kWhite);
  if (look.caption == kSeparatorCaption) {
    DrawSeparatorLine(dc, item);
  } else {
    DrawItemTexts(dc, item, look, dpi);
  }
}

TTrayMenu::TTrayMenu(HWND owner, HICON programIcon, std::vector<TrayCommand> commands,
                     std::function<void()> processMessages)
    : owner_(owner),
      programIcon_(programIcon),
      processMessages_(std::move(processMessages)),
      menu_(CreatePopupMenu()) {
  if (menu_ == nullptr) ThrowLastError("CreatePopupMenu");
  for (TrayCommand& command : commands) {
    const std::wstring caption = command.caption;
    entries_.push_back({std::move(command), caption});
  }
  for (UINT index = 0; index < entries_.size(); ++index) {
    const MENUITEMINFOW info = ItemInfo(entries_[index]);
    InsertMenuItemW(menu_, index, TRUE, &info);
  }
  SetMenuDefaultItem(menu_, 0, TRUE);
}

TTrayMenu::~TTrayMenu() { DestroyMenu(menu_); }

// Every item is drawn by the program; the item data leads back to its entry.
// The items carry their captions as well, for screen readers and for other
// programs that read the menu.
MENUITEMINFOW TTrayMenu::ItemInfo(const Entry& entry) const {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
  info.fType = MFT_OWNERDRAW | (entry.caption == kSeparatorCaption ? MFT_SEPARATOR : 0);
  info.wID = entry.command.id;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(&entry);
  if (entry.caption != kSeparatorCaption) {
    info.fMask |= MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(entry.caption.c_str());
  }
  return info;
}

const TTrayMenu::Entry* TTrayMenu::Find(UINT command) const {
  if (command == 0) return nullptr;
  auto found = std::find_if(entries_.begin(), entries_.end(),
                            [command](const Entry& entry) { return entry.command.id == command; });
  return found == entries_.end() ? nullptr : &*found;
}

const TTrayMenu::Entry& TTrayMenu::EntryOf(UINT command) const {
  const Entry* entry = Find(command);
  if (entry == nullptr) throw std::invalid_argument("not a command of the tray menu");
  return *entry;
}

TTrayMenu::Entry& TTrayMenu::EntryOf(UINT command) {
  return const_cast<Entry&>(std::as_const(*this).EntryOf(command));
}

const TTrayMenu::Entry* TTrayMenu::EntryOfItemData(ULONG_PTR itemData) const {
  for (const Entry& entry : entries_) {
    if (reinterpret_cast<ULONG_PTR>(&entry) == itemData) return &entry;
  }
  return nullptr;
}

std::wstring TTrayMenu::Caption(UINT command) const { return EntryOf(command).caption; }

void TTrayMenu::SetCaption(UINT command, const std::wstring& caption) {
  Entry& entry = EntryOf(command);
  entry.caption = caption;
  MENUITEMINFOW info = ItemInfo(entry);
  SetMenuItemInfoW(menu_, command, FALSE, &info);
}

bool TTrayMenu::Run(UINT command) const {
  const Entry* entry = Find(command);
  if (entry == nullptr) return false;
  entry->command.run();
  return true;
}

UINT TTrayMenu::DefaultCommand() const { return GetMenuDefaultItem(menu_, FALSE, 0); }

TrayMenuItemLook TTrayMenu::LookOf(const Entry& entry, UINT itemState) const {
  TrayMenuItemLook look;
  look.caption = entry.caption;
  look.selected = (itemState & ODS_SELECTED) != 0;
  look.disabled = (itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
  look.bold = &entry == &entries_.front();
  if (entry.command.hotKeyText) look.hotKeyText = entry.command.hotKeyText();
  return look;
}

// Windows measures owner-drawn items once and keeps the sizes until an item
// changes. Setting each item again has them measured anew, so a new caption
// ("Resume" is wider than "Pause") or a longer hot key text fits.
void TTrayMenu::ForgetItemSizes() {
  for (UINT index = 0; index < entries_.size(); ++index) {
    const MENUITEMINFOW info = ItemInfo(entries_[index]);
    SetMenuItemInfoW(menu_, index, TRUE, &info);
  }
}

void TTrayMenu::Popup(POINT at) {
  ForgetItemSizes();
  // A menu whose owner is not in the foreground stays open when the user
  // clicks elsewhere.
  SetForegroundWindow(owner_);
  // The messages queued so far, among them the activation that bringing the
  // owner forward caused, run before the menu's own loop takes over.
  processMessages_();
  TrackPopupMenuEx(menu_, PopupFlags(GetSystemMetrics(SM_MENUDROPALIGNMENT)), at.x, at.y, owner_,
                   nullptr);
  // Without a message after it, the next popup of a notification-area menu
  // can close again at once.
  PostMessageW(owner_, WM_NULL, 0, 0);
}

bool TTrayMenu::MeasureItem(MEASUREITEMSTRUCT& item) {
  if (item.CtlType != ODT_MENU) return false;
  const Entry* entry = EntryOfItemData(item.itemData);
  if (entry == nullptr) return false;
  const SIZE size = MeasureLook(LookOf(*entry, 0), WindowDpi(owner_));
  item.itemWidth = static_cast<UINT>(size.cx);
  item.itemHeight = static_cast<UINT>(size.cy);
  return true;
}

bool TTrayMenu::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_MENU || reinterpret_cast<HMENU>(item.hwndItem) != menu_) return false;
  const Entry* entry = EntryOfItemData(item.itemData);
  if (entry == nullptr) return false;
  const UINT dpi = WindowDpi(owner_);
  if ((item.itemAction & ODA_DRAWENTIRE) != 0)
    DrawTrayMenuMargin(item.hDC, MarginBand(item, dpi), programIcon_, dpi);
  RECT rect = item.rcItem;
  rect.left += ScaleForDpi(kItemShift, dpi);
  DrawTrayMenuItem(item.hDC, rect, LookOf(*entry, item.itemState), dpi);
  return true;
}
