#include "ui/options_page.h"

#include "base/win32_error.h"
#include "base/window_thunk.h"

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
  return AnswerDialogMessage(handle_, message, result);
}

bool TOptionsPage::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
