// The voice slots: the slot table rebuilt from slots.ini with one hot key per
// slot, and the slot editor, during which no hot key of the program fires.
#include <string>
#include <utility>
#include <vector>

#include "app/main_form.h"
#include "reading/system_key_name.h"
#include "settings/voice_slot_store.h"
#include "ui/message_boxes.h"

namespace {

constexpr wchar_t kSlotHotKeyName[] = L"SlotHotKey_";

std::wstring HotKeyRefusedText(const std::wstring& key) {
  return L"Sorry, but the hot key " + key +
         L" is already in use, so it does not work now. Please, choose some different one.";
}

// Slots are numbered from 1 for the user, as the delete question counts them.
std::wstring RefusedSlotKeysNotice(const std::vector<std::pair<int, HotKeyWord>>& refused) {
  if (refused.size() == 1) {
    return L"The hot key " + HotKeyToText(refused.front().second) + L" of voice slot " +
           std::to_wstring(refused.front().first + 1) +
           L" is used by another program, so it does not work now. Please, choose some "
           L"different one.";
  }
  std::wstring slots;
  for (const auto& [slot, key] : refused) {
    if (!slots.empty()) slots += L", ";
    slots += std::to_wstring(slot + 1) + L" (" + HotKeyToText(key) + L")";
  }
  return L"The hot keys of voice slots " + slots +
         L" are used by another program, so they do not work now. Please, choose some different "
         L"ones.";
}

}  // namespace

// Rows, hot keys and file agree after every rebuild. Freeing a slot's hot key
// releases its key; the new ones are registered as they are made.
void TfrmMain::LoadVoiceSlots() {
  slotHotKeys_.clear();
  slotsPage_.Clear();
  const std::vector<VoiceSlot> slots = ReadVoiceSlots(files_.voiceSlots);
  for (int n = 0; n < static_cast<int>(slots.size()); ++n) {
    slotsPage_.AddSlot(slots[static_cast<size_t>(n)]);
    auto hotKey =
        std::make_unique<GlobalHotKey>(Handle(), kSlotHotKeyName + std::to_wstring(n),
                                       [this, n](GlobalHotKey&) { reading_->SelectSlot(n); });
    hotKey->SetHotKey(slotsPage_.Slot(n).hotKey);
    hotKey->SetActive(true);
    slotHotKeys_.push_back(std::move(hotKey));
  }
  ReportRefusedSlotHotKeys();
}

// A slot's key that another program holds does nothing, and at start no
// window of the program shows to say so: a notice beside the tray icon does,
// once a run. Before the icon shows, the start-up tells once it does.
void TfrmMain::ReportRefusedSlotHotKeys() {
  if (slotKeysNoticeShown_ || !tray_->Visible()) return;
  std::vector<std::pair<int, HotKeyWord>> refused;
  for (size_t n = 0; n < slotHotKeys_.size(); ++n) {
    const GlobalHotKey& hotKey = *slotHotKeys_[n];
    if (hotKey.Active() && hotKey.HotKey() != 0 && !hotKey.Registered()) {
      refused.emplace_back(static_cast<int>(n), hotKey.HotKey());
    }
  }
  if (refused.empty()) return;
  slotKeysNoticeShown_ = true;
  tray_->ShowNotice(RefusedSlotKeysNotice(refused));
}

std::optional<VoiceSlot> TfrmMain::SlotRequests::EditVoiceSlot(SlotEditorRequest request) {
  return root_.OpenSlotEditor(std::move(request));
}

// Every key the program holds is let go while the editor is open, so that the
// user can press any of them into its hot key box and none starts a reading;
// they are all active again afterwards, whatever ended the editor.
std::optional<VoiceSlot> TfrmMain::OpenSlotEditor(SlotEditorRequest request) {
  for (const GlobalHotKey* hotKey : FixedHotKeys()) request.fixedKeys.push_back(hotKey->HotKey());
  SetHotKeysActive(false);
  std::optional<VoiceSlot> slot;
  try {
    slot = EditVoiceSlot(application_.Instance(), Handle(), engines_, pageRequests_, request);
  } catch (...) {
    SetHotKeysActive(true);
    throw;
  }
  SetHotKeysActive(true);
  return slot;
}

void TfrmMain::SetHotKeysActive(bool active) {
  for (const auto& hotKey : slotHotKeys_) hotKey->SetActive(active);
  for (GlobalHotKey* hotKey : {defaultHotKey_.get(), stopHotKey_.get(), optionsHotKey_.get()}) {
    hotKey->SetActive(active);
  }
}

void TfrmMain::ReportRefusedFixedHotKeys() {
  for (GlobalHotKey* hotKey : FixedHotKeys()) {
    if (hotKey->Active() && hotKey->HotKey() != 0 && !hotKey->Registered()) {
      ShowWarning(Handle(), HotKeyRefusedText(HotKeyToText(hotKey->HotKey())));
    }
  }
}
