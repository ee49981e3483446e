#include "ui/welcome_window.h"

#include "ui/ui_resources.h"

TfrmWelcome::TfrmWelcome(HINSTANCE instance, HWND owner) : TForm(instance, owner, IDD_WELCOME) {
  Create();
}
