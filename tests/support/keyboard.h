#pragma once
// Key presses as the keyboard makes them, through SendInput.

#include <windows.h>

#include <vector>

// Holds the modifiers, presses and releases the key, releases the modifiers.
// Answers whether the system took every one of the input events.
bool PressKey(WORD virtualKey, const std::vector<WORD>& modifiers = {});
