#include "ui/word_editor.h"

#include "app/res/resource.h"

TfrmWord::TfrmWord(HINSTANCE instance, HWND owner) : TForm(instance, owner, IDD_WORD) { Create(); }
