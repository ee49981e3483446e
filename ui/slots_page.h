#pragma once
// The "Voice slots" page of the options window: the table of voice slots, one
// row each, and the slots' engine families, which the table does not show.

#include <windows.h>

#include <string>
#include <vector>

#include "speech/voice_catalogue.h"
#include "ui/options_page.h"

class TSlotsPage : public TOptionsPage {
 public:
  TSlotsPage();

  // Slot n as its row holds it; throws std::out_of_range when there is no
  // slot n.
  SlotVoiceSettings Slot(int n) const;
  // A row at the end of the table.
  void AddSlot(const SlotVoiceSettings& slot, const std::wstring& hotKeyText = L"");

  HWND Table() const { return table_; }

  void SetDpi(UINT dpi) override;

 protected:
  void OnInit() override;

 private:
  HWND table_ = nullptr;
  // The engine family (4 or 5) of each slot, by slot number.
  std::vector<int> families_;
};
