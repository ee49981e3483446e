#pragma once
// How GoogleTest prints a voice slot in a failed comparison: field by field,
// so that the message names the field that differs instead of dumping bytes.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "settings/voice_slot.h"

inline void PrintTo(const VoiceSlot& slot, std::ostream* os) {
  const auto number = [](const std::optional<int>& value) {
    return value ? std::to_string(*value) : std::string("(none)");
  };
  *os << "{voice " << ::testing::PrintToString(slot.voiceName) << ", family " << slot.family
      << ", hot key " << slot.hotKey << ", speed " << number(slot.speed) << ", pitch "
      << number(slot.pitch) << ", volume " << number(slot.volume) << "}";
}
