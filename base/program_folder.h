#pragma once
// Where the running program file is, whatever the working directory is: the
// folder it was started from may be anywhere.

#include <string>

// The folder of the running program file, with a trailing backslash.
std::wstring ProgramFolder();
// The full path of the running program file.
std::wstring ProgramPath();
// The program file's name without folder and extension ("Tolvane").
std::wstring ProgramBaseName();
