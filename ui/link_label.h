#pragma once
// The program's clickable texts: a label drawn bold in dark blue with a hand
// cursor; while the mouse is over it the text turns a lighter blue and is
// underlined. A click, or Enter or Space while it has the focus, reaches the
// parent as WM_COMMAND with BN_CLICKED, like a button. Dialog templates use
// it by class name:
//   CONTROL "Caption", IDC_..., LINK_LABEL_CLASS, WS_TABSTOP, ...
// The text is drawn over the parent's background, so a label can sit on a
// picture or gradient the parent paints.

#include <windows.h>

#include <string>

#include "ui/link_label_class.h"

inline constexpr wchar_t kLinkLabelClass[] = L"" LINK_LABEL_CLASS;
inline constexpr COLORREF kLinkColour = RGB(0, 78, 152);
inline constexpr COLORREF kLinkHotColour = RGB(49, 106, 197);

// Registers the window class for the instance; later calls do nothing.
void RegisterLinkLabelClass(HINSTANCE instance);

struct LinkLabelLook {
  COLORREF colour;
  bool underlined;
};

// What a label looks like with the mouse over it or not.
LinkLabelLook LinkLook(bool hot);

// Draws the text of a label in its look and its font made bold, vertically
// centred, without touching the background. A label with the style SS_CENTER
// is centred across its width, others start at its left.
void DrawLinkLabel(HDC dc, const RECT& area, const std::wstring& text, HFONT baseFont,
                   const LinkLabelLook& look, bool centred = false);
