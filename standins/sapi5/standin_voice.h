#pragma once

#include <windows.h>

// Creates the stand-in SpVoice; the DLL's class factory calls this.
HRESULT CreateStandinVoice(REFIID iid, void** object);
