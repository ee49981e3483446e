#pragma once
// The program's icon in the notification area. Its notifications arrive at the
// window given at construction as the callback message.

#include <windows.h>

#include <string>

class TTrayIcon {
 public:
  TTrayIcon(HWND window, UINT callbackMessage);
  ~TTrayIcon();
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

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

 private:
  NOTIFYICONDATAW Data(UINT flags) const;
  void Modify();

  HWND window_;
  UINT callbackMessage_;
  HICON icon_ = nullptr;
  std::wstring hint_;
  bool visible_ = false;
  bool minimizeToTray_ = true;
};
