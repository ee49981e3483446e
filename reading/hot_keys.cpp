#include "reading/hot_keys.h"

#include <utility>

#include "reading/system_key_name.h"

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

// Switched on, yet not given to the program.
bool Refused(const GlobalHotKey& key) {
  return key.Active() && key.HotKey() != 0 && !key.Registered();
}

}  // namespace

HotKeyRelease::HotKeyRelease(HotKeys& keys) : keys_(keys) {
  ++keys_.releases_;
  keys_.Apply();
}

HotKeyRelease::~HotKeyRelease() {
  --keys_.releases_;
  keys_.Apply();
}

HotKeys::HotKeys(HWND window, ReadingController& reading, HotKeysOwner& owner)
    : window_(window),
      reading_(reading),
      owner_(owner),
      fixed_{{{window, L"DefaultHotKey", [this](GlobalHotKey&) { reading_.DefaultHotKeyHotKey(); }},
              {window, L"OptionsHotKey", [this](GlobalHotKey&) { owner_.ShowOptions(); }},
              {window, L"StopHotKey", [this](GlobalHotKey&) { reading_.PauseOrResume(); }}}} {}

void HotKeys::SetFixedKeys(const GeneralSettings& settings) {
  fixed_[kReadingKey].SetHotKey(settings.readingHotKey);
  fixed_[kOptionsKey].SetHotKey(settings.optionsHotKey);
  fixed_[kPauseKey].SetHotKey(settings.stopHotKey);
}

void HotKeys::ActivateFixedKeys(const GeneralSettings& settings) {
  SetFixedKeys(settings);
  fixedWanted_ = true;
  Apply();
}

// Freeing a slot's key releases it; the new ones are registered as they are
// made, unless a release holds them back.
void HotKeys::SetSlotKeys(const std::vector<HotKeyWord>& words) {
  slots_.clear();
  for (int n = 0; n < static_cast<int>(words.size()); ++n) {
    auto key = std::make_unique<GlobalHotKey>(window_, kSlotHotKeyName + std::to_wstring(n),
                                              [this, n](GlobalHotKey&) { reading_.SelectSlot(n); });
    key->SetHotKey(words[static_cast<size_t>(n)]);
    key->SetActive(!Released());
    slots_.push_back(std::move(key));
  }
  ReportRefusedSlotKeys();
}

void HotKeys::UnregisterAll() {
  fixedWanted_ = false;
  Apply();
  slots_.clear();
}

void HotKeys::Apply() {
  for (const auto& key : slots_) key->SetActive(!Released());
  for (GlobalHotKey& key : fixed_) key.SetActive(!Released() && fixedWanted_);
}

void HotKeys::ReportRefusedFixedKeys() {
  for (const GlobalHotKey& key : fixed_) {
    if (Refused(key)) owner_.WarnHotKeyRefused(HotKeyRefusedText(HotKeyToText(key.HotKey())));
  }
}

// A slot's key that another program holds does nothing, and at start no
// window of the program shows to say so: a notice beside the tray icon does.
void HotKeys::ReportRefusedSlotKeys() {
  if (slotNoticeShown_) return;
  std::vector<std::pair<int, HotKeyWord>> refused;
  for (size_t n = 0; n < slots_.size(); ++n) {
    if (Refused(*slots_[n])) refused.emplace_back(static_cast<int>(n), slots_[n]->HotKey());
  }
  if (!refused.empty()) slotNoticeShown_ = owner_.ShowHotKeyNotice(RefusedSlotKeysNotice(refused));
}

std::vector<HotKeyWord> HotKeys::FixedWords() const {
  std::vector<HotKeyWord> words;
  for (const GlobalHotKey& key : fixed_) words.push_back(key.HotKey());
  return words;
}

void HotKeys::HandleHotKey(WPARAM identifier) {
  for (GlobalHotKey& key : fixed_) {
    if (key.HandleHotKey(identifier)) return;
  }
  for (const auto& key : slots_) {
    if (key->HandleHotKey(identifier)) return;
  }
}
