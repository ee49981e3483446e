// Run once when a Wine test session starts: it makes Wine start the system
// processes that programs would otherwise start on first use (the service
// manager, the desktop window's process and the RPC service behind COM's
// running object table), so that they begin outside any test. A test program
// that started them would leave them holding its output open, and the test
// runner would wait for them.

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

int wmain() {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  DestroyWindow(window);
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  IUnknown* object = nullptr;
  // Any class will do: the question goes to the running object table.
  if (SUCCEEDED(GetActiveObject(CLSID_StdGlobalInterfaceTable, nullptr, &object))) object->Release();
  CoUninitialize();
  return 0;
}
