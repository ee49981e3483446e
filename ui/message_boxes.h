#pragma once
// The program's message boxes, titled with its name.

#include <windows.h>

#include <string>

inline constexpr wchar_t kProgramTitle[] = L"Tolvane!";

// With OK only.
void ShowMessage(HWND owner, const std::wstring& text);
void ShowInformation(HWND owner, const std::wstring& text);
void ShowWarning(HWND owner, const std::wstring& text);
// With Yes and No, Yes first; answers whether the user chose Yes. `icon` is
// MB_ICONQUESTION for a confirmation, MB_ICONWARNING for a warning.
bool AskYesNo(HWND owner, const std::wstring& text, UINT icon);
