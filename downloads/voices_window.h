#pragma once
// The window that downloads and installs additional speech engines.

#include "ui/form.h"

class TfrmVoices : public TForm {
 public:
  explicit TfrmVoices(HINSTANCE instance, HWND owner);
};
