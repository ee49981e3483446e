#include "tests/support/window_class.h"

#include <utility>

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

OwnerWindow::OwnerWindow(Handler handler) : handler_(std::move(handler)) {
  static const ATOM windowClass = RegisterWindowClass(L"TolvaneTestOwner", Procedure);
  hwnd_ = CreateWindowExW(0, MAKEINTATOM(windowClass), L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                          100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK OwnerWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* owner = reinterpret_cast<OwnerWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (owner != nullptr && owner->handler_ && owner->handler_(message, wParam, lParam)) return 0;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128]{};
  GetClassNameW(window, name, 128);
  return name;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

LONG FontHeight(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

namespace {

struct ClassSearch {
  const std::wstring& name;
  std::vector<HWND> found;
};

BOOL CALLBACK AddOfClass(HWND window, LPARAM search) {
  auto& wanted = *reinterpret_cast<ClassSearch*>(search);
  if (ClassOf(window) == wanted.name) wanted.found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> WindowsOfClass(const std::wstring& name, HWND parent) {
  ClassSearch search{name, {}};
  if (parent != nullptr) {
    EnumChildWindows(parent, AddOfClass, reinterpret_cast<LPARAM>(&search));
  } else {
    EnumThreadWindows(GetCurrentThreadId(), AddOfClass, reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}
