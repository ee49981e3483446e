#pragma once
// The clipboard as the text capture borrows it: opened for a moment, with a
// short wait while another program still holds it, and saved whole before the
// copy keystroke so that the user finds it afterwards exactly as it was.

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The failure the reading paths' guard turns into the warning beep.
inline constexpr char kCannotOpenClipboard[] = "Cannot open clipboard";

// Lets the program's waiting messages run until the condition holds or the
// time is up, and answers whether it held. In between the thread sleeps in
// MsgWaitForMultipleObjects, so arriving input ends a pause early. An empty
// processMessages only waits.
bool WaitWithMessages(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
                      const std::function<void()>& processMessages);

// The clipboard, open for the lifetime of the object.
class ScopedClipboard {
 public:
  // Opens the clipboard for the owner window. Another program may hold it for
  // a moment (its own copy, a clipboard manager reading the news), so the open
  // is retried for a short while, letting the program's messages run. Throws
  // std::runtime_error(kCannotOpenClipboard) when it stays taken.
  ScopedClipboard(HWND owner, const std::function<void()>& processMessages);
  ~ScopedClipboard();
  ScopedClipboard(const ScopedClipboard&) = delete;
  ScopedClipboard& operator=(const ScopedClipboard&) = delete;

  // The clipboard's text in UTF-16 up to its first NUL; empty when it holds
  // no text. The system supplies CF_UNICODETEXT for CF_TEXT and CF_OEMTEXT.
  std::wstring UnicodeText() const;
};

// A copy of every format the clipboard held, independent of the clipboard:
// no handle in it is the clipboard's, so it outlives any later change.
class ClipboardSnapshot {
 public:
  // Copies what the open clipboard holds, format by format, in its order.
  static ClipboardSnapshot Take(const ScopedClipboard& clipboard);

  // Empties the open clipboard and gives it the saved formats in their
  // original order; a snapshot of an empty clipboard leaves it empty. The
  // owner of the open clipboard becomes the clipboard's owner.
  void Restore(const ScopedClipboard& clipboard) const;

  // The saved formats, in the order the clipboard listed them.
  std::vector<UINT> Formats() const;

 private:
  enum class Kind { GlobalMemory, EnhancedMetafile, MetafilePicture, Palette };
  struct SavedFormat {
    UINT format;
    Kind kind;
    std::vector<std::byte> bytes;
  };

  static std::optional<Kind> KindOf(UINT format);
  static std::optional<SavedFormat> Save(UINT format);
  static void Put(const SavedFormat& saved);

  std::vector<SavedFormat> formats_;
};
