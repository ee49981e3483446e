#include "ui/options_page.h"

#include "base/win32_error.h"
#include "base/window_thunk.h"

namespace {

// The messages whose result a dialog procedure returns itself instead of
// leaving it in DWLP_MSGRESULT.
bool ResultIsReturned(UINT message) {
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
      return true;
    default:
      return false;
  }
}

}  // namespace

TOptionsPage::TOptionsPage(int templateId, const wchar_t* caption)
    : templateId_(templateId), caption_(caption) {}

// The window may outlive the object only without it: its messages then reach
// nobody.
TOptionsPage::~TOptionsPage() {
  if (handle_ == nullptr || !IsWindow(handle_)) return;
  SetWindowLongPtrW(handle_, DWLP_USER, 0);
  DestroyWindow(handle_);
}

void TOptionsPage::Create(HINSTANCE instance, HWND owner, const RECT& area) {
  instance_ = instance;
  HWND page = CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId_), owner,
                                 DialogThunk<TOptionsPage>, reinterpret_cast<LPARAM>(this));
  if (page == nullptr) ThrowLastError("cannot create an options page");
  // Above the tab control, which clips its siblings, so the page is not
  // painted over by the tabs.
  SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOACTIVATE);
}

INT_PTR TOptionsPage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    OnInit();
    return TRUE;
  }
  LRESULT result = 0;
  if (!HandleMessage(message, wParam, lParam, result)) {
    // OK and Cancel are the window's, wherever the dialog manager sends them.
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
      SendMessageW(GetParent(handle_), message, wParam, lParam);
      return TRUE;
    }
    return FALSE;
  }
  if (ResultIsReturned(message)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrW(handle_, DWLP_MSGRESULT, result);
  return TRUE;
}

bool TOptionsPage::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
