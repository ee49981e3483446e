#include "tests/support/test_clipboard.h"

#include <algorithm>
#include <cstring>
#include <iterator>

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

void PutClipboardDword(const wchar_t* formatName, DWORD value) {
  PutClipboardBytes(RegisterClipboardFormatW(formatName), &value, sizeof value);
}

std::vector<BYTE> ClipboardBytes(UINT format) {
  HANDLE data = GetClipboardData(format);
  if (data == nullptr) return {};
  const auto* bytes = static_cast<const BYTE*>(GlobalLock(data));
  std::vector<BYTE> copy(bytes, bytes + GlobalSize(data));
  GlobalUnlock(data);
  return copy;
}

std::vector<UINT> ListedClipboardFormats() {
  std::vector<UINT> formats;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    formats.push_back(format);
  }
  return formats;
}

namespace {

bool IsGlobalMemoryFormat(UINT format) {
  static const UINT kGlobal[] = {CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT, CF_LOCALE, CF_DIB, CF_DIBV5};
  return format >= 0xC000 ||
         std::find(std::begin(kGlobal), std::end(kGlobal), format) != std::end(kGlobal);
}

}  // namespace

std::map<UINT, std::vector<BYTE>> ClipboardFormatsAndBytes() {
  std::map<UINT, std::vector<BYTE>> contents;
  for (UINT format : ListedClipboardFormats()) {
    contents[format] = IsGlobalMemoryFormat(format) ? ClipboardBytes(format) : std::vector<BYTE>{};
  }
  return contents;
}

std::map<UINT, std::vector<BYTE>> ReadClipboard(HWND owner) {
  OpenedClipboard clipboard(owner);
  if (!clipboard.Opened()) return {{0, {}}};
  return ClipboardFormatsAndBytes();
}

std::vector<BYTE> SmallDib() {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = 2;
  header.biHeight = 2;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  header.biSizeImage = 16;
  const DWORD pixels[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00123456};
  std::vector<BYTE> dib(sizeof header + sizeof pixels);
  std::memcpy(dib.data(), &header, sizeof header);
  std::memcpy(dib.data() + sizeof header, pixels, sizeof pixels);
  return dib;
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
  SetEvent(release_);
  thread_.join();
  CloseHandle(release_);
  CloseHandle(opened_);
}
