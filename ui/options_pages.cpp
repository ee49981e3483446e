#include "ui/options_pages.h"

#include <commctrl.h>

namespace {

RECT PageArea(HWND owner, HWND tabControl) {
  RECT area;
  GetWindowRect(tabControl, &area);
  TabCtrl_AdjustRect(tabControl, FALSE, &area);
  MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

}  // namespace

void TOptionsPages::Create(HINSTANCE instance, HWND owner, HWND tabControl, const PageList& pages) {
  tabControl_ = tabControl;
  pages_ = pages;
  for (int index = 0; index < kOptionsPageCount; ++index) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(pages_[index]->Caption());
    TabCtrl_InsertItem(tabControl, index, &item);
  }
  const RECT area = PageArea(owner, tabControl);
  for (TOptionsPage* page : pages_) page->Create(instance, owner, area);
  SetActivePage(kGeneralPage);
}

OptionsPage TOptionsPages::ActivePage() const {
  return static_cast<OptionsPage>(TabCtrl_GetCurSel(tabControl_));
}

void TOptionsPages::SetActivePage(OptionsPage page) {
  TabCtrl_SetCurSel(tabControl_, page);
  ShowOnly(page);
}

void TOptionsPages::SetDpi(UINT dpi) {
  for (TOptionsPage* page : pages_) page->SetDpi(dpi);
}

// Every page is asked, not only the one showing: a page turned by a command
// keeps the focus where it was until the user moves it.
std::wstring TOptionsPages::FocusedControlName() const {
  for (const TOptionsPage* page : pages_) {
    std::wstring name = page->FocusedControlName();
    if (!name.empty()) return name;
  }
  return L"";
}

HWND TOptionsPages::TurnToNamedControl(const std::wstring& name) {
  for (int index = 0; index < kOptionsPageCount; ++index) {
    if (HWND control = pages_[index]->NamedControlHandle(name)) {
      SetActivePage(static_cast<OptionsPage>(index));
      return control;
    }
  }
  return nullptr;
}

bool TOptionsPages::HandleSelectionChange(const NMHDR& notification) {
  if (notification.hwndFrom != tabControl_ || notification.code != TCN_SELCHANGE) return false;
  ShowOnly(ActivePage());
  pages_[ActivePage()]->OnShown();
  return true;
}

void TOptionsPages::TurnPage(bool backwards) {
  const int step = backwards ? kOptionsPageCount - 1 : 1;
  const auto page = static_cast<OptionsPage>((ActivePage() + step) % kOptionsPageCount);
  SetActivePage(page);
  pages_[page]->OnShown();
}

void TOptionsPages::ShowOnly(OptionsPage page) {
  for (int index = 0; index < kOptionsPageCount; ++index) {
    ShowWindow(pages_[index]->Handle(), index == page ? SW_SHOW : SW_HIDE);
  }
}
