#pragma once
// WM_DPICHANGED reaches a top-level window when it is moved to a monitor of
// another DPI: wParam carries the new DPI (the same in both words), lParam a
// rectangle for the window at that DPI. The window rebuilds its controls for
// the DPI (TVoiceList::SetDpi, TAboutPage::SetDpi, SetReportListDpi) and then
// takes the rectangle, as Windows asks, so that it does not flip back and
// forth between the two monitors.

#include <windows.h>

// Moves and sizes the window to the rectangle that WM_DPICHANGED's lParam
// points at.
void ApplyDpiChangedRect(HWND window, LPARAM lParam);
