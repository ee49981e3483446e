#include "ui/about_page.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "app/res/resource.h"
#include "base/dpi.h"
#include "base/exception_guard.h"

namespace {

constexpr int kIconSize = 64;
constexpr int kGradientSteps = 256;
constexpr COLORREF kLineColour = RGB(0, 0, 128);  // dark blue
constexpr wchar_t kFontFace[] = L"Arial";
constexpr int kNamePoints = 14;
constexpr int kLinePoints = 9;

LOGFONTW ArialFont(int points, UINT dpi, bool italic) {
  LOGFONTW font{};
  font.lfHeight = FontHeightForPoints(points, dpi);
  font.lfWeight = FW_BOLD;
  font.lfItalic = italic ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  std::copy(std::begin(kFontFace), std::end(kFontFace), font.lfFaceName);
  return font;
}

}  // namespace

void DrawAboutGradients(HDC dc, const RECT& page, const AboutColours& colours, UINT dpi) {
  const int strip = ScaleForDpi(kAboutStripWidth, dpi);
  const int middle = (page.left + page.right) / 2;
  FillGradient(dc, {page.left, page.top, page.left + strip, page.bottom}, colours.outer,
               colours.inner, kGradientSteps, GradientDirection::LeftToRight);
  FillGradient(dc, {page.left + strip, page.top, middle, page.bottom}, colours.inner, colours.outer,
               kGradientSteps, GradientDirection::LeftToRight);
  FillGradient(dc, {middle, page.top, page.right - strip, page.bottom}, colours.outer,
               colours.inner, kGradientSteps, GradientDirection::LeftToRight);
  FillGradient(dc, {page.right - strip, page.top, page.right, page.bottom}, colours.inner,
               colours.outer, kGradientSteps, GradientDirection::LeftToRight);
}

TAboutPage::TAboutPage(HWND page, HINSTANCE instance, int iconId)
    : page_(page), instance_(instance), iconId_(iconId), dpi_(WindowDpi(page)) {
  SetIcon();
  SetFonts();
  SetWindowSubclass(page, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

TAboutPage::~TAboutPage() {
  RemoveWindowSubclass(page_, SubclassProc, 0);
  DestroyIcon(icon_);
}

void TAboutPage::SetDpi(UINT dpi) {
  dpi_ = dpi;
  SetIcon();
  SetFonts();
  Redraw();
}

// The icon is loaded at the size it is shown in, so it is never stretched.
void TAboutPage::SetIcon() {
  const int iconSize = ScaleForDpi(kIconSize, dpi_);
  HICON icon = static_cast<HICON>(
      LoadImageW(instance_, MAKEINTRESOURCEW(iconId_), IMAGE_ICON, iconSize, iconSize, 0));
  SendDlgItemMessageW(page_, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  if (icon_ != nullptr) DestroyIcon(icon_);
  icon_ = icon;
}

// The texts take the new fonts before the old ones are deleted.
void TAboutPage::SetFonts() {
  OwnedFont nameFont = MakeFont(ArialFont(kNamePoints, dpi_, false));
  OwnedFont lineFont = MakeFont(ArialFont(kLinePoints, dpi_, true));
  SendDlgItemMessageW(page_, IDC_ABOUT_NAME, WM_SETFONT, reinterpret_cast<WPARAM>(nameFont.get()),
                      FALSE);
  SendDlgItemMessageW(page_, IDC_ABOUT_LINE, WM_SETFONT, reinterpret_cast<WPARAM>(lineFont.get()),
                      FALSE);
  nameFont_ = std::move(nameFont);
  lineFont_ = std::move(lineFont);
}

void TAboutPage::SetColours(const AboutColours& colours) {
  colours_ = colours;
  Redraw();
}

void TAboutPage::Redraw() const {
  RedrawWindow(page_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK TAboutPage::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
  return CallGuarded(LRESULT{0}, [&] {
    LRESULT result = reinterpret_cast<TAboutPage*>(self)->PageMessage(message, wParam, lParam);
    return result != -1 ? result : DefSubclassProc(window, message, wParam, lParam);
  });
}

// Answers -1 for the messages the dialog itself handles.
LRESULT TAboutPage::PageMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT page;
      GetClientRect(page_, &page);
      DrawAboutGradients(reinterpret_cast<HDC>(wParam), page, colours_, dpi_);
      return 1;
    }
    case WM_CTLCOLORSTATIC: {
      // The texts and the icon stand on the gradients.
      auto dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      const bool isLine = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_ABOUT_LINE;
      SetTextColor(dc, isLine ? kLineColour : RGB(0, 0, 0));
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    default:
      return -1;
  }
}
