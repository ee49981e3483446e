#include "settings/window_placement.h"

#include "base/dpi.h"

#include <cstdio>
#include <iterator>

namespace {

std::wstring FourIntegers(int a, int b, int c, int d) {
  wchar_t text[64];
  std::swprintf(text, std::size(text), L"%d,%d,%d,%d", a, b, c, d);
  return text;
}

bool ReadRectangle(const std::wstring& text, RECT& rectangle) {
  int left = 0, top = 0, right = 0, bottom = 0;
  if (std::swscanf(text.c_str(), L"%d,%d,%d,%d", &left, &top, &right, &bottom) != 4) return false;
  rectangle = {left, top, right, bottom};
  return true;
}

// The top left corner moved so the whole window lies on the work area of the
// monitor nearest to it: a monitor may have gone since the position was saved.
POINT OnScreen(const RECT& wanted) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcWork;
  POINT corner{wanted.left, wanted.top};
  if (wanted.right > area.right) corner.x -= wanted.right - area.right;
  if (wanted.bottom > area.bottom) corner.y -= wanted.bottom - area.bottom;
  if (corner.x < area.left) corner.x = area.left;
  if (corner.y < area.top) corner.y = area.top;
  return corner;
}

}  // namespace

void SaveWindowPlacement(const ProfileFile& file, const wchar_t* section, HWND window,
                         const std::wstring& activeControl) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(window, &placement);
  file.WriteInteger(section, L"Flags", static_cast<int>(placement.flags));
  file.WriteInteger(section, L"ShowCmd", static_cast<int>(placement.showCmd));
  file.WriteInteger(section, L"PixelsPerInch", static_cast<int>(WindowDpi(window)));
  file.WriteString(section, L"MinMaxPos",
                   FourIntegers(placement.ptMinPosition.x, placement.ptMinPosition.y,
                                placement.ptMaxPosition.x, placement.ptMaxPosition.y));
  const RECT& normal = placement.rcNormalPosition;
  file.WriteString(section, L"NormPos",
                   FourIntegers(normal.left, normal.top, normal.right, normal.bottom));
  file.WriteBool(section, L"Visible", IsWindowVisible(window) != FALSE);
  file.WriteString(section, L"ActiveControl", activeControl);
}

void RestoreWindowPlacement(const ProfileFile& file, const wchar_t* section, HWND window,
                            const std::function<void(const std::wstring&)>& focusControl) {
  RECT saved;
  if (!ReadRectangle(file.ReadString(section, L"NormPos", L""), saved)) return;
  RECT current;
  GetWindowRect(window, &current);
  const RECT wanted{saved.left, saved.top, saved.left + current.right - current.left,
                    saved.top + current.bottom - current.top};
  const POINT corner = OnScreen(wanted);
  SetWindowPos(window, nullptr, corner.x, corner.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const std::wstring activeControl = file.ReadString(section, L"ActiveControl", L"");
  if (!activeControl.empty()) focusControl(activeControl);
}
