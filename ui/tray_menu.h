#pragma once
// The tray icon's popup menu. It is drawn by the program itself: a blue
// gradient band on the left with the product name written upwards, white
// items, a blue highlight, and the current hot keys right-aligned beside the
// commands that have one. A chosen item reaches the owner window as
// WM_COMMAND with its command's identifier, and Run runs what the command
// does.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The captions of the pause item.
inline constexpr wchar_t kPauseCaption[] = L"Pause";
inline constexpr wchar_t kResumeCaption[] = L"Resume";

// One command of the menu, as the program's root lists them in menu order:
// the identifier the choice reaches the owner window with (an IDM_TRAY_* of
// ui/ui_resources.h, which other programs may send as well), the caption,
// what choosing it does, and the hot key text drawn right-aligned beside it,
// asked whenever the item is measured or drawn so that the menu follows the
// hot key fields as they are edited. The first command is the menu's default:
// drawn bold, and run by a double click on the icon.
struct TrayCommand {
  UINT id;
  const wchar_t* caption;
  std::function<void()> run;
  // None when empty.
  std::function<std::wstring()> hotKeyText = {};
};

// A line between two groups of commands.
TrayCommand TraySeparator();

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
  // processMessages is the program's message pump: it handles the messages
  // already waiting and returns, keeping a quit request for the main loop.
  TTrayMenu(HWND owner, HICON programIcon, std::vector<TrayCommand> commands,
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
  // Runs the command of that identifier; answers whether the menu has one.
  bool Run(UINT command) const;
  // The command a double click on the tray icon runs.
  UINT DefaultCommand() const;

  // The owner's WM_MEASUREITEM and WM_DRAWITEM; each answers whether the
  // message was about this menu.
  bool MeasureItem(MEASUREITEMSTRUCT& item);
  bool DrawItem(const DRAWITEMSTRUCT& item);

 private:
  struct Entry {
    TrayCommand command;
    std::wstring caption;
  };

  const Entry* Find(UINT command) const;
  Entry& EntryOf(UINT command);
  const Entry& EntryOf(UINT command) const;
  const Entry* EntryOfItemData(ULONG_PTR itemData) const;
  TrayMenuItemLook LookOf(const Entry& entry, UINT itemState) const;
  MENUITEMINFOW ItemInfo(const Entry& entry) const;
  void ForgetItemSizes();

  HWND owner_;
  HICON programIcon_;
  std::function<void()> processMessages_;
  // Built once and never resized: the menu items point at their entries.
  std::vector<Entry> entries_;
  HMENU menu_;
};

// The drawing, on any device context. Sizes are given for 96 DPI and scaled to
// dpi; fonts are sized in points for dpi.

// The gradient band with the product name and the program icon at its foot.
void DrawTrayMenuMargin(HDC dc, const RECT& band, HICON programIcon, UINT dpi);
// One item in the rectangle right of the band; a caption of "-" is a separator.
void DrawTrayMenuItem(HDC dc, const RECT& item, const TrayMenuItemLook& look, UINT dpi);
