#include "ui/partner_offer.h"

#include "app/res/resource.h"

TfrmPartnerOffer::TfrmPartnerOffer(HINSTANCE instance, HWND owner)
    : TForm(instance, owner, IDD_PARTNER_OFFER) {
  Create();
}
