#pragma once
// A voice slot: a hot key of its own that reads with a voice and values of
// its own. Portable: the slot table and slots.ini keep its numbers as text,
// which is read where it is taken from them.

#include <string>
#include <string_view>

#include "settings/hot_key.h"

// The engine families as the settings files store them ("SAPIVersion").
inline constexpr int kSapi4Family = 4;
inline constexpr int kSapi5Family = 5;

struct VoiceSlot {
  std::wstring voiceName;  // as stored: the catalogue entry without " (SAPI5)"
  int family = kSapi4Family;
  HotKeyWord hotKey = 0;  // 0: no key
  // As stored: for SAPI 5 speed and pitch the displayed value
  // (position + 12) * 15, otherwise the engine's own units.
  int speed = 0;
  int pitch = 0;
  int volume = 0;

  bool operator==(const VoiceSlot&) const = default;
};

// A slot's stored speed, pitch or volume text as a number; throws
// std::invalid_argument for text that is not one, so that a reading with a
// damaged slot fails like any other.
int ParseSlotValue(std::wstring_view text);
