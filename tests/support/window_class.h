#pragma once
// Window classes for the tests' own windows.

#include <windows.h>

// Registers a class of this program under the name with the procedure and
// nothing else; a class already registered under the name is kept, so a
// fixture may call it for every window it makes. Answers the class's atom.
ATOM RegisterWindowClass(const wchar_t* name, WNDPROC procedure);
