#include "ui/slot_editor.h"

#include "ui/modal_dialog.h"
#include "ui/ui_resources.h"

namespace {

class TfrmSlot final : public TModalDialog {
 public:
  explicit TfrmSlot(VoiceSlot& slot) : TModalDialog(IDD_SLOT), slot_(slot) {}

 private:
  // The copy being edited, which the controls show and take back.
  VoiceSlot& slot_;
};

}  // namespace

bool EditVoiceSlot(HINSTANCE instance, HWND owner, VoiceSlot& slot) {
  return EditModal<TfrmSlot>(instance, owner, slot);
}
