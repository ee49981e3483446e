#include "ui/slot_editor.h"

#include "ui/ui_resources.h"

TfrmSlot::TfrmSlot(HINSTANCE instance, HWND owner) : TForm(instance, owner, IDD_SLOT) { Create(); }
