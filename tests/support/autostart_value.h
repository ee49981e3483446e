#pragma once
// The autostart value `Tolvane` under the current user's Run key, read and
// removed by the tests themselves, independent of the code under test.

#include <string>

// The value's data, or "<none>".
std::wstring AutostartValue();
void RemoveAutostartValue();
