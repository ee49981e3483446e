#pragma once
// The program's icon in the notification area. Its notifications arrive at the
// window given at construction as the callback message; Event reads them.

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>

// Hands the icon to the notification area: Shell_NotifyIconW.
using ShellNotify = std::function<BOOL(DWORD message, NOTIFYICONDATAW* data)>;

// One notification of the icon: what happened (a mouse message, NIN_SELECT,
// NIN_KEYSELECT or WM_CONTEXTMENU) and the screen point a menu opens at.
struct TrayIconEvent {
  UINT message;
  POINT anchor;
};

class TTrayIcon {
 public:
  // addRetryTimer is the id of the timer on `window` that retries an add the
  // notification area refused; the window hands its ticks to HandleTimer.
  TTrayIcon(HWND window, UINT callbackMessage, UINT_PTR addRetryTimer,
            ShellNotify notify = Shell_NotifyIconW);
  ~TTrayIcon();
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  // Whether the program shows its icon; the notification area may not have
  // taken it yet.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  HICON Icon() const { return icon_; }
  void SetIcon(HICON icon);
  void SetHint(const std::wstring& hint);

  // On: minimising the application hides the main window and its taskbar
  // button, leaving the tray icon as the only way back.
  bool MinimizeToTray() const { return minimizeToTray_; }
  void SetMinimizeToTray(bool on) { minimizeToTray_ = on; }

  // A notification balloon beside the icon, titled with the program's name,
  // while the icon is shown; the system hides it after a while.
  void ShowBalloon(const std::wstring& text);

  // Explorer forgets every icon when it restarts and then broadcasts
  // "TaskbarCreated"; a visible icon has to be added again.
  void TaskbarCreated();

  // Answers whether the timer is the icon's.
  bool HandleTimer(UINT_PTR timer);

  // The callback message's parameters read as one event. A notification area
  // that took the icon's version 4 also reports the keyboard (Win+B, then
  // Enter, Space, Shift+F10 or the menu key) and sends WM_CONTEXTMENU at the
  // icon for the menu; an older one sends only the mouse's messages, and its
  // right button going up is reported here as WM_CONTEXTMENU at the cursor.
  TrayIconEvent Event(WPARAM wParam, LPARAM lParam) const;

 private:
  NOTIFYICONDATAW Data(UINT flags) const;
  void Add();
  void TryAdd();
  void RetryAdd();
  void StopRetrying();
  void Modify();

  HWND window_;
  UINT callbackMessage_;
  UINT_PTR addRetryTimer_;
  ShellNotify notify_;
  // In the notification area.
  bool added_ = false;
  // The notification area speaks version 4 to this icon.
  bool version4_ = false;
  int addRetriesLeft_ = 0;
  HICON icon_ = nullptr;
  std::wstring hint_;
  bool visible_ = false;
  bool minimizeToTray_ = true;
};
