#pragma once
// slots.ini, the voice slot store: one section per slot, "Slot_0", "Slot_1"
// and so on without gaps, with the keys Voice, HotKey, Speed, Pitch, Volume
// and SAPIVersion in that order. The file is read only up to the first missing
// number; what follows a gap stays in the file until an addition fills it.
// Every change rewrites the file in one step, in its own encoding, so a
// failure never loses the slots already stored.

#include <string>
#include <vector>

#include "settings/voice_slot.h"

// The file's name; settings/program_files.h says in which folder.
inline constexpr wchar_t kVoiceSlotsFile[] = L"slots.ini";

// "Slot_" and the number.
std::wstring SlotSectionName(int slot);

// The slots from number 0 up to the first missing section; none when the file
// is missing. Missing keys read as empty values, family 4 and no hot key.
std::vector<VoiceSlot> ReadVoiceSlots(const std::wstring& path);

// The smallest slot number that has no section.
int FirstFreeSlotNumber(const std::wstring& path);

// Writes slot n's section and tidies the file. Throws when the file cannot be
// written; it is then as it was.
void WriteVoiceSlot(const std::wstring& path, int slot, const VoiceSlot& value);

// Removes slot n of the slotCount slots that were read: its section goes, the
// later sections are renamed one number down where they stand, and the file is
// tidied, or deleted when it holds no section at all (sections after a gap
// keep it). A header that is not a line of its own (edited by hand) leaves
// the file as it was, and the answer is false. Throws when the file cannot be
// read or replaced; it is then as it was.
bool DeleteVoiceSlot(const std::wstring& path, int slot, int slotCount);

// "Clear all": deletes the file. Throws when it exists and cannot be deleted.
void DeleteAllVoiceSlots(const std::wstring& path);
