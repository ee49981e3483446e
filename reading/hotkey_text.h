#pragma once
// The hot key text codec: a hot key word and the text the hot key edit boxes
// show for it ("Ctrl+F11"). Portable: the one thing it needs from the
// platform, the system's name of a key, comes in as a function.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "settings/hot_key.h"

// The platform's own name of a key that has no fixed name here (injected so the
// codec stays portable); empty when the key has no name.
using SystemKeyNameFunction = std::function<std::wstring(std::uint8_t virtualKey)>;

// The name of one key without modifiers; empty when the key has none.
std::wstring KeyName(std::uint8_t virtualKey, const SystemKeyNameFunction& systemKeyName);

// "Shift+", "Ctrl+" and "Alt+" for the set bits, in that order, then the key's
// name; an empty text when the key has no name.
std::wstring HotKeyToText(HotKeyWord hotKey, const SystemKeyNameFunction& systemKeyName);

// The prefixes in any order and letter case ("^" for Ctrl), then the first key
// code from 8 up whose name is the rest; 0 when no key has that name.
HotKeyWord TextToHotKey(std::wstring_view text, const SystemKeyNameFunction& systemKeyName);
