#pragma once
// A hot key as the program keeps it and the settings files store it (as an
// unsigned decimal number): one 16-bit word, the virtual-key code in the low
// byte and the modifiers held in the bits above it.

#include <cstdint>

using HotKeyWord = std::uint16_t;

inline constexpr HotKeyWord kShiftModifier = 0x2000;
inline constexpr HotKeyWord kCtrlModifier = 0x4000;
inline constexpr HotKeyWord kAltModifier = 0x8000;
