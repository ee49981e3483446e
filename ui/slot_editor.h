#pragma once
// The voice slot editor: one slot's voice, hot key, speed, pitch and volume.

#include <windows.h>

#include "settings/voice_slot.h"

// Shows the editor over `owner` for `slot`, modal. Answers whether the user
// confirmed it; only then does `slot` take the edited values.
bool EditVoiceSlot(HINSTANCE instance, HWND owner, VoiceSlot& slot);
