#pragma once
// The program's system-wide hot keys: the reading, options and pause keys
// (`DefaultHotKey`, `OptionsHotKey`, `StopHotKey`) and one key per voice slot
// (`SlotHotKey_<n>`). They are set from cfg.ini's settings and the slot
// store, a press goes to the reading controller (the options key to the
// owner), and keys that another program holds are reported. An editor in
// which the user types keys holds a release: while one lives, no key of the
// program is registered, and changes wait until the last one ends.

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "reading/global_hotkey.h"
#include "reading/reading_controller.h"
#include "settings/main_settings.h"

// What the hot keys ask of the program.
class HotKeysOwner {
 public:
  // The options key: the options window on its "General" page.
  virtual void ShowOptions() = 0;
  // A fixed key that another program holds, after the user chose it: a
  // warning with `text`.
  virtual void WarnHotKeyRefused(const std::wstring& text) = 0;
  // Slot keys that other programs hold: a notice with `text` beside the tray
  // icon. Answers false when there is no icon yet to show it.
  virtual bool ShowHotKeyNotice(const std::wstring& text) = 0;

 protected:
  ~HotKeysOwner() = default;
};

class HotKeys;

// While it lives every key of the program is let go, so that the user can
// type any of them into a hot key box and none fires, and a key the program
// holds itself is not taken for another program's.
class [[nodiscard]] HotKeyRelease {
 public:
  explicit HotKeyRelease(HotKeys& keys);
  ~HotKeyRelease();
  HotKeyRelease(const HotKeyRelease&) = delete;
  HotKeyRelease& operator=(const HotKeyRelease&) = delete;

 private:
  HotKeys& keys_;
};

class HotKeys {
 public:
  enum FixedKey { kReadingKey, kOptionsKey, kPauseKey };

  // The keys are registered for `window`, whose WM_HOTKEY comes to
  // HandleHotKey.
  HotKeys(HWND window, ReadingController& reading, HotKeysOwner& owner);
  HotKeys(const HotKeys&) = delete;
  HotKeys& operator=(const HotKeys&) = delete;

  // The reading, options and pause keys take the settings' words: a key
  // whose word changed moves to its new keys, and none is switched on or off.
  void SetFixedKeys(const GeneralSettings& settings);
  // The same, and the fixed keys are registered (again).
  void ActivateFixedKeys(const GeneralSettings& settings);
  // One key per slot, the n-th word's named "SlotHotKey_<n>", in place of the
  // earlier ones; each is registered as it is made, and those another program
  // holds are told once a run.
  void SetSlotKeys(const std::vector<HotKeyWord>& words);
  // Every key let go and the slot keys gone, as the program or Windows ends;
  // ActivateFixedKeys and SetSlotKeys bring them back.
  void UnregisterAll();

  // Every key let go while the answer lives.
  HotKeyRelease Release() { return HotKeyRelease(*this); }

  // After the user chose the fixed keys: a warning for each that another
  // program holds.
  void ReportRefusedFixedKeys();
  // Slot keys that another program holds, in one notice, once a run: a start
  // that made them before the tray icon showed tells once it does.
  void ReportRefusedSlotKeys();

  const GlobalHotKey& Fixed(FixedKey key) const { return fixed_[key]; }
  // The fixed keys' words, which no slot may take.
  std::vector<HotKeyWord> FixedWords() const;

  // WM_HOTKEY: the press of the key with that identifier, if it is one of
  // these.
  void HandleHotKey(WPARAM identifier);

 private:
  friend class HotKeyRelease;

  bool Released() const { return releases_ > 0; }
  // Registers what is wanted, as far as no release holds the keys.
  void Apply();

  HWND window_;
  ReadingController& reading_;
  HotKeysOwner& owner_;
  // In the order of FixedKey.
  std::array<GlobalHotKey, 3> fixed_;
  std::vector<std::unique_ptr<GlobalHotKey>> slots_;
  bool fixedWanted_ = false;
  int releases_ = 0;
  bool slotNoticeShown_ = false;
};
