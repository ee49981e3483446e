// The stand-in for the SAPI 4 text-to-speech runtime as an in-process COM
// server: the engine enumerator and the two audio destinations.
#include <windows.h>

#include "speech/sapi4.h"
#include "standins/common/com_server.h"
#include "standins/sapi4/audio_destinations.h"
#include "standins/sapi4/engine_enumerator.h"

namespace {

struct ServedClass {
  const CLSID& clsid;
  CreateObjectFunction create;
  const wchar_t* description;
};

const ServedClass kServedClasses[] = {
    {CLSID_TTSEnumerator, CreateEngineEnumerator, L"TTS engine enumerator (Tolvane stand-in)"},
    {CLSID_MMAudioDest, CreateMultiMediaDestination, L"Multimedia audio destination (Tolvane stand-in)"},
    {CLSID_AudioDestFile, CreateFileDestination, L"File audio destination (Tolvane stand-in)"},
};

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  for (const ServedClass& served : kServedClasses) {
    if (clsid == served.clsid) return GetClassObject(served.create, iid, object);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

// The engines keep windows of a class whose procedure lives in this DLL;
// staying loaded for the life of the process is the simple safe answer.
STDAPI DllCanUnloadNow() { return S_FALSE; }

STDAPI DllRegisterServer() {
  for (const ServedClass& served : kServedClasses) {
    const HRESULT registered = RegisterInprocServer(served.clsid, served.description);
    if (FAILED(registered)) return registered;
  }
  return S_OK;
}

STDAPI DllUnregisterServer() {
  HRESULT result = S_OK;
  for (const ServedClass& served : kServedClasses) {
    const HRESULT unregistered = UnregisterInprocServer(served.clsid);
    if (FAILED(unregistered)) result = unregistered;
  }
  return result;
}
