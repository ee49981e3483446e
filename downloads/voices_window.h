#pragma once
// The window that downloads and installs additional speech engines.

#include <windows.h>

// Shows the window over `owner` until the user closes it.
void ShowAdditionalVoices(HINSTANCE instance, HWND owner);
