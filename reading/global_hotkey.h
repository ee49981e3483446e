#pragma once
// A system-wide hot key of the application: one hot key word registered with
// RegisterHotKey for an owner window, whose WM_HOTKEY the owner hands back
// here. `DefaultHotKey`, `OptionsHotKey`, `StopHotKey` and `SlotHotKey_<n>`.

#include <windows.h>

#include <functional>
#include <string>

#include "settings/hot_key.h"

class GlobalHotKey {
 public:
  // What a handler needs beyond the firing object, such as a slot's number,
  // it holds itself.
  using Handler = std::function<void(GlobalHotKey&)>;

  // Takes the next identifier of the process that no living object holds;
  // registers nothing yet.
  GlobalHotKey(HWND owner, std::wstring name, Handler onHotKey);
  // Unregisters.
  ~GlobalHotKey();
  GlobalHotKey(const GlobalHotKey&) = delete;
  GlobalHotKey& operator=(const GlobalHotKey&) = delete;

  // The component's name, e.g. L"DefaultHotKey", L"SlotHotKey_3".
  const std::wstring& Name() const { return name_; }

  HotKeyWord HotKey() const { return hotKey_; }
  // A changed word is registered in place of the old one while the object is
  // active; the active state stays as it was.
  void SetHotKey(HotKeyWord hotKey);

  bool Active() const { return active_; }
  // Registers the word (true) or releases it (false).
  void SetActive(bool active);

  // Whether the system accepted the current registration: an active object
  // whose word is empty or taken by another program is not registered.
  bool Registered() const { return registered_; }

  // The hot key identifier passed to RegisterHotKey and carried by WM_HOTKEY.
  int Identifier() const { return identifier_; }

  // Called by the owner window for every WM_HOTKEY (786): runs the handler and
  // returns true when the identifier is this object's. The handler's
  // exceptions pass through to the owner's window procedure guard.
  bool HandleHotKey(WPARAM identifier);

 private:
  void Register();
  void Unregister();

  HWND owner_;
  std::wstring name_;
  Handler onHotKey_;
  int identifier_;
  HotKeyWord hotKey_ = 0;
  bool active_ = false;
  bool registered_ = false;
};

// Whether the system would give the hot key to this program now: it is
// registered for `window` and let go at once. A key this program holds
// itself is not available either.
bool HotKeyAvailable(HWND window, HotKeyWord hotKey);
