#pragma once
// The voice slot editor: one slot's voice, hot key, speed, pitch and volume,
// added or changed. It checks what the user entered and hands the slot back
// to be saved; it writes nothing itself.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/voice_slot.h"
#include "speech/engines.h"
#include "ui/help.h"

enum class SlotEditorMode { Add, Edit };

// What the editor asks of the window that opens it.
class SlotEditorOwner {
 public:
  // "&Test voice": the test sentence with the entry's engine at the sliders'
  // positions.
  virtual void SpeakSlotTest(int entry, const VoiceValues& values) = 0;
  // "Want to get high quality voices right now?"
  virtual void ShowMoreVoices() = 0;
  // F1: a topic of the program's help, over `window`.
  virtual void ShowHelp(HWND window, HelpTopic topic) = 0;

 protected:
  ~SlotEditorOwner() = default;
};

struct SlotEditorRequest {
  SlotEditorMode mode = SlotEditorMode::Add;
  // The slot selected on the "Voice slots" page: in edit mode the one edited,
  // in add mode the one whose values a new slot starts from (none when no
  // slot is selected).
  std::optional<VoiceSlot> selected;
  // Keys a slot may not take: the "Hot key" texts of the other slots, and
  // the program's reading, options and pause keys.
  std::vector<std::wstring> otherSlotKeys;
  std::vector<HotKeyWord> fixedKeys;
};

// Shows the editor modal over `owner` with the catalogue's voices. Answers the
// slot to save when the user confirmed it and every check passed; nothing
// when the user closed it.
std::optional<VoiceSlot> EditVoiceSlot(HINSTANCE instance, HWND owner, Engines& engines,
                                       SlotEditorOwner& requests, const SlotEditorRequest& request);
