#include "ui/welcome_window.h"

#include "app/res/resource.h"

TfrmWelcome::TfrmWelcome(HINSTANCE instance, HWND owner) : TForm(instance, owner, IDD_WELCOME) {
  Create();
}
