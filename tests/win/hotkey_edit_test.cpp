#include "ui/hotkey_edit.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "reading/system_key_name.h"
#include "tests/support/keyboard.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_clipboard.h"
#include "ui/controls.h"

namespace {

using namespace std::chrono_literals;

constexpr int kBeforeId = 99;
constexpr int kEditId = 100;
constexpr int kAfterId = 101;

// An in-memory dialog template: a button, the hot key edit box (by class name,
// as the .rc files name it) and another button, all tab stops.
class DialogTemplate {
 public:
  DialogTemplate() {
    Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME);
    Dword(0);
    Word(3);  // items
    Word(0), Word(0), Word(200), Word(60);
    Word(0), Word(0), Text(L"Hot key");  // no menu, default class, title
    Word(8), Text(L"MS Shell Dlg");
    Item(kBeforeId, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0x0080, nullptr, L"Before",
         5);
    Item(kEditId, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0,
         kHotKeyEditClass, L"", 25);
    Item(kAfterId, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0x0080, nullptr, L"After",
         45);
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value) { Word(LOWORD(value)), Word(HIWORD(value)); }
  void Text(const wchar_t* text) {
    for (; *text != L'\0'; ++text) Word(static_cast<WORD>(*text));
    Word(0);
  }
  void Item(int id, DWORD style, WORD atom, const wchar_t* className, const wchar_t* title,
            short y) {
    if (words_.size() % 2 != 0) Word(0);  // items start on a DWORD boundary
    Dword(style);
    Dword(0);
    Word(10), Word(static_cast<WORD>(y)), Word(100), Word(14), Word(static_cast<WORD>(id));
    if (className != nullptr) {
      Text(className);
    } else {
      Word(0xFFFF), Word(atom);
    }
    Text(title);
    Word(0);  // no creation data
  }
  std::vector<WORD> words_;
};

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
    RegisterHotKeyEditClass(GetModuleHandleW(nullptr));
    dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), template_.Get(), nullptr,
                                         PlainDialogProc, 0);
    ASSERT_NE(dialog_, nullptr);
    edit_ = GetDlgItem(dialog_, kEditId);
    ASSERT_NE(edit_, nullptr);
    HoldModifiers(false, false, false);
  }
  void TearDown() override {
    HoldModifiers(false, false, false);
    DestroyWindow(dialog_);
  }

  // Makes the dialog the foreground window and puts the keyboard focus on the
  // edit box. The dialog stays hidden: that is enough for the focus and for
  // keyboard input, and Wine without a window manager takes two seconds to
  // destroy a shown window.
  void Focus() {
    SetForegroundWindow(dialog_);
    SetFocus(edit_);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit_; }))
        << "the edit box did not get the focus";
  }

  // A key press as the message loop would deliver it after GetKeyState has
  // caught up, with the given modifiers held.
  void Press(UINT virtualKey, bool shift = false, bool ctrl = false, bool alt = false) {
    HoldModifiers(shift, ctrl, alt);
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    SendMessageW(edit_, down, virtualKey, KeyData(virtualKey, alt));
    HoldModifiers(false, false, false);
  }

  // One message through the dialog manager, as the dialog's message loop does.
  bool ThroughDialog(UINT message, UINT virtualKey) {
    MSG msg = {};
    msg.hwnd = GetFocus();
    msg.message = message;
    msg.wParam = virtualKey;
    msg.lParam = KeyData(virtualKey, message == WM_SYSKEYDOWN);
    msg.time = GetTickCount();
    return IsDialogMessageW(dialog_, &msg) != FALSE;
  }

  DialogTemplate template_;
  HWND dialog_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(HotKeyEditTest, IsCreatedFromADialogTemplateByClassName) {
  wchar_t className[64] = {};
  GetClassNameW(edit_, className, 64);
  EXPECT_STREQ(className, kHotKeyEditClass);
  EXPECT_EQ(WindowText(edit_), L"");
  // Registering again changes nothing.
  RegisterHotKeyEditClass(GetModuleHandleW(nullptr));
  HWND second = CreateWindowExW(0, kHotKeyEditClass, L"Esc", WS_CHILD, 0, 0, 50, 20, dialog_,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(HotKeyEdit(second).Value(), 27);
}

TEST_F(HotKeyEditTest, SetValueShowsTheTextAndValueReadsItBack) {
  HotKeyEdit hotKey(edit_);
  EXPECT_EQ(hotKey.Handle(), edit_);
  hotKey.SetValue(16506);
  EXPECT_EQ(WindowText(edit_), L"Ctrl+F11");
  EXPECT_EQ(hotKey.Value(), 16506);
  hotKey.SetValue(32813);
  EXPECT_EQ(WindowText(edit_), L"Alt+Ins");
  EXPECT_EQ(hotKey.Value(), 32813);
  hotKey.SetValue(16392);
  EXPECT_EQ(WindowText(edit_), L"Ctrl+BkSp");
  hotKey.SetValue(0);
  EXPECT_EQ(WindowText(edit_), L"");
  EXPECT_EQ(hotKey.Value(), 0);
  SetWindowTextW(edit_, L"alt+ctrl+f12");
  EXPECT_EQ(hotKey.Value(), kCtrlModifier | kAltModifier | VK_F12);
  SetWindowTextW(edit_, L"nonsense");
  EXPECT_EQ(hotKey.Value(), 0);
}

TEST_F(HotKeyEditTest, KeyPressShowsTheKeyWithTheModifiersHeld) {
  Press(VK_F11, false, true, false);
  EXPECT_EQ(WindowText(edit_), L"Ctrl+F11");
  EXPECT_EQ(HotKeyEdit(edit_).Value(), 16506);
  Press(VK_INSERT, false, false, true);
  EXPECT_EQ(WindowText(edit_), L"Alt+Ins");
  Press('X', true, true, true);
  EXPECT_EQ(WindowText(edit_), L"Shift+Ctrl+Alt+X");
  Press(VK_BACK, false, true, false);
  EXPECT_EQ(WindowText(edit_), L"Ctrl+BkSp");
  Press(VK_NUMPAD7);
  EXPECT_EQ(WindowText(edit_), L"7");
  Press(VK_F10);
  EXPECT_EQ(WindowText(edit_), L"F10");
}

TEST_F(HotKeyEditTest, AModifierAloneIsTheKeyItself) {
  Press(VK_CONTROL, false, true, false);
  EXPECT_EQ(WindowText(edit_), HotKeyToText(VK_CONTROL));
  EXPECT_EQ(WindowText(edit_).find(L'+'), std::wstring::npos);
  EXPECT_FALSE(WindowText(edit_).empty());
  Press(VK_SHIFT, true, false, false);
  EXPECT_EQ(WindowText(edit_), HotKeyToText(VK_SHIFT));
  // Another modifier held with it still counts.
  Press(VK_MENU, false, true, true);
  EXPECT_EQ(WindowText(edit_), L"Ctrl+" + HotKeyToText(VK_MENU));
}

TEST_F(HotKeyEditTest, TheKeyGoesNoFurther) {
  HotKeyEdit(edit_).SetValue(VK_F5);
  // The character a letter key produces is not typed.
  Press('A');
  SendMessageW(edit_, WM_CHAR, L'a', KeyData('A'));
  EXPECT_EQ(WindowText(edit_), L"A");
  SendMessageW(edit_, WM_KEYUP, 'A', KeyData('A') | (3u << 30));
  EXPECT_EQ(WindowText(edit_), L"A");
  // Backspace and Delete name themselves instead of editing.
  Press(VK_BACK);
  SendMessageW(edit_, WM_CHAR, L'\b', KeyData(VK_BACK));
  EXPECT_EQ(WindowText(edit_), L"BkSp");
  Press(VK_DELETE);
  EXPECT_EQ(WindowText(edit_), L"Del");
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

// Alt, F10 and Alt+letter as the message loop delivers them to a window.
void AltAndF10(HWND hwnd) {
  SendMessageW(hwnd, WM_SYSKEYDOWN, VK_MENU, KeyData(VK_MENU, true));
  SendMessageW(hwnd, WM_SYSKEYUP, VK_MENU, KeyData(VK_MENU) | (3u << 30));
  SendMessageW(hwnd, WM_SYSKEYDOWN, VK_F10, KeyData(VK_F10));
  SendMessageW(hwnd, WM_SYSKEYUP, VK_F10, KeyData(VK_F10) | (3u << 30));
  HoldModifiers(false, false, true);
  SendMessageW(hwnd, WM_SYSKEYDOWN, 'X', KeyData('X', true));
  SendMessageW(hwnd, WM_SYSCHAR, L'x', KeyData('X', true));
  SendMessageW(hwnd, WM_SYSKEYUP, 'X', KeyData('X', true) | (3u << 30));
  HoldModifiers(false, false, false);
}

TEST_F(HotKeyEditTest, AltAndF10OpenNoMenu) {
  HHOOK hook = SetWindowsHookExW(WH_CBT, CountSystemCommands, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  systemCommands = 0;
  // A plain edit box hands these keys on to the menu...
  HWND plain = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_BORDER, 0, 0, 50, 20, dialog_,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  AltAndF10(plain);
  const int plainCommands = systemCommands;
  // ...the hot key edit box keeps them.
  systemCommands = 0;
  AltAndF10(edit_);
  const int hotKeyCommands = systemCommands;
  UnhookWindowsHookEx(hook);
  EXPECT_GT(plainCommands, 0) << "the check itself sees no menu activation";
  EXPECT_EQ(hotKeyCommands, 0);
  EXPECT_EQ(WindowText(edit_), L"Alt+X");
}

TEST_F(HotKeyEditTest, TextChangesOnlyByKeyPress) {
  HotKeyEdit hotKey(edit_);
  hotKey.SetValue(16507);
  if (OpenClipboard(edit_)) {
    EmptyClipboard();
    PutClipboardText(L"Pasted");
    CloseClipboard();
  }
  SendMessageW(edit_, EM_SETSEL, 0, -1);
  SendMessageW(edit_, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowText(edit_), L"Ctrl+F12");
  SendMessageW(edit_, WM_CUT, 0, 0);
  EXPECT_EQ(WindowText(edit_), L"Ctrl+F12");
  SendMessageW(edit_, WM_CLEAR, 0, 0);
  EXPECT_EQ(WindowText(edit_), L"Ctrl+F12");
  SendMessageW(edit_, WM_CHAR, L'z', 0);
  SendMessageW(edit_, WM_IME_CHAR, L'z', 0);
  EXPECT_EQ(WindowText(edit_), L"Ctrl+F12");
  Press(VK_F9);
  SendMessageW(edit_, WM_UNDO, 0, 0);
  SendMessageW(edit_, EM_UNDO, 0, 0);
  EXPECT_EQ(WindowText(edit_), L"F9");
  // The text can still be selected (and so copied with the mouse's help).
  SendMessageW(edit_, EM_SETSEL, 0, -1);
  DWORD start = 0, end = 0;
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 2u);
}

TEST_F(HotKeyEditTest, AsksForAllKeysButTabAndShiftTab) {
  auto codeFor = [&](UINT message, UINT virtualKey) {
    MSG msg = {edit_, message, virtualKey, KeyData(virtualKey), 0, {}};
    return SendMessageW(edit_, WM_GETDLGCODE, virtualKey, reinterpret_cast<LPARAM>(&msg));
  };
  const LRESULT all = DLGC_WANTALLKEYS | DLGC_WANTCHARS;
  EXPECT_EQ(SendMessageW(edit_, WM_GETDLGCODE, 0, 0) & all, all);
  EXPECT_EQ(codeFor(WM_KEYDOWN, VK_F11) & all, all);
  EXPECT_EQ(codeFor(WM_KEYDOWN, VK_RETURN) & all, all);
  EXPECT_EQ(codeFor(WM_KEYDOWN, VK_ESCAPE) & all, all);
  EXPECT_EQ(codeFor(WM_KEYDOWN, VK_TAB) & (DLGC_WANTALLKEYS | DLGC_WANTTAB), 0);
  HoldModifiers(true, false, false);
  EXPECT_EQ(codeFor(WM_KEYDOWN, VK_TAB) & (DLGC_WANTALLKEYS | DLGC_WANTTAB), 0);
  HoldModifiers(false, true, false);
  EXPECT_EQ(codeFor(WM_KEYDOWN, VK_TAB) & all, all);
  HoldModifiers(false, false, true);
  EXPECT_EQ(codeFor(WM_SYSKEYDOWN, VK_TAB) & all, all);
}

TEST_F(HotKeyEditTest, TabMovesOnInADialog) {
  Focus();
  HotKeyEdit(edit_).SetValue(VK_F3);
  EXPECT_TRUE(ThroughDialog(WM_KEYDOWN, VK_TAB));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog_, kAfterId));
  SetFocus(edit_);
  HoldModifiers(true, false, false);
  EXPECT_TRUE(ThroughDialog(WM_KEYDOWN, VK_TAB));
  HoldModifiers(false, false, false);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog_, kBeforeId));
  EXPECT_EQ(WindowText(edit_), L"F3");
}

TEST_F(HotKeyEditTest, DialogKeysReachTheEditBox) {
  Focus();
  // Enter and Esc would press the dialog's buttons; here they are hot keys.
  EXPECT_TRUE(ThroughDialog(WM_KEYDOWN, VK_RETURN));
  EXPECT_EQ(WindowText(edit_), L"Enter");
  EXPECT_TRUE(ThroughDialog(WM_KEYDOWN, VK_ESCAPE));
  EXPECT_EQ(WindowText(edit_), L"Esc");
  HoldModifiers(false, true, false);
  EXPECT_TRUE(ThroughDialog(WM_KEYDOWN, VK_TAB));
  HoldModifiers(false, false, false);
  EXPECT_EQ(WindowText(edit_), L"Ctrl+Tab");
  EXPECT_TRUE(ThroughDialog(WM_KEYDOWN, VK_DOWN));
  EXPECT_EQ(WindowText(edit_), L"Down");
  EXPECT_EQ(GetFocus(), edit_);
  EXPECT_TRUE(IsWindow(dialog_));
}

// Real key presses through the system's input path: GetKeyState follows the
// keys themselves, and the characters they make are not typed.
TEST_F(HotKeyEditTest, RealKeyPressesFillTheBox) {
  Focus();
  ASSERT_TRUE(PressKey(VK_F11, {VK_CONTROL}));
  EXPECT_TRUE(PumpUntil([&] { return WindowText(edit_) == L"Ctrl+F11"; }))
      << "text: " << ::testing::PrintToString(WindowText(edit_));
  ASSERT_TRUE(PressKey('Q'));
  EXPECT_TRUE(PumpUntil([&] { return WindowText(edit_) == L"Q"; }))
      << "text: " << ::testing::PrintToString(WindowText(edit_));
  // Let the character message, if any, arrive and find nothing to type into.
  ASSERT_TRUE(PressKey(VK_CONTROL));
  EXPECT_TRUE(PumpUntil([&] { return WindowText(edit_) != L"Q"; }));
  EXPECT_EQ(WindowText(edit_), HotKeyToText(VK_CONTROL));
  ASSERT_TRUE(PressKey(VK_F10, {VK_MENU}));
  EXPECT_TRUE(PumpUntil([&] { return WindowText(edit_) == L"Alt+F10"; }))
      << "text: " << ::testing::PrintToString(WindowText(edit_));
  EXPECT_EQ(GetFocus(), edit_);
}

}  // namespace
