#pragma once
// The page control `Pages` of the options window: a tab control with one page
// per tab, shown one at a time. The pages handle their own controls; this
// only switches between them.

#include <windows.h>

#include <array>
#include <string>

#include "ui/options_page.h"

enum OptionsPage : int {
  kGeneralPage = 0,
  kSpeechPage = 1,
  kSlotsPage = 2,
  kPronunciationPage = 3,
  kAboutPage = 4,
  kOptionsPageCount = 5,
};

class TOptionsPages {
 public:
  using PageList = std::array<TOptionsPage*, kOptionsPageCount>;

  // Builds the pages, in the order of their tabs, inside the tab control
  // `tabControl` of the dialog `owner`, and shows the first.
  void Create(HINSTANCE instance, HWND owner, HWND tabControl, const PageList& pages);

  OptionsPage ActivePage() const;
  void SetActivePage(OptionsPage page);
  // The window moved to a monitor of this DPI; its controls have been
  // rescaled and given their font for it.
  void SetDpi(UINT dpi);
  // The name of the pages' control that has the focus, for the saved window
  // placement; empty when none of their named controls has.
  std::wstring FocusedControlName() const;
  // Turns to the page that holds the control `name` names and answers the
  // control; null, and no page turned, when no page has it.
  HWND TurnToNamedControl(const std::wstring& name);
  // A switch of pages by the user through the tabs; answers whether the
  // message was one.
  bool HandleSelectionChange(const NMHDR& notification);
  // Ctrl+Tab or Ctrl+Shift+Tab: the next or the previous page, round.
  void TurnPage(bool backwards);

 private:
  void ShowOnly(OptionsPage page);

  HWND tabControl_ = nullptr;
  PageList pages_{};
};
