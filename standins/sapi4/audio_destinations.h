#pragma once

#include <windows.h>

// The two SAPI 4 audio destinations: the multimedia device and the file.
// The engine speaks through the configured audio output either way; the
// objects are here so the program's selection works and can be watched.
HRESULT CreateMultiMediaDestination(REFIID iid, void** object);
HRESULT CreateFileDestination(REFIID iid, void** object);
