#include "reading/clipboard_snapshot.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "base/exception_guard.h"
#include "base/wait_with_messages.h"
#include "base/win32_error.h"

namespace {

using namespace std::chrono_literals;

struct GlobalFreer {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
struct EnhancedMetafileDeleter {
  void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
struct MetafileDeleter {
  void operator()(HMETAFILE metafile) const { DeleteMetaFile(metafile); }
};
struct PaletteDeleter {
  void operator()(HPALETTE palette) const { DeleteObject(palette); }
};

// Handles we made, freed unless the clipboard took them.
using GlobalMemory = std::unique_ptr<void, GlobalFreer>;
using EnhancedMetafile =
    std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, EnhancedMetafileDeleter>;
using Metafile = std::unique_ptr<std::remove_pointer_t<HMETAFILE>, MetafileDeleter>;
using Palette = std::unique_ptr<std::remove_pointer_t<HPALETTE>, PaletteDeleter>;

// A global memory block locked for as long as the object lives.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
  ~GlobalLockGuard() {
    if (data_ != nullptr) GlobalUnlock(memory_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  std::byte* Data() const { return static_cast<std::byte*>(data_); }

 private:
  HGLOBAL memory_;
  void* data_;
};

using Bytes = std::vector<std::byte>;

// Reading what the clipboard holds. Each answers nothing when the data
// cannot be read, and the format is then left out.

std::optional<Bytes> GlobalMemoryBytes(HANDLE data) {
  const SIZE_T size = GlobalSize(data);
  // An empty block still tells the reader that the format is there.
  if (size == 0) return Bytes{};
  GlobalLockGuard lock(data);
  if (lock.Data() == nullptr) return std::nullopt;
  return Bytes(lock.Data(), lock.Data() + size);
}

std::optional<Bytes> EnhancedMetafileBytes(HANDLE data) {
  auto metafile = static_cast<HENHMETAFILE>(data);
  const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
  if (size == 0) return std::nullopt;
  Bytes bytes(size);
  if (GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(bytes.data())) != size) {
    return std::nullopt;
  }
  return bytes;
}

// The METAFILEPICT header without its handle, followed by the metafile's bits.
std::optional<Bytes> MetafilePictureBytes(HANDLE data) {
  METAFILEPICT picture{};
  {
    GlobalLockGuard lock(data);
    if (lock.Data() == nullptr || GlobalSize(data) < sizeof picture) return std::nullopt;
    std::memcpy(&picture, lock.Data(), sizeof picture);
  }
  const UINT size = GetMetaFileBitsEx(picture.hMF, 0, nullptr);
  if (size == 0) return std::nullopt;
  Bytes bytes(sizeof picture + size);
  if (GetMetaFileBitsEx(picture.hMF, size, bytes.data() + sizeof picture) != size) {
    return std::nullopt;
  }
  picture.hMF = nullptr;
  std::memcpy(bytes.data(), &picture, sizeof picture);
  return bytes;
}

std::optional<Bytes> PaletteBytes(HANDLE data) {
  auto palette = static_cast<HPALETTE>(data);
  WORD count = 0;
  if (GetObjectW(palette, sizeof count, &count) == 0 || count == 0) return std::nullopt;
  Bytes bytes(count * sizeof(PALETTEENTRY));
  if (GetPaletteEntries(palette, 0, count, reinterpret_cast<PALETTEENTRY*>(bytes.data())) !=
      count) {
    return std::nullopt;
  }
  return bytes;
}

// Putting data back. Each makes a fresh handle, which the clipboard owns once
// SetClipboardData accepts it; a refused or unmade one is freed and skipped,
// so the other formats still come back.

GlobalMemory CopyToGlobalMemory(const std::byte* data, size_t size) {
  GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size));
  if (memory == nullptr || size == 0) return memory;
  GlobalLockGuard lock(memory.get());
  if (lock.Data() == nullptr) return nullptr;
  std::memcpy(lock.Data(), data, size);
  return memory;
}

void PutGlobalMemory(UINT format, const Bytes& bytes) {
  GlobalMemory memory = CopyToGlobalMemory(bytes.data(), bytes.size());
  if (memory != nullptr && SetClipboardData(format, memory.get()) != nullptr) memory.release();
}

void PutEnhancedMetafile(UINT format, const Bytes& bytes) {
  EnhancedMetafile metafile(SetEnhMetaFileBits(static_cast<UINT>(bytes.size()),
                                               reinterpret_cast<const BYTE*>(bytes.data())));
  if (metafile != nullptr && SetClipboardData(format, metafile.get()) != nullptr) {
    metafile.release();
  }
}

void PutMetafilePicture(UINT format, const Bytes& bytes) {
  METAFILEPICT picture{};
  std::memcpy(&picture, bytes.data(), sizeof picture);
  Metafile metafile(
      SetMetaFileBitsEx(static_cast<UINT>(bytes.size() - sizeof picture),
                        reinterpret_cast<const BYTE*>(bytes.data()) + sizeof picture));
  if (metafile == nullptr) return;
  picture.hMF = metafile.get();
  GlobalMemory memory =
      CopyToGlobalMemory(reinterpret_cast<const std::byte*>(&picture), sizeof picture);
  // Emptying the clipboard frees the header and the metafile it names.
  if (memory != nullptr && SetClipboardData(format, memory.get()) != nullptr) {
    memory.release();
    metafile.release();
  }
}

void PutPalette(UINT format, const Bytes& bytes) {
  const size_t count = bytes.size() / sizeof(PALETTEENTRY);
  // LOGPALETTE declares one entry and is followed by the rest.
  std::vector<std::byte> logical(sizeof(LOGPALETTE) + (count - 1) * sizeof(PALETTEENTRY));
  auto* header = reinterpret_cast<LOGPALETTE*>(logical.data());
  header->palVersion = 0x300;
  header->palNumEntries = static_cast<WORD>(count);
  std::memcpy(header->palPalEntry, bytes.data(), bytes.size());
  Palette palette(CreatePalette(header));
  if (palette != nullptr && SetClipboardData(format, palette.get()) != nullptr) palette.release();
}

}  // namespace

ScopedClipboard::ScopedClipboard(HWND owner, const std::function<void()>& processMessages,
                                 std::chrono::milliseconds patience) {
  if (!WaitWithMessages([owner] { return OpenClipboard(owner) != FALSE; }, patience,
                        processMessages)) {
    throw std::runtime_error(kCannotOpenClipboard);
  }
}

ScopedClipboard::~ScopedClipboard() { CloseClipboard(); }

std::wstring ScopedClipboard::UnicodeText() const {
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return {};
  GlobalLockGuard lock(data);
  if (lock.Data() == nullptr) return {};
  const auto* text = reinterpret_cast<const wchar_t*>(lock.Data());
  const size_t capacity = GlobalSize(data) / sizeof(wchar_t);
  return std::wstring(text, std::find(text, text + capacity, L'\0'));
}

// The first mark counts by its presence alone, whatever its data (it may
// even have none); the other two withhold the content when they hold a DWORD
// of zero.
bool ScopedClipboard::HoldsPrivateContent() const {
  if (IsClipboardFormatAvailable(
          RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"))) {
    return true;
  }
  for (const wchar_t* permission :
       {L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
    HANDLE data = GetClipboardData(RegisterClipboardFormatW(permission));
    if (data == nullptr || GlobalSize(data) < sizeof(DWORD)) continue;
    GlobalLockGuard lock(data);
    DWORD allowed = 1;
    if (lock.Data() != nullptr) std::memcpy(&allowed, lock.Data(), sizeof allowed);
    if (allowed == 0) return true;
  }
  return false;
}

// Which formats are copied, and how. The rest are skipped:
// - CF_BITMAP: a device-dependent bitmap handle. The system offers the same
//   picture as CF_DIB and CF_DIBV5, which are copied, and makes CF_BITMAP
//   from them again once they are back.
// - CF_OWNERDISPLAY and CF_DSPBITMAP: painted or held by the program that
//   copied; once the clipboard is emptied that program no longer owns it, and
//   the display bitmap only shows that program's private data.
// - CF_PRIVATEFIRST..CF_PRIVATELAST and CF_GDIOBJFIRST..CF_GDIOBJLAST: handles
//   of a kind only the copying program knows; the private ones it frees
//   itself when the clipboard is emptied.
// - Standard format numbers with no defined meaning, for the same reason.
// - Any format whose data cannot be had: a delayed rendering that fails, or
//   data that cannot be read.
// Registered formats are global memory by the clipboard's rules.
std::optional<ClipboardSnapshot::Kind> ClipboardSnapshot::KindOf(UINT format) {
  switch (format) {
    case CF_TEXT:
    case CF_SYLK:
    case CF_DIF:
    case CF_TIFF:
    case CF_OEMTEXT:
    case CF_DIB:
    case CF_PENDATA:
    case CF_RIFF:
    case CF_WAVE:
    case CF_UNICODETEXT:
    case CF_HDROP:
    case CF_LOCALE:
    case CF_DIBV5:
    case CF_DSPTEXT:
      return Kind::GlobalMemory;
    case CF_ENHMETAFILE:
    case CF_DSPENHMETAFILE:
      return Kind::EnhancedMetafile;
    case CF_METAFILEPICT:
    case CF_DSPMETAFILEPICT:
      return Kind::MetafilePicture;
    case CF_PALETTE:
      return Kind::Palette;
    default:
      if (format >= 0xC000 && format <= 0xFFFF) return Kind::GlobalMemory;
      return std::nullopt;
  }
}

std::optional<ClipboardSnapshot::SavedFormat> ClipboardSnapshot::Save(UINT format) {
  const std::optional<Kind> kind = KindOf(format);
  if (!kind) return std::nullopt;
  // Renders a delayed format: its owner is asked for the data now.
  HANDLE data = GetClipboardData(format);
  if (data == nullptr) return std::nullopt;
  std::optional<Bytes> bytes;
  switch (*kind) {
    case Kind::GlobalMemory:
      bytes = GlobalMemoryBytes(data);
      break;
    case Kind::EnhancedMetafile:
      bytes = EnhancedMetafileBytes(data);
      break;
    case Kind::MetafilePicture:
      bytes = MetafilePictureBytes(data);
      break;
    case Kind::Palette:
      bytes = PaletteBytes(data);
      break;
  }
  if (!bytes) return std::nullopt;
  return SavedFormat{format, *kind, std::move(*bytes)};
}

void ClipboardSnapshot::Put(const SavedFormat& saved) {
  switch (saved.kind) {
    case Kind::GlobalMemory:
      PutGlobalMemory(saved.format, saved.bytes);
      break;
    case Kind::EnhancedMetafile:
      PutEnhancedMetafile(saved.format, saved.bytes);
      break;
    case Kind::MetafilePicture:
      PutMetafilePicture(saved.format, saved.bytes);
      break;
    case Kind::Palette:
      PutPalette(saved.format, saved.bytes);
      break;
  }
}

ClipboardSnapshot ClipboardSnapshot::Take(const ScopedClipboard&) {
  // The list first: rendering a delayed format may change the clipboard
  // under a running enumeration.
  std::vector<UINT> listed;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    listed.push_back(format);
  }
  ClipboardSnapshot snapshot;
  for (UINT format : listed) {
    if (std::optional<SavedFormat> saved = Save(format)) {
      snapshot.formats_.push_back(std::move(*saved));
    }
  }
  return snapshot;
}

void ClipboardSnapshot::Restore(const ScopedClipboard&) const {
  if (!EmptyClipboard()) ThrowLastError("cannot empty the clipboard");
  for (const SavedFormat& saved : formats_) Put(saved);
}

std::vector<UINT> ClipboardSnapshot::Formats() const {
  std::vector<UINT> formats;
  for (const SavedFormat& saved : formats_) formats.push_back(saved.format);
  return formats;
}

namespace {

// How often a waiting snapshot tries the clipboard again.
constexpr UINT kRestoreRetryMs = 50;

}  // namespace

PendingClipboardRestore::PendingClipboardRestore(HWND owner) : owner_(owner) {}

PendingClipboardRestore::~PendingClipboardRestore() {
  if (waiting_) KillTimer(owner_, TimerId());
}

// The timer's identifier is the object's address: the system hands it to the
// procedure, which so finds its object without a global, and two objects on
// one window never share a timer.
void CALLBACK PendingClipboardRestore::OnRetryTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  CallGuarded([timer] { reinterpret_cast<PendingClipboardRestore*>(timer)->TryRestore(); });
}

void PendingClipboardRestore::TryRestore() {
  try {
    ScopedClipboard clipboard(owner_, {}, 0ms);
    RestoreWaitingSnapshot(clipboard);
  } catch (const std::runtime_error&) {
    // Still taken, or not emptied: the next tick tries again.
  }
}

void PendingClipboardRestore::RestoreWhenFree(ClipboardSnapshot snapshot) {
  waiting_ = std::move(snapshot);
  // Without a timer the snapshot still goes back with the next capture.
  SetTimer(owner_, TimerId(), kRestoreRetryMs, OnRetryTimer);
}

void PendingClipboardRestore::RestoreWaitingSnapshot(const ScopedClipboard& clipboard) {
  if (!waiting_) return;
  waiting_->Restore(clipboard);
  waiting_.reset();
  KillTimer(owner_, TimerId());
}
