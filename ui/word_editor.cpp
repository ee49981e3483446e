#include "ui/word_editor.h"

#include "app/res/resource.h"

TfrmWord::TfrmWord(TApplication& application) : TForm(application, IDD_WORD) { Create(); }
