#pragma once
// Where to get better voices: a short page on the voices that come with
// Windows, voices of other makers and the program's own engine downloads,
// with a link to the maker's engine list, in the colours of the About page.
// Created hidden once at start-up, shown modeless, and hidden again by its
// close box or Esc.

#include "base/gdi.h"
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
  // `iconId` is the program's icon, shown at the top as on the About page.
  TfrmPartnerOffer(HINSTANCE instance, HWND owner, PartnerOfferOwner& requests, int iconId);

 private:
  void OnInit() override { SetIcon(); }
  void LayOutForDpi() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void SetIcon();

  PartnerOfferOwner& requests_;
  int iconId_;
  OwnedIcon icon_;
};
