// A second process for the tests: tells whether a hot key is free by trying to
// register it system-wide.
//   hotkey_probe <shortcut word in decimal>
// Exit code 0: the key was free (it registered it and let it go again);
// 1: the system refused it (another process holds it); 2: bad command line.

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  wchar_t* end = nullptr;
  const unsigned long word = std::wcstoul(argv[1], &end, 10);
  if (end == argv[1] || *end != L'\0' || word > 0xFFFF) return 2;

  // The same modifier mapping as GlobalHotKey; MOD_NOREPEAT is left out, since
  // it plays no part in whether the key combination is taken.
  UINT modifiers = 0;
  if (word & 0x2000) modifiers |= MOD_SHIFT;
  if (word & 0x4000) modifiers |= MOD_CONTROL;
  if (word & 0x8000) modifiers |= MOD_ALT;
  const UINT virtualKey = word & 0xFF;

  if (!RegisterHotKey(nullptr, 1, modifiers, virtualKey)) return 1;
  UnregisterHotKey(nullptr, 1);
  return 0;
}
