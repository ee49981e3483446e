#pragma once
// Sizes in the program are written for 96 DPI; this is the one place that
// scales them to the DPI of the window they are used in.

#include <windows.h>

// The DPI of the monitor the window is on (per-monitor aware systems), else
// the system DPI.
UINT WindowDpi(HWND window);
int ScaleForDpi(int pixelsAt96Dpi, UINT dpi);
int ScaleForWindow(HWND window, int pixelsAt96Dpi);
// The LOGFONT height of a font of this many points at the DPI.
int FontHeightForPoints(int points, UINT dpi);
