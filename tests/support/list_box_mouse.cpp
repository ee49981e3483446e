#include "tests/support/list_box_mouse.h"

POINT ItemMiddle(HWND listBox, int index) {
  RECT item{};
  SendMessageW(listBox, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  return {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

void SendMouse(HWND window, UINT message, POINT point) {
  SendMessageW(window, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
               MAKELPARAM(point.x, point.y));
}

void ClickListItem(HWND listBox, int index) {
  const POINT middle = ItemMiddle(listBox, index);
  SendMouse(listBox, WM_LBUTTONDOWN, middle);
  SendMouse(listBox, WM_LBUTTONUP, middle);
}
