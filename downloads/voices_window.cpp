#include "downloads/voices_window.h"

#include "app/res/resource.h"

TfrmVoices::TfrmVoices(TApplication& application) : TForm(application, IDD_VOICES) { Create(); }
