#include "ui/form.h"

#include <algorithm>
#include <utility>

#include "base/dpi.h"

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

int Rescale(int value, UINT oldDpi, UINT newDpi) {
  return MulDiv(value, static_cast<int>(newDpi), static_cast<int>(oldDpi));
}

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> Descendants(HWND window) {
  std::vector<HWND> windows;
  EnumChildWindows(window, AddWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// The window's place in its parent's client area.
RECT PlaceInParent(HWND window) {
  RECT place;
  GetWindowRect(window, &place);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// Moves and sizes every window inside `window`, at any depth, from the old DPI
// to the new one, and gives them all the window's font remade for the new
// DPI; answers that font, which must live as long as the controls use it.
// Every place is taken before any window moves.
OwnedFont RescaleControls(HWND window, UINT oldDpi, UINT newDpi) {
  LOGFONTW logFont{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(logFont),
             &logFont);
  logFont.lfHeight = Rescale(logFont.lfHeight, oldDpi, newDpi);
  OwnedFont font = MakeFont(logFont);
  const std::vector<HWND> windows = Descendants(window);
  std::vector<RECT> places;
  for (HWND child : windows) places.push_back(PlaceInParent(child));
  for (size_t index = 0; index < windows.size(); ++index) {
    const RECT& place = places[index];
    const int left = Rescale(place.left, oldDpi, newDpi);
    const int top = Rescale(place.top, oldDpi, newDpi);
    SetWindowPos(windows[index], nullptr, left, top, Rescale(place.right, oldDpi, newDpi) - left,
                 Rescale(place.bottom, oldDpi, newDpi) - top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(windows[index], WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  }
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  return font;
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
    : TDialogWindow(templateId, instance), owner_(owner) {}

void TForm::Create() { CreateFromTemplate(Instance(), owner_); }

bool TForm::Visible() const { return Handle() != nullptr && IsWindowVisible(Handle()); }

void TForm::Show() {
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
}

void TForm::ShowModal() {
  DisableOtherWindows();
  Show();
  RunModalLoop();
  EnableOtherWindows();
}

void TForm::DisableOtherWindows() {
  OtherWindowsSearch search{Handle(), {}};
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

void TForm::Hide() { ShowWindow(Handle(), SW_HIDE); }

void TForm::Close() { SendMessageW(Handle(), WM_CLOSE, 0, 0); }

void TForm::Initialize() {
  dpi_ = WindowDpi(Handle());
  OnInit();
}

// Windows scales nothing inside the window: the controls and their font are
// rescaled first, the window takes the rectangle Windows suggests, and then
// it rebuilds what it lays out itself.
void TForm::DpiChanged(UINT dpi, LPARAM suggestedRect) {
  if (dpi != dpi_) {
    font_ = RescaleControls(Handle(), dpi_, dpi);
    dpi_ = dpi;
  }
  const RECT& suggested = *reinterpret_cast<const RECT*>(suggestedRect);
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutForDpi();
}

bool TForm::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // The other windows come back before this one goes, so that Windows hands
  // the activation back to the program rather than to another one. A window
  // hidden because its owner was minimised (lParam set) is still modal.
  if (message == WM_SHOWWINDOW && wParam == FALSE && lParam == 0) EnableOtherWindows();
  if (message == WM_DPICHANGED) {
    DpiChanged(LOWORD(wParam), lParam);
    return true;
  }
  if (HandleMessage(message, wParam, lParam, result)) return true;
  // Esc arrives as IDCANCEL and acts as the close box.
  if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
    OnCloseRequest();
    return true;
  }
  return false;
}
