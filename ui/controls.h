#pragma once
// Thin, non-owning wrappers over standard controls: one line over a message each.

#include <windows.h>

#include <string>

// The text a window or control shows.
inline std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

class CheckBox {
 public:
  explicit CheckBox(HWND handle = nullptr) : handle_(handle) {}
  HWND Handle() const { return handle_; }
  bool Checked() const { return SendMessageW(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void SetChecked(bool checked) const {
    SendMessageW(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

 private:
  HWND handle_;
};

// An edit box, read or written as a whole.
class EditBox {
 public:
  explicit EditBox(HWND handle = nullptr) : handle_(handle) {}
  HWND Handle() const { return handle_; }
  std::wstring Text() const { return WindowText(handle_); }
  void SetText(const std::wstring& text) const { SetWindowTextW(handle_, text.c_str()); }

 private:
  HWND handle_;
};
