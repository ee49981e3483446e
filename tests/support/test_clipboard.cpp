#include "tests/support/test_clipboard.h"

#include <cstring>

#include "tests/support/message_pump.h"

OpenedClipboard::OpenedClipboard(HWND owner) {
  opened_ = PumpUntil([owner] { return OpenClipboard(owner) != FALSE; }, 5s);
}

OpenedClipboard::~OpenedClipboard() {
  if (opened_) CloseClipboard();
}

HGLOBAL GlobalCopy(const void* data, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (size > 0) {
    std::memcpy(GlobalLock(memory), data, size);
    GlobalUnlock(memory);
  }
  return memory;
}

void PutClipboardBytes(UINT format, const void* data, size_t size) {
  SetClipboardData(format, GlobalCopy(data, size));
}

void PutClipboardText(const std::wstring& text) {
  PutClipboardBytes(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

std::vector<BYTE> ClipboardBytes(UINT format) {
  HANDLE data = GetClipboardData(format);
  if (data == nullptr) return {};
  const auto* bytes = static_cast<const BYTE*>(GlobalLock(data));
  std::vector<BYTE> copy(bytes, bytes + GlobalSize(data));
  GlobalUnlock(data);
  return copy;
}

ClipboardHolder::ClipboardHolder(std::chrono::milliseconds hold)
    : release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      opened_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  thread_ = std::thread([this, hold] {
    if (PumpUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5s)) {
      SetEvent(opened_);
      WaitForSingleObject(release_, static_cast<DWORD>(hold.count()));
      CloseClipboard();
    }
  });
  WaitForSingleObject(opened_, 10000);
}

ClipboardHolder::~ClipboardHolder() {
  Release();
  thread_.join();
  CloseHandle(release_);
  CloseHandle(opened_);
}
