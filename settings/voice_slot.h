#pragma once
// A voice slot: a hot key of its own that reads with a voice and values of
// its own. Portable.

#include <optional>
#include <string>

#include "settings/hot_key.h"

// The engine families as the settings files store them ("SAPIVersion").
inline constexpr int kSapi4Family = 4;
inline constexpr int kSapi5Family = 5;

struct VoiceSlot {
  std::wstring voiceName;  // as stored: the catalogue entry without " (SAPI5)"
  int family = kSapi4Family;
  HotKeyWord hotKey = 0;  // 0: no key
  // As stored: for SAPI 5 speed and pitch the displayed value
  // (position + 12) * 15, otherwise the engine's own units. Empty where the
  // stored text is no number: a slot has no default to fall back to, so the
  // step of a reading that needs the value fails, and only that step.
  std::optional<int> speed;
  std::optional<int> pitch;
  std::optional<int> volume;

  bool operator==(const VoiceSlot&) const = default;
};
