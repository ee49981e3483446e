#include "app/application.h"

#include <iterator>

#include <commctrl.h>

#include "base/exception_guard.h"
#include "base/program_folder.h"
#include "base/window_thunk.h"
#include "ui/hotkey_edit.h"
#include "ui/link_label.h"

namespace {

// The window classes of every control the program's windows use.
void RegisterControlClasses(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterHotKeyEditClass(instance);
  RegisterLinkLabelClass(instance);
}

void RegisterApplicationClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowThunk<TApplication>;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kApplicationWindowClass;
  RegisterClassExW(&windowClass);
}

struct CopySearch {
  HWND own;
  bool found;
};

BOOL CALLBACK FindOtherApplicationWindow(HWND window, LPARAM searchParameter) {
  auto* search = reinterpret_cast<CopySearch*>(searchParameter);
  wchar_t className[64]{};
  wchar_t title[64]{};
  GetClassNameW(window, className, static_cast<int>(std::size(className)));
  GetWindowTextW(window, title, static_cast<int>(std::size(title)));
  if (window != search->own && lstrcmpW(className, kApplicationWindowClass) == 0 &&
      lstrcmpW(title, kProgramTitle) == 0) {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

TApplication::TApplication(HINSTANCE instance) : instance_(instance) {
  RegisterControlClasses(instance);
  RegisterApplicationClass(instance);
  // A caption and a system menu but never shown: it only carries the identity
  // of a running copy and receives the broadcasts sent to top-level windows.
  CreateWindowExW(0, kApplicationWindowClass, ProgramBaseName().c_str(),
                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr,
                  instance, this);
}

TApplication::~TApplication() {
  if (handle_ != nullptr) DestroyWindow(handle_);
}

bool TApplication::AnotherCopyRuns() const {
  CopySearch search{handle_, false};
  EnumWindows(FindOtherApplicationWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void TApplication::SetTitle(const std::wstring& title) { SetWindowTextW(handle_, title.c_str()); }

void TApplication::SetIcon(HICON icon) {
  SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void TApplication::Minimize() {
  if (minimizeHandler_ && minimizeHandler_()) return;
  if (mainForm_ != nullptr) ShowWindow(mainForm_, SW_MINIMIZE);
}

void TApplication::Restore() {
  if (mainForm_ == nullptr) return;
  ShowWindow(mainForm_, IsIconic(mainForm_) ? SW_RESTORE : SW_SHOW);
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

int TApplication::Run() {
  MSG message;
  while (!terminated_ && GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  terminated_ = true;
  return 0;
}

void TApplication::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

void TApplication::Dispatch(MSG& message) {
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (message.message == WM_KEYDOWN && root != nullptr && root == mainForm_ && keyPreview_ &&
      CallGuarded(false, [&] { return keyPreview_(message.wParam); })) {
    return;
  }
  // Every window of the program is a dialog or holds dialogs: Tab, the
  // mnemonics, Enter and Esc work in all of them.
  if (root != nullptr && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

LRESULT TApplication::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The default would destroy the window that identifies a running copy and
  // leave the program running without it.
  if (message == WM_CLOSE) {
    if (closeHandler_) CallGuarded([this] { closeHandler_(); });
    return 0;
  }
  return DefWindowProcW(handle_, message, wParam, lParam);
}
