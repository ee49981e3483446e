#include "standins/sapi4/engine_modes.h"

#include <cstring>

namespace {

// {6B0F1D20-5A3C-4E71-9C2A-3D5E7F901234}: the one stand-in engine; every
// configured mode gets this with its index added to the first field.
constexpr GUID kEngineId = {0x6B0F1D20, 0x5A3C, 0x4E71, {0x9C, 0x2A, 0x3D, 0x5E, 0x7F, 0x90, 0x12, 0x34}};
constexpr GUID kFirstModeId = {0x6B0F1E00, 0x5A3C, 0x4E71, {0x9C, 0x2A, 0x3D, 0x5E, 0x7F, 0x90, 0x12, 0x34}};

template <size_t size>
void CopyField(char (&field)[size], const std::string& text) {
  std::strncpy(field, text.c_str(), size - 1);
  field[size - 1] = '\0';
}

}  // namespace

GUID ModeId(size_t index) {
  GUID id = kFirstModeId;
  id.Data1 += static_cast<unsigned long>(index);
  return id;
}

TTSMODEINFOA ModeInfo(const EngineConfig& engine, size_t index) {
  TTSMODEINFOA mode{};
  mode.gEngineID = kEngineId;
  mode.gModeID = ModeId(index);
  CopyField(mode.szMfgName, "Tolvane");
  CopyField(mode.szProductName, "Tolvane stand-in engine");
  CopyField(mode.szModeName, engine.modeName);
  mode.language.LanguageID = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  CopyField(mode.language.szDialect, "Standard");
  CopyField(mode.szSpeaker, engine.speaker);
  CopyField(mode.szStyle, "Business");
  mode.wGender = index % 2 == 0 ? kTtsGenderFemale : kTtsGenderMale;
  mode.wAge = 30;
  mode.dwFeatures = TTSFEATURE_VOLUME | TTSFEATURE_SPEED | TTSFEATURE_PITCH | TTSFEATURE_TAGGED;
  mode.dwInterfaces = TTSI_ITTSATTRIBUTES | TTSI_ITTSCENTRAL | (engine.withoutDialogs ? 0 : TTSI_ITTSDIALOGS);
  return mode;
}
