// What the application hot keys do.
#include "app/main_form.h"

void TfrmMain::OptionsHotKeyHotKey(GlobalHotKey&) { Options1Click(); }
