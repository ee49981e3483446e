#include "ui/dpi_change.h"

#include <vector>

namespace {

int Rescale(int value, UINT oldDpi, UINT newDpi) {
  return MulDiv(value, static_cast<int>(newDpi), static_cast<int>(oldDpi));
}

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> Descendants(HWND window) {
  std::vector<HWND> windows;
  EnumChildWindows(window, AddWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// The window's place in its parent's client area.
RECT PlaceInParent(HWND window) {
  RECT place;
  GetWindowRect(window, &place);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

}  // namespace

void ApplyDpiChangedRect(HWND window, LPARAM lParam) {
  const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

OwnedFont RescaleControls(HWND window, UINT oldDpi, UINT newDpi) {
  LOGFONTW logFont{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(logFont),
             &logFont);
  logFont.lfHeight = Rescale(logFont.lfHeight, oldDpi, newDpi);
  OwnedFont font = MakeFont(logFont);
  // Every place is taken before any window moves.
  const std::vector<HWND> windows = Descendants(window);
  std::vector<RECT> places;
  for (HWND child : windows) places.push_back(PlaceInParent(child));
  for (size_t index = 0; index < windows.size(); ++index) {
    const RECT& place = places[index];
    const int left = Rescale(place.left, oldDpi, newDpi);
    const int top = Rescale(place.top, oldDpi, newDpi);
    SetWindowPos(windows[index], nullptr, left, top, Rescale(place.right, oldDpi, newDpi) - left,
                 Rescale(place.bottom, oldDpi, newDpi) - top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(windows[index], WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  }
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  return font;
}
