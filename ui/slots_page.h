#pragma once
// The "Voice slots" page of the options window: the table of voice slots, one
// row each.

#include <windows.h>

#include "settings/voice_slot.h"
#include "ui/options_page.h"

class TSlotsPage : public TOptionsPage {
 public:
  TSlotsPage();

  // Slot n as its row holds it, without the numbers its row does not hold
  // as numbers; throws std::out_of_range when there is no slot n.
  VoiceSlot Slot(int n) const;
  // A row at the end of the table.
  void AddSlot(const VoiceSlot& slot);

  HWND Table() const { return table_; }

  void SetDpi(UINT dpi) override;

 protected:
  void OnInit() override;

 private:
  HWND table_ = nullptr;
};
