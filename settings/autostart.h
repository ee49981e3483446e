#pragma once
// The autostart entry: the value `Tolvane` under the current user's Run key,
// which starts the program with "-autostart" at every logon.

#include <string>

// The value's data. The path is quoted: unquoted, a path with blanks would
// let a program named like the path's first part run at logon instead.
std::wstring AutostartCommand(const std::wstring& programPath);

// Present and non-empty.
bool AutostartEnabled();
// Both open the Run key without creating it and throw when that or the change fails.
void EnableAutostart(const std::wstring& programPath);
void DisableAutostart();
