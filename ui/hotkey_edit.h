#pragma once
// The hot key edit box (`Reading_HotKey`, `Options_HotKey`, `Stop_HotKey`,
// `Slot_HotKey`): an edit control whose text is a hot key text. A key press
// replaces the text with the pressed key and the modifiers held; the key goes
// no further. Dialog templates use it by class name:
//   CONTROL "", IDC_..., HOTKEY_EDIT_CLASS, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, ...

#include <windows.h>

#include "settings/hot_key.h"
#include "ui/hotkey_edit_class.h"

inline constexpr wchar_t kHotKeyEditClass[] = L"" HOTKEY_EDIT_CLASS;
// What every hot key box says while the mouse rests on it.
inline constexpr wchar_t kHotKeyEditHint[] = L"Press the desired key or combination of keys";

// Registers the window class (a superclass of EDIT) for the instance; later
// calls do nothing. Call once before creating windows of the class.
void RegisterHotKeyEditClass(HINSTANCE instance);

// Whether the window is a hot key edit box.
bool IsHotKeyEdit(HWND window);

// Lets Esc go to the dialog, which cancels, instead of becoming the box's
// key: for a window that Esc closes from anywhere.
void LetEscapeCancel(HWND hotKeyEdit);

// Thin non-owning wrapper over a hot key edit box.
class HotKeyEdit {
 public:
  explicit HotKeyEdit(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  HWND Handle() const { return hwnd_; }
  // The word the text reads back to; 0 when it names no key.
  HotKeyWord Value() const;
  // Shows the text of the word (empty when the key has no name).
  void SetValue(HotKeyWord value);

 private:
  HWND hwnd_;
};
