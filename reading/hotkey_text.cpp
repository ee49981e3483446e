#include "reading/hotkey_text.h"

#include <cwctype>

namespace {

// The names the hot key texts have always used for these keys, whatever the
// keyboard layout calls them.
constexpr std::wstring_view kNavigationNames[] = {L"Space", L"PgUp", L"PgDn",  L"End", L"Home",
                                                  L"Left",  L"Up",   L"Right", L"Down"};
constexpr std::wstring_view kShiftPrefix = L"Shift+";
constexpr std::wstring_view kCtrlPrefix = L"Ctrl+";
constexpr std::wstring_view kCtrlShortPrefix = L"^";
constexpr std::wstring_view kAltPrefix = L"Alt+";

// The first key code a text is looked up from: codes below 8 are mouse buttons
// and Cancel, never a hot key.
constexpr unsigned kFirstKeyCode = 8;
constexpr unsigned kLastKeyCode = 255;

// Letter case is folded one code unit at a time, the same on every platform and
// in every locale, so a text reads back alike everywhere.
wchar_t FoldCase(wchar_t c) {
  return static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

// Removes `prefix` from the front of `text` when it is there, in any letter case.
bool ConsumePrefix(std::wstring_view& text, std::wstring_view prefix) {
  if (text.size() < prefix.size() || !EqualIgnoringCase(text.substr(0, prefix.size()), prefix))
    return false;
  text.remove_prefix(prefix.size());
  return true;
}

}  // namespace

std::wstring KeyName(std::uint8_t virtualKey, const SystemKeyNameFunction& systemKeyName) {
  switch (virtualKey) {
    case 8:
      return L"BkSp";
    case 9:
      return L"Tab";
    case 13:
      return L"Enter";
    case 27:
      return L"Esc";
    case 45:
      return L"Ins";
    case 46:
      return L"Del";
    default:
      break;
  }
  if (virtualKey >= 32 && virtualKey <= 40) return std::wstring(kNavigationNames[virtualKey - 32]);
  if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) {
    return std::wstring(1, static_cast<wchar_t>(virtualKey));
  }
  if (virtualKey >= 96 && virtualKey <= 105)
    return std::wstring(1, static_cast<wchar_t>(L'0' + (virtualKey - 96)));
  if (virtualKey >= 112 && virtualKey <= 135) return L"F" + std::to_wstring(virtualKey - 111);
  return systemKeyName ? systemKeyName(virtualKey) : std::wstring();
}

std::wstring HotKeyToText(HotKeyWord hotKey, const SystemKeyNameFunction& systemKeyName) {
  std::wstring name = KeyName(static_cast<std::uint8_t>(hotKey & 0xFF), systemKeyName);
  // A key without a name has no text at all: modifiers alone are no hot key.
  if (name.empty()) return name;
  std::wstring text;
  if (hotKey & kShiftModifier) text += kShiftPrefix;
  if (hotKey & kCtrlModifier) text += kCtrlPrefix;
  if (hotKey & kAltModifier) text += kAltPrefix;
  return text + name;
}

HotKeyWord TextToHotKey(std::wstring_view text, const SystemKeyNameFunction& systemKeyName) {
  HotKeyWord modifiers = 0;
  for (;;) {
    if (ConsumePrefix(text, kShiftPrefix)) {
      modifiers |= kShiftModifier;
    } else if (ConsumePrefix(text, kCtrlShortPrefix) || ConsumePrefix(text, kCtrlPrefix)) {
      modifiers |= kCtrlModifier;
    } else if (ConsumePrefix(text, kAltPrefix)) {
      modifiers |= kAltModifier;
    } else {
      break;
    }
  }
  if (text.empty()) return 0;
  // Names are not unique (the numeric-pad digits share the digits' names), so
  // the first key with the name wins, as it always has.
  for (unsigned key = kFirstKeyCode; key <= kLastKeyCode; ++key) {
    if (EqualIgnoringCase(text, KeyName(static_cast<std::uint8_t>(key), systemKeyName))) {
      return static_cast<HotKeyWord>(key | modifiers);
    }
  }
  return 0;
}
