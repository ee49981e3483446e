#pragma once
// Where the running program file is, whatever the working directory is: the
// folder it was started from may be anywhere; and which version it is.

#include <string>

// The folder of the running program file, with a trailing backslash.
std::wstring ProgramFolder();
// The full path of the running program file.
std::wstring ProgramPath();
// The program file's name without folder and extension ("Tolvane").
std::wstring ProgramBaseName();
// The product version that the running program file's version resource
// carries ("1.2.0"), or nothing when it has none.
std::wstring ProgramVersion();
