#include "downloads/voices_window.h"

#include "downloads/downloads_resources.h"
#include "ui/modal_dialog.h"

namespace {

class TfrmVoices final : public TModalDialog {
 public:
  TfrmVoices() : TModalDialog(IDD_VOICES) {}
};

}  // namespace

void ShowAdditionalVoices(HINSTANCE instance, HWND owner) {
  TfrmVoices().ShowModal(instance, owner);
}
