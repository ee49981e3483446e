#pragma once
// The tests' own way into the clipboard, independent of the code under test.

#include <windows.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

// Opens the clipboard for as long as it lives. Wine's clipboard bridge to X
// may hold the clipboard for a moment after each change, so opening is
// retried for a few seconds, letting messages run.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner = nullptr);
  ~OpenedClipboard();
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool Opened() const { return opened_; }

 private:
  bool opened_ = false;
};

// A movable global memory block holding a copy of the bytes.
HGLOBAL GlobalCopy(const void* data, size_t size);
// With the clipboard open: data of a format put on it, and read back (empty
// when the format is not there; global blocks may be longer than what was put).
void PutClipboardBytes(UINT format, const void* data, size_t size);
void PutClipboardText(const std::wstring& text);
// A registered format holding a DWORD, as the marks with which a password
// manager keeps a copied password out of the clipboard history.
void PutClipboardDword(const wchar_t* formatName, DWORD value);
std::vector<BYTE> ClipboardBytes(UINT format);
// With the clipboard open: the formats it lists, in its order, and each of
// them with its bytes where they are plain global memory (other formats, such
// as bitmaps and metafiles, only by their presence).
std::vector<UINT> ListedClipboardFormats();
std::map<UINT, std::vector<BYTE>> ClipboardFormatsAndBytes();
// The same, opening the clipboard for it; a clipboard that cannot be opened
// reads as a format 0, which no real clipboard lists.
std::map<UINT, std::vector<BYTE>> ReadClipboard(HWND owner = nullptr);

// A 2x2 picture as CF_DIB holds it: bottom-up, 32 bits a pixel.
std::vector<BYTE> SmallDib();

// Another program keeping the clipboard open: a thread of this one opens it
// and keeps it until the time is up or the holder goes.
inline constexpr std::chrono::milliseconds kUntilReleased{INFINITE};

class ClipboardHolder {
 public:
  explicit ClipboardHolder(std::chrono::milliseconds hold);
  ~ClipboardHolder();
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;

  bool Holds() const { return WaitForSingleObject(opened_, 0) == WAIT_OBJECT_0; }

 private:
  HANDLE release_;
  HANDLE opened_;
  std::thread thread_;
};
