#pragma once
// The mouse over a list box's items, as the hand of a user moves and clicks it.

#include <windows.h>

// The middle of the item, in the list box's client coordinates, which mouse
// messages carry.
POINT ItemMiddle(HWND listBox, int index);
// A mouse message at a point of the window's client area; a button going down
// is the left one.
void SendMouse(HWND window, UINT message, POINT point);
// The left button pressed and let go on the middle of the item.
void ClickListItem(HWND listBox, int index);
