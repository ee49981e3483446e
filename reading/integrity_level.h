#pragma once
// Windows keeps a program from sending keystrokes to a window of a higher
// integrity level (a program running as administrator when we do not): the
// copy keystroke would be dropped without a word, and the capture would read
// whatever the clipboard held before.

#include <windows.h>

#include <functional>

// Answers whether the process of the window runs at a higher integrity level
// than ours.
using IntegrityCheck = std::function<bool(HWND window)>;

// The system's answer. A process that cannot even be queried counts as
// higher. Where processes have no integrity level (Wine), or for no window,
// the answer is "not higher".
bool RunsAtHigherIntegrity(HWND window);
