#pragma once
// The welcome window that greets the user on the first run: a small borderless
// window of colour gradients with a title, the greeting, which it reads aloud
// as it shows, and a "Continue" link. Closing it (the link, Esc) only hides it;
// it lives until the program ends. Pressed anywhere on its gradients it moves
// with the mouse, and it snaps to the edges of the work area.

#include <string>

#include "base/gdi.h"
#include "ui/form.h"

// What the welcome window asks of the window that owns it.
class WelcomeOwner {
 public:
  // The greeting with the default voice, after whatever is still being said.
  // Throws when speaking fails; the window then beeps and stays silent.
  virtual void SpeakGreeting(const std::wstring& greeting) = 0;
  // The window is hidden: the greeting stops.
  virtual void SilenceGreeting() = 0;

 protected:
  ~WelcomeOwner() = default;
};

// Shown modally with ShowModal (TForm's), which returns once it has been closed.
class TfrmWelcome : public TForm {
 public:
  // Created hidden, centred on `centreOn` (the main window) when shown.
  TfrmWelcome(HINSTANCE instance, HWND owner, HWND centreOn, WelcomeOwner& requests);

 private:
  void OnInit() override;
  // The window keeps the top left corner Windows suggests for a new DPI and
  // takes its own size.
  void LayOutForDpi() override { Layout(); }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  void CreateControls();
  void AddControl(int id, const wchar_t* windowClass, DWORD style, const wchar_t* text);
  // A control's place in pixels.
  struct ControlPlace {
    int left, top, width, height;
  };

  // Fonts, places and the window's size for its DPI.
  void Layout();
  void SetFonts();
  // How many pixels the greeting needs below the layout's box.
  int GreetingGrowth() const;
  void PlaceControls(int greetingGrowth) const;
  void Place(int id, const ControlPlace& place) const;
  // A length of the layout, written for 96 DPI, at the window's DPI.
  int Scale(int pixelsAt96Dpi) const;
  void DrawBackground(HDC dc) const;
  void PositionChanged(const WINDOWPOS& position);
  void Greet();
  void SnapToWorkArea(RECT& proposed) const;

  HWND centreOn_;
  WelcomeOwner& requests_;
  OwnedFont titleFont_;
  OwnedFont textFont_;
  OwnedFont linkFont_;
};
