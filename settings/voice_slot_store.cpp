#include "settings/voice_slot_store.h"

#include <windows.h>

#include <optional>
#include <string>

#include "settings/file_replace.h"
#include "settings/ini_text.h"
#include "settings/ini_values.h"
#include "settings/profile_file.h"

namespace {

constexpr wchar_t kVoice[] = L"Voice";
constexpr wchar_t kHotKey[] = L"HotKey";
constexpr wchar_t kSpeed[] = L"Speed";
constexpr wchar_t kPitch[] = L"Pitch";
constexpr wchar_t kVolume[] = L"Volume";
constexpr wchar_t kSapiVersion[] = L"SAPIVersion";

std::string AsciiSectionName(int slot) { return "Slot_" + std::to_string(slot); }

// A slot's section counts when it holds a key: without a key name the system
// answers the section's keys, none for a header alone or no header at all.
bool HasSection(const ProfileFile& file, const std::wstring& section) {
  return !file.ReadString(section.c_str(), nullptr, L"").empty();
}

std::optional<int> ReadNumber(const ProfileFile& file, const std::wstring& section,
                              const wchar_t* key) {
  return ParseIniInteger(file.ReadString(section.c_str(), key, L""));
}

}  // namespace

std::wstring SlotSectionName(int slot) { return L"Slot_" + std::to_wstring(slot); }

std::vector<VoiceSlot> ReadVoiceSlots(const std::wstring& path) {
  const ProfileFile file(path);
  std::vector<VoiceSlot> slots;
  for (int n = 0;; ++n) {
    const std::wstring section = SlotSectionName(n);
    if (!HasSection(file, section)) return slots;
    slots.push_back(
        {.voiceName = file.ReadString(section.c_str(), kVoice, L""),
         .family = file.ReadInteger(section.c_str(), kSapiVersion, kSapi4Family),
         .hotKey = static_cast<HotKeyWord>(file.ReadInteger(section.c_str(), kHotKey, 0)),
         .speed = ReadNumber(file, section, kSpeed),
         .pitch = ReadNumber(file, section, kPitch),
         .volume = ReadNumber(file, section, kVolume)});
  }
}

int FirstFreeSlotNumber(const std::wstring& path) {
  const ProfileFile file(path);
  int n = 0;
  while (HasSection(file, SlotSectionName(n))) ++n;
  return n;
}

void WriteVoiceSlot(const std::wstring& path, int slot, const VoiceSlot& value) {
  RewriteIniFile(path, [&](const ProfileFile& copy) {
    const std::wstring section = SlotSectionName(slot);
    const auto writeNumber = [&](const wchar_t* key, const std::optional<int>& number) {
      copy.WriteString(section.c_str(), key, number ? std::to_wstring(*number) : L"");
    };
    copy.WriteString(section.c_str(), kVoice, value.voiceName);
    copy.WriteInteger(section.c_str(), kHotKey, value.hotKey);
    writeNumber(kSpeed, value.speed);
    writeNumber(kPitch, value.pitch);
    writeNumber(kVolume, value.volume);
    copy.WriteInteger(section.c_str(), kSapiVersion, value.family);
  });
}

bool DeleteVoiceSlot(const std::wstring& path, int slot, int slotCount) {
  // What the system may still hold of the file goes into it before it is
  // read as a whole.
  ProfileFile(path).Flush();
  std::optional<std::string> contents =
      RemoveIniSection(ReadWholeFile(path), AsciiSectionName(slot));
  for (int k = slot; contents && k < slotCount - 1; ++k) {
    contents = RenameIniSection(*contents, AsciiSectionName(k + 1), AsciiSectionName(k));
  }
  if (!contents) return false;
  // Sections after a gap are not listed, but they are the user's too.
  if (HoldsIniSection(*contents)) {
    ReplaceWholeFile(path, TidyIniText(*contents));
  } else {
    DeleteAllVoiceSlots(path);
  }
  return true;
}

void DeleteAllVoiceSlots(const std::wstring& path) { DeleteWholeFile(path); }
