#include "base/gdi.h"

#include <algorithm>

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  const GdiHandle<HBRUSH> brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.get());
}

COLORREF Blend(COLORREF from, COLORREF to, int step, int lastStep) {
  if (lastStep == 0) return from;
  auto channel = [&](BYTE fromValue, BYTE toValue) {
    return static_cast<BYTE>(fromValue + MulDiv(toValue - fromValue, step, lastStep));
  };
  return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
             channel(GetBValue(from), GetBValue(to)));
}

namespace {

// The part of the area from offset `begin` to `end` along the gradient.
RECT Stripe(const RECT& area, int begin, int end, GradientDirection direction) {
  if (direction == GradientDirection::TopToBottom) {
    return {area.left, area.top + begin, area.right, area.top + end};
  }
  return {area.left + begin, area.top, area.left + end, area.bottom};
}

}  // namespace

void FillGradient(HDC dc, const RECT& area, COLORREF from, COLORREF to, int steps,
                  GradientDirection direction) {
  const int length =
      direction == GradientDirection::TopToBottom ? area.bottom - area.top : area.right - area.left;
  if (length <= 0 || steps <= 0) return;
  steps = std::min(steps, length);
  const int stripeLength = length / steps;
  for (int step = 0; step < steps; ++step) {
    FillSolid(dc, Stripe(area, step * stripeLength, (step + 1) * stripeLength, direction),
              Blend(from, to, step, steps - 1));
  }
  FillSolid(dc, Stripe(area, steps * stripeLength, length, direction), to);
}

OwnedIcon LoadIconOfSize(HINSTANCE instance, int id, int size) {
  return OwnedIcon(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
}
