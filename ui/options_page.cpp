#include "ui/options_page.h"

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
    : TDialogWindow(templateId), caption_(caption), namedControls_(namedControls) {}

std::wstring TOptionsPage::FocusedControlName() const {
  return ::FocusedControlName(Handle(), namedControls_);
}

HWND TOptionsPage::NamedControlHandle(const std::wstring& name) const {
  return ::NamedControlHandle(Handle(), namedControls_, name);
}

void TOptionsPage::Create(HINSTANCE instance, HWND owner, const RECT& area) {
  CreateFromTemplate(instance, owner);
  // Above the tab control, which clips its siblings, so the page is not
  // painted over by the tabs.
  SetWindowPos(Handle(), HWND_TOP, area.left, area.top, area.right - area.left,
               area.bottom - area.top, SWP_NOACTIVATE);
}

bool TOptionsPage::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (HandleMessage(message, wParam, lParam, result)) return true;
  // OK and Cancel are the window's, wherever the dialog manager sends them.
  if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return false;
  SendMessageW(GetParent(Handle()), message, wParam, lParam);
  return true;
}
