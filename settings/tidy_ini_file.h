#pragma once

#include <string>

// Rewrites an INI file in the tidy layout (see TidyIniText), replacing it in
// one step. Throws when the file cannot be read or replaced.
void TidyIniFile(const std::wstring& path);
