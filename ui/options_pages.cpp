#include "ui/options_pages.h"

#include <commctrl.h>

#include "app/res/resource.h"
#include "base/win32_error.h"

namespace {

struct PageTemplate {
  const wchar_t* caption;
  int templateId;
};

constexpr std::array<PageTemplate, kOptionsPageCount> kPageTemplates{{
    {L"General", IDD_PAGE_GENERAL},
    {L"Default voice", IDD_PAGE_SPEECH},
    {L"Voice slots", IDD_PAGE_SLOTS},
    {L"Pronunciation", IDD_PAGE_PRONUNCIATION},
    {L"About", IDD_PAGE_ABOUT},
}};

// Messages that the pages' controls send to their parent.
bool IsControlMessage(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return true;
    default:
      return false;
  }
}

// The pages hold controls only: what their controls report goes on to the
// options window, which reads and handles them all.
INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return TRUE;
  if (!IsControlMessage(message)) return FALSE;
  const LRESULT result = SendMessageW(GetParent(page), message, wParam, lParam);
  SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
  return TRUE;
}

RECT PageArea(HWND owner, HWND tabControl) {
  RECT area;
  GetWindowRect(tabControl, &area);
  TabCtrl_AdjustRect(tabControl, FALSE, &area);
  MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

}  // namespace

void TOptionsPages::Create(HINSTANCE instance, HWND owner, HWND tabControl) {
  tabControl_ = tabControl;
  for (int index = 0; index < kOptionsPageCount; ++index) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(kPageTemplates[index].caption);
    TabCtrl_InsertItem(tabControl, index, &item);
  }
  RECT area = PageArea(owner, tabControl);
  for (int index = 0; index < kOptionsPageCount; ++index) {
    HWND page = CreateDialogParamW(instance, MAKEINTRESOURCEW(kPageTemplates[index].templateId),
                                   owner, PageProc, 0);
    if (page == nullptr) ThrowLastError("cannot create an options page");
    // Above the tab control, which clips its siblings, so the page is not
    // painted over by the tabs.
    SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOACTIVATE);
    pages_[index] = page;
  }
  SetActivePage(kGeneralPage);
}

OptionsPage TOptionsPages::ActivePage() const {
  return static_cast<OptionsPage>(TabCtrl_GetCurSel(tabControl_));
}

void TOptionsPages::SetActivePage(OptionsPage page) {
  TabCtrl_SetCurSel(tabControl_, page);
  ShowOnly(page);
}

bool TOptionsPages::HandleSelectionChange(const NMHDR& notification) {
  if (notification.hwndFrom != tabControl_ || notification.code != TCN_SELCHANGE) return false;
  ShowOnly(ActivePage());
  return true;
}

void TOptionsPages::ShowOnly(OptionsPage page) {
  for (int index = 0; index < kOptionsPageCount; ++index) {
    ShowWindow(pages_[index], index == page ? SW_SHOW : SW_HIDE);
  }
}
