#include "ui/partner_offer.h"

#include <utility>

#include "base/dpi.h"
#include "ui/about_page.h"
#include "ui/ui_resources.h"

namespace {

constexpr int kIconSize = 64;

}  // namespace

TfrmPartnerOffer::TfrmPartnerOffer(HINSTANCE instance, HWND owner, PartnerOfferOwner& requests,
                                   int iconId)
    : TForm(instance, owner, IDD_PARTNER_OFFER), requests_(requests), iconId_(iconId) {
  Create();
}

// Loaded at the size it is shown in, so it is never stretched; the picture
// takes the new icon before the old one is destroyed.
void TfrmPartnerOffer::SetIcon() {
  OwnedIcon icon = LoadIconOfSize(Instance(), iconId_, ScaleForDpi(kIconSize, Dpi()));
  SendDlgItemMessageW(Handle(), IDC_OFFER_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()),
                      0);
  icon_ = std::move(icon);
}

// The gradients are drawn for the DPI.
void TfrmPartnerOffer::LayOutForDpi() {
  SetIcon();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool TfrmPartnerOffer::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      DrawAboutGradients(reinterpret_cast<HDC>(wParam), client, AboutColours{}, Dpi());
      result = TRUE;
      return true;
    }
    case WM_CTLCOLORSTATIC: {
      // The texts and the icon stand on the gradients.
      auto dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(0, 0, 0));
      result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      return true;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) != IDC_OFFER_ENGINES_LINK) return false;
      requests_.OpenEngineListPage();
      return true;
    default:
      return false;
  }
}
