#include "reading/selected_text.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <utility>
#include <variant>
#include <vector>

#include "base/wait_with_messages.h"
#include "reading/selected_text_control.h"

namespace {

using namespace std::chrono_literals;

// The user normally lets go of the hot key's modifiers within this time.
constexpr auto kModifierRelease = 500ms;
// Programs that copy at all have begun to, changing the clipboard, well
// within this time after the keystroke.
constexpr auto kCopyWait = 1s;
// Some keep the clipboard open for a while after they copied (Wine's
// clipboard bridge for about a second); by this time after the keystroke
// they have let go of it.
constexpr auto kCopyDeadline = 2s;
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

ClipboardSnapshot SaveClipboard(PendingClipboardRestore& pendingRestore,
                                const std::function<void()>& processMessages) {
  ScopedClipboard clipboard(pendingRestore.Owner(), processMessages);
  // A snapshot that an earlier capture could not put back yet is the user's
  // clipboard; the clipboard itself still holds that capture's copy.
  pendingRestore.RestoreWaitingSnapshot(clipboard);
  return ClipboardSnapshot::Take(clipboard);
}

// Reads the copy and puts the saved clipboard back under one open, so no one
// slips in between. Content marked private is not read: with nothing copied
// it is the user's own clipboard, a password just copied, and the sequence
// number cannot tell that apart after another capture ran in between and
// put the same content back.
std::optional<std::wstring> ReadCopyAndRestore(HWND owner, const ClipboardSnapshot& saved,
                                               std::chrono::steady_clock::time_point deadline,
                                               const std::function<void()>& processMessages) {
  const auto patience = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  ScopedClipboard clipboard(owner, processMessages, patience);
  std::optional<std::wstring> text;
  if (!clipboard.HoldsPrivateContent()) text = clipboard.UnicodeText();
  saved.Restore(clipboard);
  return text;
}

std::optional<std::wstring> CopyAndRestore(HWND owner, const ClipboardSnapshot& saved,
                                           const std::function<void()>& processMessages) {
  CopyInOwnFocus();
  AwaitModifierRelease(processMessages);
  // Taken right before the keystroke: the own focus's copy, and anything
  // that ran while the modifiers were awaited, must not count as the copy.
  const DWORD before = GetClipboardSequenceNumber();
  const auto deadline = std::chrono::steady_clock::now() + kCopyDeadline;
  if (SendCopyKeystroke()) {
    WaitWithMessages([before] { return GetClipboardSequenceNumber() != before; }, kCopyWait,
                     processMessages);
  }
  return ReadCopyAndRestore(owner, saved, deadline, processMessages);
}

// The asker of last resort, which always answers: whatever the focused
// window copied, or the clipboard's earlier text when it copied nothing.
SelectionAnswer AskWithCopyKeystroke(PendingClipboardRestore& pendingRestore,
                                     const std::function<void()>& processMessages) {
  ClipboardSnapshot saved = SaveClipboard(pendingRestore, processMessages);
  std::optional<std::wstring> text;
  try {
    text = CopyAndRestore(pendingRestore.Owner(), saved, processMessages);
  } catch (...) {
    // The reading fails, but the user's clipboard must not stay replaced by
    // the copy: it goes back once the clipboard is free.
    pendingRestore.RestoreWhenFree(std::move(saved));
    throw;
  }
  // A password the user copied from a password manager is not read aloud
  // just because nothing was selected.
  if (!text) throw std::runtime_error(kPrivateClipboardContent);
  return std::move(*text);
}

// What a copy keystroke with nothing to copy would have read, under the same
// rules, with the clipboard left alone: a user's clipboard that an earlier
// capture could not put back yet goes back first, and private content is
// not read.
std::wstring EarlierClipboardText(PendingClipboardRestore& pendingRestore,
                                  const std::function<void()>& processMessages) {
  ScopedClipboard clipboard(pendingRestore.Owner(), processMessages);
  pendingRestore.RestoreWaitingSnapshot(clipboard);
  if (clipboard.HoldsPrivateContent()) throw std::runtime_error(kPrivateClipboardContent);
  return clipboard.UnicodeText();
}

}  // namespace

std::wstring CaptureSelectedText(PendingClipboardRestore& pendingRestore,
                                 const std::function<void()>& processMessages) {
  // In order; the copy keystroke, last, always answers.
  const SelectionAsker askers[] = {
      AskFocusedControl,
      [&] { return std::optional(AskWithCopyKeystroke(pendingRestore, processMessages)); },
  };
  std::optional<SelectionAnswer> answer;
  for (const SelectionAsker& ask : askers) {
    if ((answer = ask())) break;
  }
  if (auto* text = std::get_if<std::wstring>(&answer.value())) return std::move(*text);
  return EarlierClipboardText(pendingRestore, processMessages);
}
