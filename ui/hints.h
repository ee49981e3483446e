#pragma once
// The hints of a window: a tooltip that shows a short text while the mouse
// rests on a control, for 7.5 seconds.

#include <windows.h>

#include <string>

class THints {
 public:
  explicit THints(HWND owner);
  ~THints();
  THints(const THints&) = delete;
  THints& operator=(const THints&) = delete;

  void Add(HWND control, const std::wstring& text);

 private:
  HWND owner_;
  HWND tooltip_;
};
