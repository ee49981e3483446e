#pragma once
// One page of the options window: a child dialog built from a template of its
// own, laid over the tab control's display area, and a class that handles the
// messages of the page's controls itself. The window that holds the pages
// only switches between them.

#include <windows.h>

#include <span>
#include <string>

#include "ui/dialog_window.h"

// A control whose focus the saved window placement keeps, by a name of
// cfg.ini's ("BitBtn1", "Edit4", ...): files written by earlier versions name
// their focused control so.
struct NamedControl {
  const wchar_t* name;
  int id;
};
// The name of `parent`'s control among `controls` that has the focus; empty
// when none has.
std::wstring FocusedControlName(HWND parent, std::span<const NamedControl> controls);
// `parent`'s control that `name` names among `controls`; null when none.
HWND NamedControlHandle(HWND parent, std::span<const NamedControl> controls,
                        const std::wstring& name);

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

  // The name of the page's control that has the focus; empty when none of
  // its named controls has.
  std::wstring FocusedControlName() const;
  // The page's control that `name` names; null when the page has none.
  HWND NamedControlHandle(const std::wstring& name) const;

  // Builds the page, hidden, as a child of `owner` over `area` (in the
  // owner's client coordinates).
  void Create(HINSTANCE instance, HWND owner, const RECT& area);

 protected:
  // `namedControls`: the page's controls whose focus the window placement
  // keeps.
  TOptionsPage(int templateId, const wchar_t* caption,
               std::span<const NamedControl> namedControls = {});

 private:
  bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) final;

  const wchar_t* caption_;
  std::span<const NamedControl> namedControls_;
};
