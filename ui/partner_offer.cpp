#include "ui/partner_offer.h"

#include "app/res/resource.h"

TfrmPartnerOffer::TfrmPartnerOffer(TApplication& application) : TForm(application, IDD_PARTNER_OFFER) { Create(); }
