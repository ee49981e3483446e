#include "ui/about_page.h"

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <random>
#include <utility>

#include "base/dpi.h"
#include "base/program_folder.h"
#include "ui/controls.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kCaption[] = L"About";
constexpr int kIconSize = 64;
constexpr int kGradientSteps = 256;
constexpr COLORREF kLineColour = RGB(0, 0, 128);  // dark blue
constexpr wchar_t kFontFace[] = L"Arial";
constexpr int kNamePoints = 14;
constexpr int kLinePoints = 9;
// Typing the maker's name switches the colour animation on and off.
constexpr wchar_t kMakerName[] = L"vantorel";
constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kAnimationMilliseconds = 500;

LOGFONTW ArialFont(int points, UINT dpi, bool italic) {
  LOGFONTW font{};
  font.lfHeight = FontHeightForPoints(points, dpi);
  font.lfWeight = FW_BOLD;
  font.lfItalic = italic ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  std::copy(std::begin(kFontFace), std::end(kFontFace), font.lfFaceName);
  return font;
}

std::wstring LowerCase(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t character) { return static_cast<wchar_t>(std::towlower(character)); });
  return text;
}

// Each channel x becomes (256 - x) mod 256.
COLORREF CounterColour(COLORREF colour) {
  auto counter = [](BYTE channel) { return static_cast<BYTE>((256 - channel) % 256); };
  return RGB(counter(GetRValue(colour)), counter(GetGValue(colour)), counter(GetBValue(colour)));
}

AboutColours RandomColours() {
  static std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<int> channel(0, 255);
  const COLORREF random = RGB(channel(generator), channel(generator), channel(generator));
  return {random, CounterColour(random)};
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

TAboutPage::TAboutPage(AboutPageOwner& owner, int iconId, std::wstring homePageAddress)
    : TOptionsPage(IDD_PAGE_ABOUT, kCaption),
      owner_(owner),
      iconId_(iconId),
      homePageAddress_(std::move(homePageAddress)) {}

TAboutPage::~TAboutPage() { SetTicking(false); }

void TAboutPage::OnInit() {
  dpi_ = WindowDpi(Handle());
  SetIcon();
  SetDlgItemTextW(Handle(), IDC_HOMEPAGE_LINK, homePageAddress_.c_str());
  SetDlgItemTextW(Handle(), IDC_ABOUT_VERSION, (L"Version " + ProgramVersion()).c_str());
  SetFonts();
}

void TAboutPage::SetDpi(UINT dpi) {
  dpi_ = dpi;
  SetIcon();
  SetFonts();
  Redraw();
}

// The icon is loaded at the size it is shown in, so it is never stretched;
// the picture takes the new icon before the old one is destroyed.
void TAboutPage::SetIcon() {
  const int iconSize = ScaleForDpi(kIconSize, dpi_);
  OwnedIcon icon = LoadIconOfSize(Instance(), iconId_, iconSize);
  SendDlgItemMessageW(Handle(), IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()),
                      0);
  icon_ = std::move(icon);
}

// The texts take the new fonts before the old ones are deleted.
void TAboutPage::SetFonts() {
  OwnedFont nameFont = MakeFont(ArialFont(kNamePoints, dpi_, false));
  OwnedFont lineFont = MakeFont(ArialFont(kLinePoints, dpi_, true));
  SendDlgItemMessageW(Handle(), IDC_ABOUT_NAME, WM_SETFONT,
                      reinterpret_cast<WPARAM>(nameFont.get()), FALSE);
  SendDlgItemMessageW(Handle(), IDC_ABOUT_LINE, WM_SETFONT,
                      reinterpret_cast<WPARAM>(lineFont.get()), FALSE);
  nameFont_ = std::move(nameFont);
  lineFont_ = std::move(lineFont);
}

void TAboutPage::SetColours(const AboutColours& colours) {
  colours_ = colours;
  Redraw();
}

// Every key was checked when it came, so a match can only end with the key
// just typed: the keys before the name's length are of no more use.
void TAboutPage::KeyTyped(WPARAM virtualKey) {
  typedKeys_ += static_cast<wchar_t>(virtualKey);
  const size_t nameLength = std::size(kMakerName) - 1;
  if (typedKeys_.size() > nameLength) typedKeys_.erase(0, typedKeys_.size() - nameLength);
  if (LowerCase(typedKeys_) != kMakerName) return;
  typedKeys_.clear();
  ToggleAnimation();
}

// The caption is the options window's, which holds the page; it gets its own
// back when the colours stop.
void TAboutPage::ToggleAnimation() {
  HWND window = GetAncestor(Handle(), GA_ROOT);
  animating_ = !animating_;
  if (animating_) {
    savedCaption_ = WindowText(window);
    // The window's caption while the colours run.
    SetWindowTextW(window, (L"Tolvane! version " + ProgramVersion() + L" by Vantorel").c_str());
    SetTicking(true);
  } else {
    SetTicking(false);
    SetWindowTextW(window, savedCaption_.c_str());
    SetColours(AboutColours{});
  }
}

// The colours change only where they are seen. The program spends its day
// hidden in the tray, and a page left animating would wake it twice a second
// for nothing: a tick that finds the page hidden (its window closed to the
// tray, another tab chosen) stops the timer, and the page's next drawing, which
// comes when it is shown again, starts it anew.
void TAboutPage::SetTicking(bool ticking) {
  if (ticking == ticking_) return;
  ticking_ = ticking;
  if (ticking) {
    SetTimer(Handle(), kAnimationTimer, kAnimationMilliseconds, nullptr);
  } else {
    KillTimer(Handle(), kAnimationTimer);
  }
}

void TAboutPage::Tick() {
  if (!IsWindowVisible(Handle())) {
    SetTicking(false);
    return;
  }
  SetColours(RandomColours());
}

void TAboutPage::Redraw() const {
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool TAboutPage::OpenLink(int id) {
  switch (id) {
    case IDC_HOMEPAGE_LINK:
      owner_.OpenAboutLink(AboutLink::HomePage);
      return true;
    case IDC_INFORMATION_LINK:
      owner_.OpenAboutLink(AboutLink::ProgramInformation);
      return true;
    case IDC_SUPPORT_LINK:
      owner_.OpenAboutLink(AboutLink::TechnicalSupport);
      return true;
    default:
      return false;
  }
}

bool TAboutPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND: {
      if (animating_) SetTicking(true);
      RECT page;
      GetClientRect(Handle(), &page);
      DrawAboutGradients(reinterpret_cast<HDC>(wParam), page, colours_, dpi_);
      result = 1;
      return true;
    }
    case WM_CTLCOLORSTATIC: {
      // The texts and the icon stand on the gradients.
      auto dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      const bool isLine = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_ABOUT_LINE;
      SetTextColor(dc, isLine ? kLineColour : RGB(0, 0, 0));
      result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      return true;
    }
    case WM_COMMAND:
      return OpenLink(LOWORD(wParam));
    case WM_TIMER:
      if (wParam != kAnimationTimer) return false;
      Tick();
      return true;
    default:
      return false;
  }
}
