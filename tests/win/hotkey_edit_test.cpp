// The hot key edit box in the slot editor's own dialog template, which names
// it by class, with a plain dialog procedure: what the box does by itself.
#include "ui/hotkey_edit.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "reading/system_key_name.h"
#include "tests/support/keyboard.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_clipboard.h"
#include "ui/controls.h"
#include "ui/link_label.h"
#include "ui/ui_resources.h"

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

// Fakes which modifiers the thread sees held, as GetKeyState reports them.
void HoldModifiers(bool shift, bool ctrl, bool alt) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  auto hold = [&state](int key, bool down) { state[key] = down ? 0x80 : 0; };
  hold(VK_SHIFT, shift), hold(VK_LSHIFT, shift);
  hold(VK_CONTROL, ctrl), hold(VK_LCONTROL, ctrl);
  hold(VK_MENU, alt), hold(VK_LMENU, alt);
  SetKeyboardState(state);
}

LPARAM KeyData(UINT virtualKey, bool alt = false) {
  const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  return static_cast<LPARAM>(1 | (scanCode << 16) | (alt ? (1u << 29) : 0u));
}

class HotKeyEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterHotKeyEditClass(instance);
    RegisterLinkLabelClass(instance);
    dialog_ = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_SLOT), nullptr, PlainDialogProc, 0);
    ASSERT_NE(dialog_, nullptr);
    edit_ = GetDlgItem(dialog_, IDC_SLOT_HOTKEY);
    ASSERT_TRUE(IsHotKeyEdit(edit_));
    HoldModifiers(false, false, false);
  }
  void TearDown() override {
    HoldModifiers(false, false, false);
    DestroyWindow(dialog_);
  }

  // A key press as the message loop would deliver it after GetKeyState has
  // caught up, with the given modifiers held.
  void Press(UINT virtualKey, bool shift = false, bool ctrl = false, bool alt = false) {
    HoldModifiers(shift, ctrl, alt);
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    SendMessageW(edit_, down, virtualKey, KeyData(virtualKey, alt));
    HoldModifiers(false, false, false);
  }

  // One message through the dialog manager, as the dialog's message loop
  // does, with the given modifiers held.
  bool ThroughDialog(UINT virtualKey, bool shift = false, bool ctrl = false) {
    HoldModifiers(shift, ctrl, false);
    MSG msg{GetFocus(), WM_KEYDOWN, virtualKey, KeyData(virtualKey), GetTickCount(), {}};
    const bool handled = IsDialogMessageW(dialog_, &msg) != FALSE;
    HoldModifiers(false, false, false);
    return handled;
  }

  std::wstring Text() const { return WindowText(edit_); }

  HWND dialog_ = nullptr;
  HWND edit_ = nullptr;
};

}  // namespace

// A press shows the key with the modifiers held; a modifier alone is the key
// itself, and another modifier held with it still counts. The text reads back
// to the word that shows it.
TEST_F(HotKeyEditTest, KeyPressShowsTheKeyWithTheModifiersHeld) {
  struct Case {
    UINT key;
    bool shift, ctrl, alt;
    std::wstring text;
    HotKeyWord word;  // 0: not read back
  };
  const Case cases[] = {
      {VK_F11, false, true, false, L"Ctrl+F11", 16506},
      {VK_INSERT, false, false, true, L"Alt+Ins", 32813},
      {VK_BACK, false, true, false, L"Ctrl+BkSp", 16392},
      {'X', true, true, true, L"Shift+Ctrl+Alt+X", 0},
      {VK_NUMPAD7, false, false, false, L"7", 0},
      {VK_F10, false, false, false, L"F10", 0},
      {VK_CONTROL, false, true, false, HotKeyToText(VK_CONTROL), 0},
      {VK_SHIFT, true, false, false, HotKeyToText(VK_SHIFT), 0},
      {VK_MENU, false, true, true, L"Ctrl+" + HotKeyToText(VK_MENU), 0},
  };
  HotKeyEdit hotKey(edit_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    Press(c.key, c.shift, c.ctrl, c.alt);
    EXPECT_EQ(Text(), c.text);
    if (c.word == 0) continue;
    EXPECT_EQ(hotKey.Value(), c.word);
    hotKey.SetValue(0);
    EXPECT_EQ(Text(), L"");
    hotKey.SetValue(c.word);
    EXPECT_EQ(Text(), c.text);
  }
  EXPECT_FALSE(HotKeyToText(VK_CONTROL).empty());
  SetWindowTextW(edit_, L"alt+ctrl+f12");
  EXPECT_EQ(hotKey.Value(), kCtrlModifier | kAltModifier | VK_F12);
  SetWindowTextW(edit_, L"nonsense");
  EXPECT_EQ(hotKey.Value(), 0);
}

// The key goes no further: the character it makes is not typed, Backspace
// and Delete name themselves instead of editing, and neither pasting,
// cutting, clearing nor undoing changes the text. It can still be selected
// (and so copied with the mouse's help).
TEST_F(HotKeyEditTest, TextChangesOnlyByKeyPress) {
  Press('A');
  SendMessageW(edit_, WM_CHAR, L'a', KeyData('A'));
  SendMessageW(edit_, WM_KEYUP, 'A', KeyData('A') | (3u << 30));
  EXPECT_EQ(Text(), L"A");
  Press(VK_BACK);
  SendMessageW(edit_, WM_CHAR, L'\b', KeyData(VK_BACK));
  EXPECT_EQ(Text(), L"BkSp");
  Press(VK_DELETE);
  EXPECT_EQ(Text(), L"Del");

  HotKeyEdit(edit_).SetValue(16507);
  if (OpenClipboard(edit_)) {
    EmptyClipboard();
    PutClipboardText(L"Pasted");
    CloseClipboard();
  }
  SendMessageW(edit_, EM_SETSEL, 0, -1);
  for (UINT message : {WM_PASTE, WM_CUT, WM_CLEAR, WM_CHAR, WM_IME_CHAR}) {
    SendMessageW(edit_, message, L'z', 0);
    EXPECT_EQ(Text(), L"Ctrl+F12") << message;
  }
  Press(VK_F9);
  SendMessageW(edit_, WM_UNDO, 0, 0);
  SendMessageW(edit_, EM_UNDO, 0, 0);
  EXPECT_EQ(Text(), L"F9");
  SendMessageW(edit_, EM_SETSEL, 0, -1);
  DWORD start = 0, end = 0;
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(std::make_pair(start, end), std::make_pair(DWORD{0}, DWORD{2}));
}

// Counts the menu activations (SC_KEYMENU and the like) asked for on this
// thread and stops them, so a failing case cannot hang in a menu loop.
int systemCommands = 0;
LRESULT CALLBACK CountSystemCommands(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_SYSCOMMAND) {
    ++systemCommands;
    return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Alt, F10 and Alt+letter as the message loop delivers them to a window;
// answers how many menu activations they asked for.
int MenuActivationsOfAltAndF10(HWND hwnd) {
  systemCommands = 0;
  SendMessageW(hwnd, WM_SYSKEYDOWN, VK_MENU, KeyData(VK_MENU, true));
  SendMessageW(hwnd, WM_SYSKEYUP, VK_MENU, KeyData(VK_MENU) | (3u << 30));
  SendMessageW(hwnd, WM_SYSKEYDOWN, VK_F10, KeyData(VK_F10));
  SendMessageW(hwnd, WM_SYSKEYUP, VK_F10, KeyData(VK_F10) | (3u << 30));
  HoldModifiers(false, false, true);
  SendMessageW(hwnd, WM_SYSKEYDOWN, 'X', KeyData('X', true));
  SendMessageW(hwnd, WM_SYSCHAR, L'x', KeyData('X', true));
  SendMessageW(hwnd, WM_SYSKEYUP, 'X', KeyData('X', true) | (3u << 30));
  HoldModifiers(false, false, false);
  return systemCommands;
}

TEST_F(HotKeyEditTest, AltAndF10OpenNoMenu) {
  HHOOK hook = SetWindowsHookExW(WH_CBT, CountSystemCommands, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  // A plain edit box hands these keys on to the menu; the hot key edit box
  // keeps them.
  HWND plain = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_BORDER, 0, 0, 50, 20, dialog_,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  EXPECT_GT(MenuActivationsOfAltAndF10(plain), 0) << "the check itself sees no menu activation";
  EXPECT_EQ(MenuActivationsOfAltAndF10(edit_), 0);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(Text(), L"Alt+X");
}

// The box asks for every key but Tab and Shift+Tab, which move on in a
// dialog; Enter and Esc, which would press the dialog's buttons, Ctrl+Tab and
// the arrows are hot keys.
TEST_F(HotKeyEditTest, TabMovesOnInADialogAndTheOtherKeysReachTheBox) {
  const LRESULT all = DLGC_WANTALLKEYS | DLGC_WANTCHARS;
  EXPECT_EQ(SendMessageW(edit_, WM_GETDLGCODE, 0, 0) & all, all);
  HoldModifiers(false, false, true);
  MSG altTab = {edit_, WM_SYSKEYDOWN, VK_TAB, KeyData(VK_TAB, true), 0, {}};
  EXPECT_EQ(SendMessageW(edit_, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&altTab)) & all,
            all);
  HoldModifiers(false, false, false);
  // The dialog in front and the focus on the edit box. The dialog stays
  // hidden: that is enough for the focus and for keyboard input, and Wine
  // without a window manager takes two seconds to destroy a shown window.
  SetForegroundWindow(dialog_);
  SetFocus(edit_);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit_; })) << "the edit box has no focus";
  HotKeyEdit(edit_).SetValue(VK_F3);
  EXPECT_TRUE(ThroughDialog(VK_TAB));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog_, IDC_SPEED_BAR));
  SetFocus(edit_);
  EXPECT_TRUE(ThroughDialog(VK_TAB, true));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog_, IDC_VOICESLIST));
  EXPECT_EQ(Text(), L"F3");

  SetFocus(edit_);
  const std::pair<UINT, const wchar_t*> keys[] = {
      {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"}, {VK_DOWN, L"Down"}};
  for (const auto& [key, text] : keys) {
    EXPECT_TRUE(ThroughDialog(key));
    EXPECT_EQ(Text(), text);
  }
  EXPECT_TRUE(ThroughDialog(VK_TAB, false, true));
  EXPECT_EQ(Text(), L"Ctrl+Tab");
  EXPECT_EQ(GetFocus(), edit_);
  EXPECT_TRUE(IsWindow(dialog_));

  // Real key presses through the system's input path: GetKeyState follows
  // the keys themselves, and the characters they make are not typed.
  const auto pressed = [&](const wchar_t* text) {
    return PumpUntil([&] { return Text() == text; });
  };
  ASSERT_TRUE(PressKey(VK_F11, {VK_CONTROL}));
  EXPECT_TRUE(pressed(L"Ctrl+F11")) << ::testing::PrintToString(Text());
  ASSERT_TRUE(PressKey('Q'));
  EXPECT_TRUE(pressed(L"Q")) << ::testing::PrintToString(Text());
  // Let the character message, if any, arrive and find nothing to type into.
  ASSERT_TRUE(PressKey(VK_CONTROL));
  EXPECT_TRUE(pressed(HotKeyToText(VK_CONTROL).c_str())) << ::testing::PrintToString(Text());
  ASSERT_TRUE(PressKey(VK_F10, {VK_MENU}));
  EXPECT_TRUE(pressed(L"Alt+F10")) << ::testing::PrintToString(Text());
  EXPECT_EQ(GetFocus(), edit_);
}
