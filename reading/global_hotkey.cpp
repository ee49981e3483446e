#include "reading/global_hotkey.h"

#include <set>
#include <stdexcept>
#include <utility>

namespace {

// Applications may use hot key identifiers 0x0000..0xBFFF (the rest belong to
// shared DLLs). A rebuilt slot table makes new objects all the time, so the
// identifiers go round: each object takes the next one that no living object
// holds. Two living objects sharing one would run each other's handler and
// unregister each other's key.
constexpr int kFirstIdentifier = 1;
constexpr int kLastIdentifier = 0xBFFF;

// The per-process identifiers; objects are made on the UI thread only.
int nextIdentifier = kFirstIdentifier;
std::set<int> identifiersHeld;

int TakeIdentifier() {
  for (int tried = kFirstIdentifier; tried <= kLastIdentifier; ++tried) {
    const int identifier = nextIdentifier;
    nextIdentifier = identifier == kLastIdentifier ? kFirstIdentifier : identifier + 1;
    if (identifiersHeld.insert(identifier).second) return identifier;
  }
  throw std::length_error("every hot key identifier is held");
}

UINT ModifiersOf(HotKeyWord hotKey) {
  UINT modifiers = 0;
  if (hotKey & kShiftModifier) modifiers |= MOD_SHIFT;
  if (hotKey & kCtrlModifier) modifiers |= MOD_CONTROL;
  if (hotKey & kAltModifier) modifiers |= MOD_ALT;
  return modifiers;
}

}  // namespace

GlobalHotKey::GlobalHotKey(HWND owner, std::wstring name, Handler onHotKey)
    : owner_(owner),
      name_(std::move(name)),
      onHotKey_(std::move(onHotKey)),
      identifier_(TakeIdentifier()) {}

GlobalHotKey::~GlobalHotKey() {
  Unregister();
  identifiersHeld.erase(identifier_);
}

void GlobalHotKey::SetHotKey(HotKeyWord hotKey) {
  if (hotKey == hotKey_) return;
  Unregister();
  hotKey_ = hotKey;
  if (active_) Register();
}

void GlobalHotKey::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (active_) {
    Register();
  } else {
    Unregister();
  }
}

bool GlobalHotKey::HandleHotKey(WPARAM identifier) {
  if (identifier != static_cast<WPARAM>(identifier_)) return false;
  // A copy runs, so a handler that frees this object does not pull its own
  // code out from under itself.
  Handler handler = onHotKey_;
  if (handler) handler(*this);
  return true;
}

void GlobalHotKey::Register() {
  registered_ = false;
  const auto virtualKey = static_cast<UINT>(hotKey_ & 0xFF);
  if (virtualKey == 0) return;
  const UINT modifiers = ModifiersOf(hotKey_);
  // MOD_NOREPEAT keeps a held-down hot key from firing again and again (and
  // starting the reading over with every repeat). Systems before Windows 7 do
  // not know the flag and refuse the whole registration with
  // ERROR_INVALID_PARAMETER; there the hot key is registered without it rather
  // than not at all. Any other refusal (the key is taken) stands.
  if (RegisterHotKey(owner_, identifier_, modifiers | MOD_NOREPEAT, virtualKey)) {
    registered_ = true;
  } else if (GetLastError() == ERROR_INVALID_PARAMETER) {
    registered_ = RegisterHotKey(owner_, identifier_, modifiers, virtualKey) != FALSE;
  }
}

void GlobalHotKey::Unregister() {
  if (!registered_) return;
  UnregisterHotKey(owner_, identifier_);
  registered_ = false;
}

bool HotKeyAvailable(HWND window, HotKeyWord hotKey) {
  GlobalHotKey probe(window, L"", nullptr);
  probe.SetHotKey(hotKey);
  probe.SetActive(true);
  return probe.Registered();
}
