#include "ui/options_page.h"

TOptionsPage::TOptionsPage(int templateId, const wchar_t* caption)
    : TDialogWindow(templateId), caption_(caption) {}

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
