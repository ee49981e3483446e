#pragma once
// Thin, non-owning wrappers over standard controls: one line over a message each.

#include <windows.h>

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
