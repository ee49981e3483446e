#pragma once
// The window class name of the hot key edit control, in a form that both the
// resource compiler and C++ read: dialog templates name the class by it.
#define HOTKEY_EDIT_CLASS "TolvaneHotKeyEdit"
