#pragma once
// The hot key text codec bound to the system's key names.

#include <cstdint>
#include <string>
#include <string_view>

#include "reading/hotkey_text.h"

// The keyboard layout's name of a key (GetKeyNameTextW of its scan code);
// empty when the key has no scan code or no name.
std::wstring SystemKeyName(std::uint8_t virtualKey);

// The codec of reading/hotkey_text.h with SystemKeyName for the keys it does
// not name itself.
std::wstring HotKeyToText(HotKeyWord hotKey);
HotKeyWord TextToHotKey(std::wstring_view text);
