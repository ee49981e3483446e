#include "speech/sapi4_tags.h"

namespace {

constexpr uint32_t kFullLevel = 65535;

std::string Tag(const char* name, uint32_t value) {
  return std::string("\\") + name + "=" + std::to_string(value) + "\\";
}

}  // namespace

std::string SpeedTag(uint32_t wordsPerMinute) { return Tag("Spd", wordsPerMinute); }

std::string PitchTag(uint16_t hertz) { return Tag("Pit", hertz); }

std::string VolumeTag(uint32_t percent) {
  // Unsigned 32-bit arithmetic throughout: an out-of-range percentage wraps
  // the way the engines have always been sent it.
  const uint32_t level = percent * kFullLevel / 100 % 65536;
  return Tag("Vol", level + level * 65536);
}

uint32_t VolumePercent(uint32_t engineVolume) { return (engineVolume & 0xFFFF) * 100 / kFullLevel; }
