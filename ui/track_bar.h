#pragma once
// A slider whose change handler runs whenever its position may have changed:
// moved by the user, set by the program, or pulled into a new range. The
// handlers only show the position, so running one too often costs nothing.

#include <windows.h>

#include <functional>

class TrackBar {
 public:
  TrackBar() = default;
  TrackBar(HWND handle, std::function<void()> onChange)
      : handle_(handle), onChange_(std::move(onChange)) {}

  HWND Handle() const { return handle_; }
  int Position() const;
  int Min() const;
  int Max() const;
  // Positions outside the range end at its nearest end.
  void SetPosition(int position);
  void SetRange(int min, int max);
  // The parent received WM_HSCROLL from this slider: the user moved it.
  void Scrolled() { Changed(); }

 private:
  void Changed() const;

  HWND handle_ = nullptr;
  std::function<void()> onChange_;
};
