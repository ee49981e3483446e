#pragma once
// The pronunciation correction editor: one word and the text spoken in its place.

#include "ui/form.h"

class TfrmWord : public TForm {
 public:
  explicit TfrmWord(HINSTANCE instance, HWND owner);
};
