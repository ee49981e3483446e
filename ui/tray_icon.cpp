#include "ui/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

namespace {
constexpr UINT kTrayIconId = 1;
}

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
  size_t length = std::min(hint_.size(), std::size(data.szTip) - 1);
  std::copy_n(hint_.c_str(), length, data.szTip);
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

void TTrayIcon::TaskbarCreated() {
  if (!visible_) return;
  NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  Shell_NotifyIconW(NIM_ADD, &data);
}
