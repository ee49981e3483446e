// The voice slots: the slot table rebuilt from slots.ini with one hot key per
// slot, and what the hot keys ask of the window.
#include <string>
#include <vector>

#include "app/main_form.h"
#include "settings/voice_slot_store.h"
#include "ui/message_boxes.h"

// Rows, hot keys and file agree after every rebuild: a file that cannot be
// read leaves neither rows nor keys. A slot's key is the word its row holds.
void TfrmMain::LoadVoiceSlots() {
  slotsPage_.Clear();
  hotKeys_->SetSlotKeys({});
  for (const VoiceSlot& slot : ReadVoiceSlots(files_.voiceSlots)) slotsPage_.AddSlot(slot);
  std::vector<HotKeyWord> keys;
  for (int n = 0; n < slotsPage_.Count(); ++n) keys.push_back(slotsPage_.Slot(n).hotKey);
  hotKeys_->SetSlotKeys(keys);
}

void TfrmMain::HotKeyRequests::WarnHotKeyRefused(const std::wstring& text) {
  ShowWarning(root_.Handle(), text);
}

// Before the icon shows, the start-up tells once it does.
bool TfrmMain::HotKeyRequests::ShowHotKeyNotice(const std::wstring& text) {
  if (!root_.tray_->Visible()) return false;
  root_.tray_->ShowNotice(text);
  return true;
}
