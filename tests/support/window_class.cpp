#include "tests/support/window_class.h"

ATOM RegisterWindowClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = name;
  const ATOM registered = RegisterClassExW(&windowClass);
  if (registered != 0) return registered;
  // GetClassInfoEx answers the atom of a class it finds.
  return static_cast<ATOM>(GetClassInfoExW(windowClass.hInstance, name, &windowClass));
}
