#include "ui/slot_editor.h"

#include "app/res/resource.h"

TfrmSlot::TfrmSlot(HINSTANCE instance, HWND owner) : TForm(instance, owner, IDD_SLOT) { Create(); }
