#include "downloads/voices_window.h"

#include "downloads/downloads_resources.h"

TfrmVoices::TfrmVoices(HINSTANCE instance, HWND owner) : TForm(instance, owner, IDD_VOICES) {
  Create();
}
