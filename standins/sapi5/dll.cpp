// The stand-in for SAPI 5's SpVoice as an in-process COM server.
#include <windows.h>
#include <sapi.h>

#include "standins/common/com_server.h"
#include "standins/sapi5/standin_voice.h"

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (clsid != CLSID_SpVoice) return CLASS_E_CLASSNOTAVAILABLE;
  return GetClassObject(CreateStandinVoice, iid, object);
}

// The speech objects keep windows of a class whose procedure lives in this
// DLL; staying loaded for the life of the process is the simple safe answer.
STDAPI DllCanUnloadNow() { return S_FALSE; }

STDAPI DllRegisterServer() { return RegisterInprocServer(CLSID_SpVoice, L"SpVoice (Tolvane stand-in)"); }

STDAPI DllUnregisterServer() { return UnregisterInprocServer(CLSID_SpVoice); }
