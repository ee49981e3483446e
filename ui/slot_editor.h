#pragma once
// The voice slot editor: one slot's voice, hot key, speed, pitch and volume.

#include "ui/form.h"

class TfrmSlot : public TForm {
 public:
  explicit TfrmSlot(HINSTANCE instance, HWND owner);
};
