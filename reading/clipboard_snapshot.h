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

// Long enough for another program to finish its own copy or for a clipboard
// manager to read the news; short enough that a hot key never feels stuck.
inline constexpr std::chrono::milliseconds kClipboardPatience{250};

// The clipboard, open for the lifetime of the object.
class ScopedClipboard {
 public:
  // Opens the clipboard for the owner window. Another program may hold it for
  // a moment (its own copy, a clipboard manager reading the news), so the open
  // is retried until patience runs out, letting the program's messages run;
  // no patience means a single try. Throws
  // std::runtime_error(kCannotOpenClipboard) when it stays taken.
  ScopedClipboard(HWND owner, const std::function<void()>& processMessages,
                  std::chrono::milliseconds patience = kClipboardPatience);
  ~ScopedClipboard();
  ScopedClipboard(const ScopedClipboard&) = delete;
  ScopedClipboard& operator=(const ScopedClipboard&) = delete;

  // The clipboard's text in UTF-16 up to its first NUL; empty when it holds
  // no text. The system supplies CF_UNICODETEXT for CF_TEXT and CF_OEMTEXT.
  std::wstring UnicodeText() const;

  // Whether the program that put the content there asked clipboard monitors,
  // the clipboard history and the cloud clipboard to keep off it, as password
  // managers do with a password.
  bool HoldsPrivateContent() const;
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

// The user's clipboard that a capture could not put back because another
// program kept the clipboard open. It is never dropped while the object
// lives: it waits here, at most one, until the clipboard opens, tried again
// and again from the message loop of the owner window's thread, or put back by
// the next capture before that saves the clipboard.
class PendingClipboardRestore {
 public:
  // owner owns the clipboard while a snapshot goes back, and carries the
  // timer that retries it.
  explicit PendingClipboardRestore(HWND owner);
  ~PendingClipboardRestore();
  PendingClipboardRestore(const PendingClipboardRestore&) = delete;
  PendingClipboardRestore& operator=(const PendingClipboardRestore&) = delete;

  HWND Owner() const { return owner_; }

  // Leaves the snapshot to go back as soon as the owner can open the
  // clipboard, in place of one already waiting.
  void RestoreWhenFree(ClipboardSnapshot snapshot);

  // With the clipboard open: puts a waiting snapshot back now, if there is one.
  void RestoreWaitingSnapshot(const ScopedClipboard& clipboard);

 private:
  static void CALLBACK OnRetryTimer(HWND, UINT, UINT_PTR timer, DWORD);
  void TryRestore();
  UINT_PTR TimerId() const { return reinterpret_cast<UINT_PTR>(this); }

  HWND owner_;
  std::optional<ClipboardSnapshot> waiting_;
};
