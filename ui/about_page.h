#pragma once
// The "About" page of the options window: three colour gradients under the
// program icon, the product name, the version the program file carries, its
// one-line description and three links.
// Typing the maker's name anywhere in the options window starts a colour
// animation of the page, and typing it again stops it. The links are the
// owner's to open.

#include <windows.h>

#include <string>

#include "base/gdi.h"
#include "ui/options_page.h"

inline constexpr COLORREF kAboutBlue = RGB(49, 106, 197);  // 12937777
inline constexpr COLORREF kAboutWhite = RGB(255, 255, 255);

// The two colours of the page. At rest the left strip runs from white to
// blue and the centre and the right strip from blue to white, so the page
// shades symmetrically from the middle outwards.
struct AboutColours {
  COLORREF outer = kAboutWhite;
  COLORREF inner = kAboutBlue;
};

// The narrow strips at both sides of the page, at 96 DPI.
inline constexpr int kAboutStripWidth = 26;

// The left strip runs from outer to inner, the centre from inner at its
// edges to outer in its middle, the right strip from inner to outer.
void DrawAboutGradients(HDC dc, const RECT& page, const AboutColours& colours, UINT dpi);

enum class AboutLink { HomePage, ProgramInformation, TechnicalSupport };

// What the page asks of the window that holds it.
class AboutPageOwner {
 public:
  virtual void OpenAboutLink(AboutLink link) = 0;

 protected:
  ~AboutPageOwner() = default;
};

class TAboutPage : public TOptionsPage {
 public:
  // The home page link shows the address it opens.
  TAboutPage(AboutPageOwner& owner, int iconId, std::wstring homePageAddress);
  ~TAboutPage() override;

  const AboutColours& Colours() const { return colours_; }

  // A key pressed anywhere in the options window, before its control sees it.
  void KeyTyped(WPARAM virtualKey);

  // The page moved to a monitor of this DPI (WM_DPICHANGED): the icon, the
  // fonts and the strips are made anew for it. Until then the page uses the
  // DPI its window had when it was set up.
  void SetDpi(UINT dpi) override;

 protected:
  void OnInit() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void SetIcon();
  void SetFonts();
  void Redraw() const;
  bool OpenLink(int id);
  void SetColours(const AboutColours& colours);
  void ToggleAnimation();
  void SetTicking(bool ticking);
  void Tick();

  AboutPageOwner& owner_;
  int iconId_;
  std::wstring homePageAddress_;
  UINT dpi_ = 0;
  OwnedIcon icon_;
  OwnedFont nameFont_;
  OwnedFont lineFont_;
  AboutColours colours_;
  bool animating_ = false;
  // The animation's timer runs: only while the page can be seen.
  bool ticking_ = false;
  std::wstring savedCaption_;
  // The keys typed last, as many as the maker's name has letters.
  std::wstring typedKeys_;
};
