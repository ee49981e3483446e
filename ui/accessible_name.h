#pragma once
// What assistive technology (screen readers, magnifiers, voice control) is
// told about a control whose standard description falls short: a window
// class of the program's own, which Windows describes as an unnamed client
// area, or a list whose label is not a static text before it. The control
// answers WM_GETOBJECT with Windows' own description of it, corrected in its
// role and its name; everything else (place, state, the items of a list)
// stays Windows' own.

#include <windows.h>

#include <functional>
#include <string>

struct AccessibleDescription {
  // A ROLE_SYSTEM_* value; 0 keeps the role Windows gives the control.
  LONG role = 0;
  std::wstring name;
  // The default action, named as Windows names a link's ("Click") or a
  // button's ("Press"); empty for none.
  std::wstring defaultAction;
  std::function<void()> doDefaultAction;
};

// The answer to WM_GETOBJECT for `window`; objects other than its client area
// are left to DefWindowProc.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam,
                        const AccessibleDescription& description);

// Names a control (a list, whose items Windows describes by their own texts)
// after the label that introduces it, without the label's mnemonic marks.
void NameAfterLabel(HWND control, HWND label);
