#pragma once
// Window classes and windows for the tests' own use.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Registers a class of this program under the name with the procedure and
// nothing else; a class already registered under the name is kept, so a
// fixture may call it for every window it makes. Answers the class's atom.
ATOM RegisterWindowClass(const wchar_t* name, WNDPROC procedure);

// A hidden top-level window standing for a program's own window (the owner of
// the clipboard or of hot keys): each message goes to the handler first, and
// what it does not handle to the system's default.
class OwnerWindow {
 public:
  // Answers whether it handled the message.
  using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;
  explicit OwnerWindow(Handler handler = {});
  ~OwnerWindow() { DestroyWindow(hwnd_); }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;

  HWND Handle() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  Handler handler_;
  HWND hwnd_ = nullptr;
};

// What the tests look at of any window: its class, its place on screen and
// the height of its font (negative: a character height, as LOGFONT has it).
std::wstring ClassOf(HWND window);
RECT WindowRect(HWND window);
LONG FontHeight(HWND control);

// The windows of the class below the parent, or of this thread without one.
std::vector<HWND> WindowsOfClass(const std::wstring& name, HWND parent = nullptr);
