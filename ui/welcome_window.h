#pragma once
// The welcome window that greets the user on the first run: a small borderless
// window of colour gradients with a title, the greeting, which it reads aloud
// as it shows, and a "Continue" link. Closing it (the link, Esc) only hides it;
// it lives until the program ends.

#include <string>

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

class TfrmWelcome : public TForm {
 public:
  // Created hidden, centred on `centreOn` (the main window) when shown.
  TfrmWelcome(HINSTANCE instance, HWND owner, HWND centreOn, WelcomeOwner& requests);

  // Shows the window modally: returns once it has been closed.
  void ShowModal();
};
