#include "ui/slot_editor.h"

#include "app/res/resource.h"

TfrmSlot::TfrmSlot(TApplication& application) : TForm(application, IDD_SLOT) { Create(); }
