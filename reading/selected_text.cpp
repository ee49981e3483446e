#include "reading/selected_text.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "reading/clipboard_snapshot.h"

namespace {

using namespace std::chrono_literals;

// The user normally lets go of the hot key's modifiers within this time.
constexpr auto kModifierRelease = 500ms;
// Programs that copy at all have done so well within this time.
constexpr auto kCopyWait = 1s;
// A virtual-key code with no key and no meaning to any program.
constexpr WORD kMaskKey = 0xE8;

struct ModifierKey {
  WORD virtualKey;
  bool extended;
  // Alt or Win pressed and released with no other key in between opens the
  // window's menu or the Start menu.
  bool opensMenu;
};

// The modifiers a hot key may leave held that would turn Ctrl+C into another
// command. A held Ctrl does no harm: the keystroke holds it anyway.
constexpr ModifierKey kModifierKeys[] = {
    {VK_LSHIFT, false, false}, {VK_RSHIFT, false, false}, {VK_LMENU, false, true},
    {VK_RMENU, true, true},    {VK_LWIN, true, true},     {VK_RWIN, true, true},
};

std::vector<ModifierKey> HeldModifiers() {
  std::vector<ModifierKey> held;
  for (const ModifierKey& key : kModifierKeys) {
    if (GetAsyncKeyState(key.virtualKey) & 0x8000) held.push_back(key);
  }
  return held;
}

bool AnyOpensMenu(const std::vector<ModifierKey>& keys) {
  return std::any_of(keys.begin(), keys.end(),
                     [](const ModifierKey& key) { return key.opensMenu; });
}

INPUT KeyEvent(WORD virtualKey, bool up, bool extended = false) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

// A tap of a key that means nothing: with it between, the release of a held
// Alt or Win no longer counts as that key pressed alone.
void AppendMask(std::vector<INPUT>& inputs) {
  inputs.push_back(KeyEvent(kMaskKey, false));
  inputs.push_back(KeyEvent(kMaskKey, true));
}

bool Send(std::vector<INPUT>& inputs) {
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// The hot key's modifiers may still be down. Alt or Win is masked at once,
// so that letting go of it in a moment opens no menu in the application;
// then the user gets a little time to let go of them.
void AwaitModifierRelease(const std::function<void()>& processMessages) {
  if (AnyOpensMenu(HeldModifiers())) {
    std::vector<INPUT> mask;
    AppendMask(mask);
    Send(mask);
  }
  WaitWithMessages([] { return HeldModifiers().empty(); }, kModifierRelease, processMessages);
}

// Ctrl+C as one uninterrupted series of events, so the application sees
// exactly Ctrl+C: modifiers still held are lifted first. They are masked
// once more, for an Alt or Win that went down again during the wait. Answers
// whether the system took the events.
bool SendCopyKeystroke() {
  const std::vector<ModifierKey> held = HeldModifiers();
  std::vector<INPUT> inputs;
  if (AnyOpensMenu(held)) AppendMask(inputs);
  for (const ModifierKey& key : held) {
    inputs.push_back(KeyEvent(key.virtualKey, true, key.extended));
  }
  inputs.push_back(KeyEvent(VK_CONTROL, false));
  inputs.push_back(KeyEvent('C', false));
  inputs.push_back(KeyEvent('C', true));
  inputs.push_back(KeyEvent(VK_CONTROL, true));
  return Send(inputs);
}

// A window of this program with the focus (an edit box of the options
// window) copies on WM_COPY; other programs' windows are never this thread's
// focus, so this reaches nothing outside the program.
void CopyInOwnFocus() {
  if (HWND focus = GetFocus(); focus != nullptr) SendMessageW(focus, WM_COPY, 0, 0);
}

ClipboardSnapshot SaveClipboard(HWND owner, const std::function<void()>& processMessages) {
  ScopedClipboard clipboard(owner, processMessages);
  return ClipboardSnapshot::Take(clipboard);
}

}  // namespace

std::wstring CaptureSelectedText(HWND clipboardOwner,
                                 const std::function<void()>& processMessages) {
  const ClipboardSnapshot saved = SaveClipboard(clipboardOwner, processMessages);
  CopyInOwnFocus();
  AwaitModifierRelease(processMessages);
  // Taken right before the keystroke: the own focus's copy, and anything
  // that ran while the modifiers were awaited, must not count as the copy.
  const DWORD before = GetClipboardSequenceNumber();
  if (SendCopyKeystroke()) {
    WaitWithMessages([before] { return GetClipboardSequenceNumber() != before; }, kCopyWait,
                     processMessages);
  }
  // Read and put back under one open, so no one slips in between.
  ScopedClipboard clipboard(clipboardOwner, processMessages);
  std::wstring text = clipboard.UnicodeText();
  saved.Restore(clipboard);
  return text;
}
