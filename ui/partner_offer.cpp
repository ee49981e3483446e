#include "ui/partner_offer.h"

#include "ui/ui_resources.h"

TfrmPartnerOffer::TfrmPartnerOffer(HINSTANCE instance, HWND owner)
    : TForm(instance, owner, IDD_PARTNER_OFFER) {
  Create();
}
