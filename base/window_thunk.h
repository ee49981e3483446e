#pragma once
// One static thunk per kind of window: the object pointer travels in the
// creation parameter, is stored on the window, and every message goes to the
// object's member procedure through the exception guard.

#include <windows.h>

#include "base/exception_guard.h"

// Window must have `void Attach(HWND)` and `LRESULT WindowProc(UINT, WPARAM, LPARAM)`.
template <class Window>
LRESULT CALLBACK WindowThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    window->Attach(hwnd);
  }
  auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  return CallGuarded(LRESULT{0}, [&] { return window->WindowProc(message, wParam, lParam); });
}

// Dialog must have `void Attach(HWND)` and `INT_PTR DialogProc(UINT, WPARAM, LPARAM)`;
// create the dialog with the object as the init parameter.
template <class Dialog>
INT_PTR CALLBACK DialogThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<Dialog*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    dialog->Attach(hwnd);
  }
  auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  return CallGuarded(INT_PTR{FALSE}, [&] { return dialog->DialogProc(message, wParam, lParam); });
}

// What a dialog procedure answers for a message it handled with `result`: the
// few messages whose result is the procedure's return value get it so, every
// other one in DWLP_MSGRESULT.
inline INT_PTR AnswerDialogMessage(HWND dialog, UINT message, LRESULT result) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return static_cast<INT_PTR>(result);
    default:
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
      return TRUE;
  }
}
