#pragma once
// The page control `Pages` of the options window: a tab control with one child
// dialog per page, shown one at a time.

#include <windows.h>

#include <array>

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
  // Builds the pages inside the tab control `tabControl` of the dialog `owner`.
  void Create(HINSTANCE instance, HWND owner, HWND tabControl);

  HWND Page(OptionsPage page) const { return pages_[page]; }
  OptionsPage ActivePage() const;
  void SetActivePage(OptionsPage page);
  // A switch of pages by the user; answers whether the message was one.
  bool HandleSelectionChange(const NMHDR& notification);

 private:
  void ShowOnly(OptionsPage page);

  HWND tabControl_ = nullptr;
  std::array<HWND, kOptionsPageCount> pages_{};
};
