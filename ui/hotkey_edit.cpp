#include "ui/hotkey_edit.h"

#include <string>

#include "base/exception_guard.h"
#include "reading/system_key_name.h"
#include "ui/controls.h"

namespace {

// The system EDIT class's window procedure, which does everything this control
// does not do itself. It is class state, not window state: it is read once
// when the class is registered and is the same for every window of the class.
WNDPROC originalEditProc = nullptr;

bool IsDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

// The word of a key press with the modifiers held now. A modifier key pressed
// alone is the key itself: Ctrl gives "Ctrl", not "Ctrl+Ctrl".
HotKeyWord PressedHotKey(UINT virtualKey) {
  const bool isShift = virtualKey == VK_SHIFT || virtualKey == VK_LSHIFT || virtualKey == VK_RSHIFT;
  const bool isCtrl =
      virtualKey == VK_CONTROL || virtualKey == VK_LCONTROL || virtualKey == VK_RCONTROL;
  const bool isAlt = virtualKey == VK_MENU || virtualKey == VK_LMENU || virtualKey == VK_RMENU;
  auto word = static_cast<HotKeyWord>(virtualKey & 0xFF);
  if (!isShift && IsDown(VK_SHIFT)) word |= kShiftModifier;
  if (!isCtrl && IsDown(VK_CONTROL)) word |= kCtrlModifier;
  if (!isAlt && IsDown(VK_MENU)) word |= kAltModifier;
  return word;
}

void SetText(HWND hwnd, const std::wstring& text) {
  SetWindowTextW(hwnd, text.c_str());
  // The caret after the text, as after typing it.
  const auto end = static_cast<WPARAM>(text.size());
  SendMessageW(hwnd, EM_SETSEL, end, static_cast<LPARAM>(end));
}

// Set on a box whose Esc belongs to its dialog.
constexpr wchar_t kEscapeCancelsProperty[] = L"Tolvane.EscapeCancels";

// Tab and Shift+Tab (without Ctrl or Alt) are left to the dialog manager so a
// user can move on to the next control, and Esc where the box lets it cancel;
// every other key is this control's.
bool IsLeftToDialog(HWND hwnd, const MSG* message) {
  if (message == nullptr || message->message != WM_KEYDOWN) return false;
  if (message->wParam == VK_ESCAPE) return GetPropW(hwnd, kEscapeCancelsProperty) != nullptr;
  return message->wParam == VK_TAB && !IsDown(VK_CONTROL) && !IsDown(VK_MENU);
}

LRESULT HotKeyEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Under an input method editor the real key is not known yet.
      if (wParam != VK_PROCESSKEY)
        SetText(hwnd, HotKeyToText(PressedHotKey(static_cast<UINT>(wParam))));
      return 0;
    // The rest of a key press goes nowhere: no character typed, no menu opened
    // by Alt or F10, no mnemonic beep.
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_UNICHAR:
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case WM_IME_CHAR:
      return 0;
    // Only a key press changes the text: nothing pasted, cut, cleared or undone.
    // (Not ES_READONLY, which would grey the box.) The edit's context menu
    // would do the same things without these messages, so it does not open.
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case WM_CONTEXTMENU:
      return 0;
    case WM_GETDLGCODE: {
      const LRESULT code = CallWindowProcW(originalEditProc, hwnd, message, wParam, lParam);
      if (IsLeftToDialog(hwnd, reinterpret_cast<const MSG*>(lParam)))
        return code & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
      return code | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    }
    case WM_NCDESTROY:
      RemovePropW(hwnd, kEscapeCancelsProperty);
      return CallWindowProcW(originalEditProc, hwnd, message, wParam, lParam);
    default:
      return CallWindowProcW(originalEditProc, hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK HotKeyEditThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallGuarded(LRESULT{0}, [&] { return HotKeyEditProc(hwnd, message, wParam, lParam); });
}

}  // namespace

void RegisterHotKeyEditClass(HINSTANCE instance) {
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof(existing);
  if (originalEditProc != nullptr && GetClassInfoExW(instance, kHotKeyEditClass, &existing)) return;

  WNDCLASSEXW edit = {};
  edit.cbSize = sizeof(edit);
  if (!GetClassInfoExW(nullptr, L"EDIT", &edit)) return;
  originalEditProc = edit.lpfnWndProc;

  // Everything of EDIT (cursor, extra bytes the edit keeps its state in, double
  // clicks) but the procedure, the name and the owner: a local class of ours.
  WNDCLASSEXW hotKeyEdit = edit;
  hotKeyEdit.lpfnWndProc = HotKeyEditThunk;
  hotKeyEdit.hInstance = instance;
  hotKeyEdit.lpszClassName = kHotKeyEditClass;
  hotKeyEdit.style &= ~CS_GLOBALCLASS;
  RegisterClassExW(&hotKeyEdit);
}

bool IsHotKeyEdit(HWND window) {
  wchar_t className[64] = {};
  return window != nullptr && GetClassNameW(window, className, 64) > 0 &&
         lstrcmpiW(className, kHotKeyEditClass) == 0;
}

void LetEscapeCancel(HWND hotKeyEdit) {
  SetPropW(hotKeyEdit, kEscapeCancelsProperty, reinterpret_cast<HANDLE>(1));
}

HotKeyWord HotKeyEdit::Value() const { return TextToHotKey(WindowText(hwnd_)); }

void HotKeyEdit::SetValue(HotKeyWord value) { SetText(hwnd_, HotKeyToText(value)); }
