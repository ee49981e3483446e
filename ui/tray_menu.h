#pragma once
// The tray icon's popup menu. It is drawn by the program itself: a blue
// gradient band on the left with the product name written upwards, white
// items, a blue highlight, and the current hot keys right-aligned beside
// "Options..." and "Pause"/"Resume". Chosen items reach the owner window as
// WM_COMMAND with the IDM_* command identifiers of ui/ui_resources.h.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The captions of the pause item.
inline constexpr wchar_t kPauseCaption[] = L"Pause";
inline constexpr wchar_t kResumeCaption[] = L"Resume";

// What one item looks like at the moment it is drawn.
struct TrayMenuItemLook {
  std::wstring caption;
  bool selected = false;
  bool disabled = false;
  bool bold = false;
  // Drawn right-aligned; empty for none.
  std::wstring hotKeyText;
};

class TTrayMenu {
 public:
  // hotKeyText(command) answers the text shown right-aligned beside that item
  // ("" for none). It is asked whenever the menu is measured or drawn, so the
  // menu follows the hot key fields as they are edited. processMessages is
  // the program's message pump: it handles the messages already waiting and
  // returns, keeping a quit request for the main loop.
  TTrayMenu(HWND owner, HICON programIcon, std::function<std::wstring(UINT command)> hotKeyText,
            std::function<void()> processMessages);
  ~TTrayMenu();
  TTrayMenu(const TTrayMenu&) = delete;
  TTrayMenu& operator=(const TTrayMenu&) = delete;

  HMENU Handle() const { return menu_; }
  std::wstring Caption(UINT command) const;
  // The pause item reads kPauseCaption or kResumeCaption.
  void SetCaption(UINT command, const std::wstring& caption);

  // The menu opened at a point of the screen: the cursor for the mouse, the
  // icon for the keyboard.
  void Popup(POINT at);
  // The command a double click on the tray icon runs.
  UINT DefaultCommand() const;

  // The owner's WM_MEASUREITEM and WM_DRAWITEM; each answers whether the
  // message was about this menu.
  bool MeasureItem(MEASUREITEMSTRUCT& item);
  bool DrawItem(const DRAWITEMSTRUCT& item);

 private:
  struct Entry {
    UINT command;
    std::wstring caption;
  };

  Entry& EntryOf(UINT command);
  const Entry& EntryOf(UINT command) const;
  const Entry* EntryOfItemData(ULONG_PTR itemData) const;
  TrayMenuItemLook LookOf(const Entry& entry, UINT itemState) const;
  MENUITEMINFOW ItemInfo(const Entry& entry) const;
  void ForgetItemSizes();

  HWND owner_;
  HICON programIcon_;
  std::function<std::wstring(UINT command)> hotKeyText_;
  std::function<void()> processMessages_;
  // Built once and never resized: the menu items point at their entries.
  std::vector<Entry> entries_;
  HMENU menu_;
};

// The TrackPopupMenuEx flags for the tray menu, given the system's
// SM_MENUDROPALIGNMENT: where drop-down menus are set to open right-aligned
// (for right-to-left readers or left-handed use), the menu opens to the left
// of the cursor instead of to its right.
UINT TrayMenuPopupFlags(int menuDropAlignment);

// The drawing, on any device context. Sizes are given for 96 DPI and scaled to
// dpi; fonts are sized in points for dpi.

// The gradient band with the product name and the program icon at its foot.
void DrawTrayMenuMargin(HDC dc, const RECT& band, HICON programIcon, UINT dpi);
// One item in the rectangle right of the band; a caption of "-" is a separator.
void DrawTrayMenuItem(HDC dc, const RECT& item, const TrayMenuItemLook& look, UINT dpi);
