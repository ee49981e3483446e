#include "base/dpi.h"

namespace {

// GetDpiForWindow exists from Windows 10 1607 on; earlier systems, Wine among
// them, report the system DPI through the screen's device context.
UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
  return dpi != 0 ? dpi : SystemDpi();
}

int ScaleForDpi(int pixelsAt96Dpi, UINT dpi) {
  return MulDiv(pixelsAt96Dpi, static_cast<int>(dpi), 96);
}

int ScaleForWindow(HWND window, int pixelsAt96Dpi) {
  return ScaleForDpi(pixelsAt96Dpi, WindowDpi(window));
}

int FontHeightForPoints(int points, UINT dpi) { return -MulDiv(points, static_cast<int>(dpi), 72); }
