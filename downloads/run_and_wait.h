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
std::optional<DWORD> RunAndWait(const std::wstring& path, const std::function<void()>& processMessages);
