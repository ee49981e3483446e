#include "ui/welcome_window.h"

#include "app/res/resource.h"

TfrmWelcome::TfrmWelcome(TApplication& application) : TForm(application, IDD_WELCOME) { Create(); }
