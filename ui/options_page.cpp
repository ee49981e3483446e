#include "ui/options_page.h"

#include "base/win32_error.h"
#include "base/window_thunk.h"

std::wstring FocusedControlName(HWND parent, std::span<const NamedControl> controls) {
  const HWND focus = GetFocus();
  if (focus == nullptr) return L"";
  for (const NamedControl& control : controls) {
    if (GetDlgItem(parent, control.id) == focus) return control.name;
  }
  return L"";
}

HWND NamedControlHandle(HWND parent, std::span<const NamedControl> controls,
                        const std::wstring& name) {
  for (const NamedControl& control : controls) {
    if (name == control.name) return GetDlgItem(parent, control.id);
  }
  return nullptr;
}

TOptionsPage::TOptionsPage(int templateId, const wchar_t* caption,
                           std::span<const NamedControl> namedControls)
    : templateId_(templateId), caption_(caption), namedControls_(namedControls) {}

std::wstring TOptionsPage::FocusedControlName() const {
  return ::FocusedControlName(handle_, namedControls_);
}

HWND TOptionsPage::NamedControlHandle(const std::wstring& name) const {
  return ::NamedControlHandle(handle_, namedControls_, name);
}

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
