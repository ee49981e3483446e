#pragma once
// A window's placement kept in a section of an INI file: "Flags", "ShowCmd",
// "PixelsPerInch", "MinMaxPos" and "NormPos" (four integers each, written
// "%d,%d,%d,%d"), "Visible" and "ActiveControl" (the name of the control that
// had the focus).

#include <windows.h>

#include <functional>
#include <string>

#include "settings/profile_file.h"

// Throws when a value cannot be written.
void SaveWindowPlacement(const ProfileFile& file, const wchar_t* section, HWND window,
                         const std::wstring& activeControl);

// Moves the window to the saved position, keeping its size and its visibility
// and keeping it on a screen, and gives the saved control the focus through
// focusControl(name). A section without a position changes nothing.
void RestoreWindowPlacement(const ProfileFile& file, const wchar_t* section, HWND window,
                            const std::function<void(const std::wstring&)>& focusControl);
