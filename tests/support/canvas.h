#pragma once
// Drawings checked pixel by pixel: a bitmap to draw into and tests of colours.

#include <windows.h>

#include <algorithm>
#include <functional>

// No drawing uses it: pixels still in this colour were not touched.
inline constexpr COLORREF kUntouched = RGB(255, 0, 255);

using PixelTest = std::function<bool(COLORREF)>;

inline bool IsDark(COLORREF colour) {
  return GetRValue(colour) < 100 && GetGValue(colour) < 100 && GetBValue(colour) < 100;
}
inline bool IsWhitish(COLORREF colour) {
  return GetRValue(colour) > 200 && GetGValue(colour) > 200 && GetBValue(colour) > 200;
}
inline PixelTest Is(COLORREF expected) {
  return [expected](COLORREF colour) { return colour == expected; };
}

// A 32-bit top-down bitmap selected into a memory device context, filled with
// kUntouched to begin with.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Dc() const { return dc_; }
  COLORREF Pixel(int x, int y) const;

  int Count(const RECT& area, const PixelTest& test) const {
    int count = 0;
    ForEach(area, [&](int, int, COLORREF colour) { count += test(colour) ? 1 : 0; });
    return count;
  }

  // The smallest rectangle holding every pixel that passes the test; empty
  // when none does.
  RECT Bounds(const RECT& area, const PixelTest& test) const {
    RECT bounds{area.right, area.bottom, area.left, area.top};
    ForEach(area, [&](int x, int y, COLORREF colour) {
      if (!test(colour)) return;
      bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                std::max<LONG>(bounds.right, x + 1), std::max<LONG>(bounds.bottom, y + 1)};
    });
    return bounds;
  }

  RECT All() const { return {0, 0, width_, height_}; }

 private:
  void ForEach(const RECT& area, const std::function<void(int, int, COLORREF)>& visit) const {
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) visit(x, y, Pixel(x, y));
    }
  }

  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  const DWORD* bits_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};
