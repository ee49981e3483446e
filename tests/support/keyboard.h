#pragma once
// Key presses as the keyboard makes them, through SendInput.

#include <windows.h>

#include <string>
#include <vector>

// One key going down or up as the keyboard sends it: with its scan code, and
// the right Alt and the Windows keys marked as extended keys.
INPUT KeyEvent(WORD virtualKey, bool up);

// Holds the modifiers, presses and releases the key, releases the modifiers.
// Answers whether the system took every one of the input events.
bool PressKey(WORD virtualKey, const std::vector<WORD>& modifiers = {});

// Types the text as characters, in any script, the way an input method sends
// them (KEYEVENTF_UNICODE); answers whether the system took every event.
bool TypeText(const std::wstring& text);
