#pragma once
// Runs an engine installer and waits for it to end without freezing the
// program: the program's messages keep running meanwhile. An installer that
// asks for administrator rights is started through the shell, so that
// Windows shows its consent prompt.

#include <functional>
#include <optional>
#include <string>

#include <windows.h>

// The installer's exit code once it has ended; nothing when it could not be
// started (the user refused the consent prompt, the file is not a program).
// There is no time limit: an installer takes as long as its user does.
// Meanwhile processMessages runs whenever messages wait, and must handle all
// of them. The consent prompt, when there is one, comes up over `owner`.
std::optional<DWORD> RunAndWait(const std::wstring& path,
                                const std::function<void()>& processMessages, HWND owner = nullptr);
