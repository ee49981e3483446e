#include "ui/word_editor.h"

#include "ui/ui_resources.h"

TfrmWord::TfrmWord(HINSTANCE instance, HWND owner) : TForm(instance, owner, IDD_WORD) { Create(); }
