#pragma once

#include <windows.h>

// Creates the stand-in TTS engine enumerator; the DLL's class factory calls
// this.
HRESULT CreateEngineEnumerator(REFIID iid, void** object);
