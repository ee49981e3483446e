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

int Length(const RECT& area, GradientDirection direction) {
  return direction == GradientDirection::TopToBottom ? area.bottom - area.top
                                                     : area.right - area.left;
}

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
  const int length = Length(area, direction);
  if (length <= 0 || steps <= 0) return;
  steps = std::min(steps, length);
  const int stripeLength = length / steps;
  for (int step = 0; step < steps; ++step) {
    FillSolid(dc, Stripe(area, step * stripeLength, (step + 1) * stripeLength, direction),
              Blend(from, to, step, steps - 1));
  }
  FillSolid(dc, Stripe(area, steps * stripeLength, length, direction), to);
}

void FillSmoothGradient(HDC dc, const RECT& area, COLORREF from, COLORREF to,
                        GradientDirection direction) {
  FillGradient(dc, area, from, to, Length(area, direction), direction);
}

void FillReflectedGradient(HDC dc, const RECT& area, COLORREF edges, COLORREF middle,
                           GradientDirection direction) {
  const int half = Length(area, direction) / 2;
  const RECT first = Stripe(area, 0, half, direction);
  const RECT second = Stripe(area, half, Length(area, direction), direction);
  FillSmoothGradient(dc, first, edges, middle, direction);
  FillSmoothGradient(dc, second, middle, edges, direction);
}

OwnedIcon LoadIconOfSize(HINSTANCE instance, int id, int size) {
  return OwnedIcon(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
}
