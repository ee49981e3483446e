#pragma once
// The welcome window that greets the user on the first run.

#include "ui/form.h"

class TfrmWelcome : public TForm {
 public:
  explicit TfrmWelcome(HINSTANCE instance, HWND owner);
};
