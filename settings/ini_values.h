#pragma once
// How values in the settings files read: integers in decimal or, with the
// prefix "0x", in hexadecimal; booleans as integers, any non-zero one true.
// Anything else is no value at all, and the caller takes the key's default.

#include <cstdint>
#include <optional>
#include <string_view>

std::optional<std::int32_t> ParseIniInteger(std::wstring_view text);
std::optional<bool> ParseIniBool(std::wstring_view text);
