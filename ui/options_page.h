#pragma once
// One page of the options window: a child dialog built from a template of its
// own, laid over the tab control's display area, and a class that handles the
// messages of the page's controls itself. The window that holds the pages
// only switches between them.

#include <windows.h>

#include "ui/dialog_window.h"

class TOptionsPage : public TDialogWindow {
 public:
  // The text of the page's tab.
  const wchar_t* Caption() const { return caption_; }

  // The window moved to a monitor of this DPI, and the page's controls have
  // been rescaled and given their font for it: the page rebuilds what it
  // sizes or draws itself.
  virtual void SetDpi(UINT) {}
  // The user has just turned to the page (a tab, or Ctrl+Tab).
  virtual void OnShown() {}

  // Builds the page, hidden, as a child of `owner` over `area` (in the
  // owner's client coordinates).
  void Create(HINSTANCE instance, HWND owner, const RECT& area);

 protected:
  TOptionsPage(int templateId, const wchar_t* caption);

 private:
  bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) final;

  const wchar_t* caption_;
};
