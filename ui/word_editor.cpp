#include "ui/word_editor.h"

#include "ui/modal_dialog.h"
#include "ui/ui_resources.h"

namespace {

class TfrmWord final : public TModalDialog {
 public:
  explicit TfrmWord(WordCorrection& correction) : TModalDialog(IDD_WORD), correction_(correction) {}

 private:
  // The copy being edited, which the controls show and take back.
  WordCorrection& correction_;
};

}  // namespace

bool EditWordCorrection(HINSTANCE instance, HWND owner, WordCorrection& correction) {
  return EditModal<TfrmWord>(instance, owner, correction);
}
