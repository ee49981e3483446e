#pragma once
// Where to get better voices: a short page on the voices that come with
// Windows, voices of other makers and the program's own engine downloads,
// with a link to the maker's engine list. Created hidden once at start-up,
// shown modeless, and hidden again by its close box or Esc.

#include "ui/form.h"

// What the window asks of the window that owns it.
class PartnerOfferOwner {
 public:
  // The link: the maker's page that lists speech engines.
  virtual void OpenEngineListPage() = 0;

 protected:
  ~PartnerOfferOwner() = default;
};

class TfrmPartnerOffer : public TForm {
 public:
  TfrmPartnerOffer(HINSTANCE instance, HWND owner, PartnerOfferOwner& requests);
};
