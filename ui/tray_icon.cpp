#include "ui/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

#include "ui/message_boxes.h"

namespace {

constexpr UINT kTrayIconId = 1;

// Into a fixed field of the icon's data, cut to fit with its terminating zero.
template <size_t kSize>
void CopyTruncated(const std::wstring& text, wchar_t (&field)[kSize]) {
  const size_t length = std::min(text.size(), kSize - 1);
  std::copy_n(text.c_str(), length, field);
  field[length] = L'\0';
}

}  // namespace

TTrayIcon::TTrayIcon(HWND window, UINT callbackMessage)
    : window_(window), callbackMessage_(callbackMessage) {}

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
  NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  Shell_NotifyIconW(visible ? NIM_ADD : NIM_DELETE, &data);
  visible_ = visible;
}

void TTrayIcon::Modify() {
  if (!visible_) return;
  NOTIFYICONDATAW data = Data(NIF_ICON | NIF_TIP);
  Shell_NotifyIconW(NIM_MODIFY, &data);
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
  if (!visible_) return;
  NOTIFYICONDATAW data = Data(NIF_INFO);
  data.dwInfoFlags = NIIF_INFO;
  CopyTruncated(kProgramTitle, data.szInfoTitle);
  CopyTruncated(text, data.szInfo);
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TTrayIcon::TaskbarCreated() {
  if (!visible_) return;
  NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  Shell_NotifyIconW(NIM_ADD, &data);
}
