#pragma once
// WM_DPICHANGED reaches a top-level window when it is moved to a monitor of
// another DPI: wParam carries the new DPI (the same in both words), lParam a
// rectangle for the window at that DPI. Windows scales nothing inside the
// window, so the window rescales its controls and their font
// (RescaleControls), rebuilds what it draws itself for the DPI
// (TVoiceList::SetDpi, TAboutPage::SetDpi, SetReportListDpi) and takes the
// rectangle, as Windows asks, so that it does not flip back and forth between
// the two monitors.

#include <windows.h>

#include "base/gdi.h"

// Moves and sizes the window to the rectangle that WM_DPICHANGED's lParam
// points at.
void ApplyDpiChangedRect(HWND window, LPARAM lParam);

// Moves and sizes every window inside `window`, at any depth, from the old DPI
// to the new one, and gives them all the window's font remade for the new
// DPI; answers that font, which must live as long as the controls use it.
OwnedFont RescaleControls(HWND window, UINT oldDpi, UINT newDpi);
