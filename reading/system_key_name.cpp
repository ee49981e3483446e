#include "reading/system_key_name.h"

#include <windows.h>

std::wstring SystemKeyName(std::uint8_t virtualKey) {
  // Only the scan code goes in (bits 16..23), without the extended-key bit:
  // the keys whose name would depend on it have fixed names in the codec.
  const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  if (scanCode == 0) return {};
  wchar_t name[256] = {};
  const int length =
      GetKeyNameTextW(static_cast<LONG>(scanCode << 16), name, static_cast<int>(std::size(name)));
  if (length <= 0) return {};
  return std::wstring(name, static_cast<std::size_t>(length));
}

std::wstring HotKeyToText(HotKeyWord hotKey) { return HotKeyToText(hotKey, SystemKeyName); }

HotKeyWord TextToHotKey(std::wstring_view text) { return TextToHotKey(text, SystemKeyName); }
