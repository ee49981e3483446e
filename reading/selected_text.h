#pragma once
// Taking the text the user selected in whatever program they work in, with no
// help from that program: where the focused control can tell its selection,
// it is asked; otherwise it is made to copy its selection, the copy is read
// from the clipboard, and the user's clipboard is put back as it was.

#include <windows.h>

#include <functional>
#include <string>

#include "reading/clipboard_snapshot.h"

// The failure of a capture that declined the user's private clipboard content.
inline constexpr char kPrivateClipboardContent[] = "The clipboard holds private content";

// Answers the selected text in UTF-16. The foreground program's focused
// control is asked first (selected_text_control.h); when it cannot tell, the
// focused window is made to copy its selection. With nothing selected, or
// nothing copied within about a second, the answer is the text the clipboard
// held before. The clipboard afterwards holds every format it held before
// (see clipboard_snapshot.cpp for the few that cannot be copied), and nothing
// when it held nothing; when the control answered, it was never changed.
//
// The clipboard is opened for the pending restore's owner, which owns it
// while its contents are put back: the application window. processMessages
// handles the program's waiting messages; it runs while the capture waits for
// modifier keys, for the copy and for a busy clipboard, so other handlers,
// even another capture, may run in between.
//
// Content its owner marked private (a password manager's password) is never
// taken, whether the clipboard still held the user's or the copy brought it:
// the clipboard is put back all the same and std::runtime_error(
// kPrivateClipboardContent) is thrown.
//
// Throws std::runtime_error(kCannotOpenClipboard) when another program keeps
// the clipboard open: before the keystroke, with nothing sent; or past the
// copy's deadline, two seconds after it. Then the user's clipboard waits in
// pendingRestore and goes back once the clipboard is free, tried from this
// thread's message loop, or by the next capture, which saves that and not the
// copy.
std::wstring CaptureSelectedText(PendingClipboardRestore& pendingRestore,
                                 const std::function<void()>& processMessages);
