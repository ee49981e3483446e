#include "settings/voice_slot.h"

#include <stdexcept>

#include "settings/ini_values.h"

int ParseSlotValue(std::wstring_view text) {
  const auto value = ParseIniInteger(text);
  if (!value) throw std::invalid_argument("stored voice slot value is not a number");
  return *value;
}
