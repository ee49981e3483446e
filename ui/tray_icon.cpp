#include "ui/tray_icon.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "ui/message_boxes.h"

namespace {

constexpr UINT kTrayIconId = 1;
constexpr int kAddRetries = 5;
constexpr UINT kAddRetryMilliseconds = 1000;
// Under version 4 the notification area shows the hint only when asked to.
constexpr UINT kHintFlags = NIF_TIP | NIF_SHOWTIP;

// Into a fixed field of the icon's data, cut to fit with its terminating zero.
template <size_t kSize>
void CopyTruncated(const std::wstring& text, wchar_t (&field)[kSize]) {
  const size_t length = std::min(text.size(), kSize - 1);
  std::copy_n(text.c_str(), length, field);
  field[length] = L'\0';
}

}  // namespace

TTrayIcon::TTrayIcon(HWND window, UINT callbackMessage, UINT_PTR addRetryTimer, ShellNotify notify)
    : window_(window),
      callbackMessage_(callbackMessage),
      addRetryTimer_(addRetryTimer),
      notify_(std::move(notify)) {}

TTrayIcon::~TTrayIcon() { SetVisible(false); }

NOTIFYICONDATAW TTrayIcon::Data(UINT flags) const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window_;
  data.uID = kTrayIconId;
  data.uFlags = flags;
  data.uCallbackMessage = callbackMessage_;
  data.hIcon = icon_;
  CopyTruncated(hint_, data.szTip);
  return data;
}

void TTrayIcon::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (visible) {
    Add();
    return;
  }
  StopRetrying();
  if (!added_) return;
  NOTIFYICONDATAW data = Data(0);
  notify_(NIM_DELETE, &data);
  added_ = false;
}

// At an early logon the notification area may refuse the icon for a while.
// A refused add is tried again a few times, a second apart, on a timer (the
// program goes on meanwhile); after that the next "TaskbarCreated" tries it.
void TTrayIcon::Add() {
  StopRetrying();
  TryAdd();
  if (added_) return;
  addRetriesLeft_ = kAddRetries;
  SetTimer(window_, addRetryTimer_, kAddRetryMilliseconds, nullptr);
}

// Version 4 is asked for after every add: Explorer forgets it with the icon.
void TTrayIcon::TryAdd() {
  NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | kHintFlags);
  added_ = notify_(NIM_ADD, &data) != FALSE;
  if (!added_) return;
  data.uVersion = NOTIFYICON_VERSION_4;
  version4_ = notify_(NIM_SETVERSION, &data) != FALSE;
}

void TTrayIcon::RetryAdd() {
  TryAdd();
  --addRetriesLeft_;
  if (added_ || addRetriesLeft_ == 0) StopRetrying();
}

void TTrayIcon::StopRetrying() {
  KillTimer(window_, addRetryTimer_);
  addRetriesLeft_ = 0;
}

bool TTrayIcon::HandleTimer(UINT_PTR timer) {
  if (timer != addRetryTimer_) return false;
  // A tick already queued when the retries stopped finds nothing to do.
  if (addRetriesLeft_ > 0) RetryAdd();
  return true;
}

// An icon not yet added takes its picture and hint when it is.
void TTrayIcon::Modify() {
  if (!added_) return;
  NOTIFYICONDATAW data = Data(NIF_ICON | kHintFlags);
  notify_(NIM_MODIFY, &data);
}

void TTrayIcon::SetIcon(HICON icon) {
  icon_ = icon;
  Modify();
}

void TTrayIcon::SetHint(const std::wstring& hint) {
  hint_ = hint;
  Modify();
}

void TTrayIcon::ShowBalloon(const std::wstring& text) {
  if (!added_) return;
  NOTIFYICONDATAW data = Data(NIF_INFO);
  data.dwInfoFlags = NIIF_INFO;
  CopyTruncated(kProgramTitle, data.szInfoTitle);
  CopyTruncated(text, data.szInfo);
  notify_(NIM_MODIFY, &data);
}

TrayIconEvent TTrayIcon::Event(WPARAM wParam, LPARAM lParam) const {
  // Before version 4 lParam is the message alone, so its low word is it in both.
  const UINT message = LOWORD(lParam);
  if (version4_) return {message, {GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)}};
  POINT cursor{};
  GetCursorPos(&cursor);
  return {message == WM_RBUTTONUP ? static_cast<UINT>(WM_CONTEXTMENU) : message, cursor};
}

// Explorer has forgotten the icon, or is ready at last to take it.
void TTrayIcon::TaskbarCreated() {
  added_ = false;
  if (visible_) Add();
}
