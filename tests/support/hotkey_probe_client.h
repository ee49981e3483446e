#pragma once
// Asks a second process whether a hot key is free: the probe program tries to
// register it system-wide and lets it go again.

#include <ostream>
#include <string>

enum class HotKeyState { Free, Taken, ProbeFailed };

// By name, in a failed comparison.
void PrintTo(HotKeyState state, std::ostream* os);

HotKeyState ProbeHotKey(unsigned shortCut);

// The folder of the running test program, where the probe and Tolvane.exe are built.
std::wstring TestProgramFolder();
