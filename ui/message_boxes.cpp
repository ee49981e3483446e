#include "ui/message_boxes.h"

void ShowMessage(HWND owner, const std::wstring& text) {
  MessageBoxW(owner, text.c_str(), kProgramTitle, MB_OK);
}

void ShowInformation(HWND owner, const std::wstring& text) {
  MessageBoxW(owner, text.c_str(), kProgramTitle, MB_OK | MB_ICONINFORMATION);
}

void ShowWarning(HWND owner, const std::wstring& text) {
  MessageBoxW(owner, text.c_str(), kProgramTitle, MB_OK | MB_ICONWARNING);
}

bool AskYesNo(HWND owner, const std::wstring& text, UINT icon) {
  return MessageBoxW(owner, text.c_str(), kProgramTitle, MB_YESNO | icon) == IDYES;
}
