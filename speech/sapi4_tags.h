#pragma once

// SAPI 4 control tags for speed, pitch and volume, and the volume scale the
// engines report. Tags take effect for the text handed over after them.

#include <cstdint>
#include <string>

std::string SpeedTag(uint32_t wordsPerMinute);
std::string PitchTag(uint16_t hertz);
// The percentage 0..100 scaled onto 0..65535 and set on both channels (left
// in the low word, right in the high word).
std::string VolumeTag(uint32_t percent);
// An engine's volume back as a percentage of its left channel.
uint32_t VolumePercent(uint32_t engineVolume);
