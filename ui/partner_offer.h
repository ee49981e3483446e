#pragma once
// The window that presents the partner's commercial quality voices.

#include "ui/form.h"

class TfrmPartnerOffer : public TForm {
 public:
  explicit TfrmPartnerOffer(HINSTANCE instance, HWND owner);
};
