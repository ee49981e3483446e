#include "ui/form.h"

#include <algorithm>
#include <utility>

#include "base/win32_error.h"
#include "base/window_thunk.h"

namespace {

// Whether `window` is `form` itself or owned by it, at any depth.
bool BelongsTo(HWND window, HWND form) {
  for (HWND current = window; current != nullptr; current = GetWindow(current, GW_OWNER)) {
    if (current == form) return true;
  }
  return false;
}

struct OtherWindowsSearch {
  HWND form;
  std::vector<HWND> found;
};

BOOL CALLBACK AddOtherUsableWindow(HWND window, LPARAM searchParameter) {
  auto* search = reinterpret_cast<OtherWindowsSearch*>(searchParameter);
  if (IsWindowVisible(window) && IsWindowEnabled(window) && !BelongsTo(window, search->form)) {
    search->found.push_back(window);
  }
  return TRUE;
}

}  // namespace

void CentreWindowOn(HWND window, HWND other) {
  RECT otherArea, area;
  if (!GetWindowRect(other, &otherArea) || !GetWindowRect(window, &area)) return;
  const LONG width = area.right - area.left;
  const LONG height = area.bottom - area.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromRect(&otherArea, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const LONG left = (otherArea.left + otherArea.right - width) / 2;
  const LONG top = (otherArea.top + otherArea.bottom - height) / 2;
  SetWindowPos(window, nullptr, std::max(work.left, std::min(left, work.right - width)),
               std::max(work.top, std::min(top, work.bottom - height)), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TForm::TForm(HINSTANCE instance, HWND owner, int templateId)
    : instance_(instance), owner_(owner), templateId_(templateId) {}

TForm::~TForm() {
  if (handle_ != nullptr) DestroyWindow(handle_);
}

void TForm::Create() {
  HWND handle = CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), owner_,
                                   DialogThunk<TForm>, reinterpret_cast<LPARAM>(this));
  if (handle == nullptr) ThrowLastError("cannot create a window");
}

bool TForm::Visible() const { return handle_ != nullptr && IsWindowVisible(handle_); }

void TForm::Show() {
  ShowWindow(handle_, SW_SHOW);
  SetForegroundWindow(handle_);
}

void TForm::ShowModal() {
  DisableOtherWindows();
  Show();
  RunModalLoop();
  EnableOtherWindows();
}

void TForm::DisableOtherWindows() {
  OtherWindowsSearch search{handle_, {}};
  EnumThreadWindows(GetCurrentThreadId(), AddOtherUsableWindow, reinterpret_cast<LPARAM>(&search));
  for (HWND window : search.found) EnableWindow(window, FALSE);
  disabledForModal_ = std::move(search.found);
}

void TForm::EnableOtherWindows() {
  for (HWND window : disabledForModal_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  disabledForModal_.clear();
}

// The application's own loop is not running meanwhile, so this one gives
// every window of the program its dialog keys, as that one does.
void TForm::RunModalLoop() {
  MSG message;
  while (Visible()) {
    const BOOL received = GetMessageW(&message, nullptr, 0, 0);
    if (received == -1) return;
    if (received == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root != nullptr && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void TForm::Hide() { ShowWindow(handle_, SW_HIDE); }

void TForm::Close() { SendMessageW(handle_, WM_CLOSE, 0, 0); }

INT_PTR TForm::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The other windows come back before this one goes, so that Windows hands
  // the activation back to the program rather than to another one. A window
  // hidden because its owner was minimised (lParam set) is still modal.
  if (message == WM_SHOWWINDOW && wParam == FALSE && lParam == 0) EnableOtherWindows();
  INT_PTR result = FALSE;
  if (HandleMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_CLOSE:
      OnCloseRequest();
      return TRUE;
    case WM_COMMAND:
      // Esc arrives as IDCANCEL and acts as the close box.
      if (LOWORD(wParam) == IDCANCEL) {
        OnCloseRequest();
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

bool TForm::HandleMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }
