#include "downloads/voices_window.h"

#include "app/res/resource.h"

TfrmVoices::TfrmVoices(HINSTANCE instance, HWND owner) : TForm(instance, owner, IDD_VOICES) {
  Create();
}
