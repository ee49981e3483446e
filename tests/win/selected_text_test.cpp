// Capturing the selection of another program: an editor on a thread of its
// own stands in for it, with its own message loop, focus and keyboard state,
// so the copy keystroke travels the system's input path to it.
#include "reading/selected_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "reading/clipboard_snapshot.h"
#include "reading/selected_text_positions.h"
#include "tests/support/keyboard.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_clipboard.h"
#include "tests/support/window_class.h"

namespace {

using Bytes = std::vector<BYTE>;

// An edit box that is a window of its own, holding the text with a part
// selected. Hidden: enough for the focus and keyboard input, and Wine without
// a window manager is slow to destroy shown windows.
HWND CreateEdit(const std::wstring& text, int selectionStart, int selectionEnd) {
  HWND edit = CreateWindowExW(0, L"EDIT", nullptr, WS_POPUP | ES_AUTOHSCROLL, 0, 0, 280, 20,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  SetWindowTextW(edit, text.c_str());
  SendMessageW(edit, EM_SETSEL, selectionStart, selectionEnd);
  return edit;
}

// Keys going down or up through the system's input path, as the user's
// fingers on the hot key's modifiers.
bool SendKeys(const std::vector<WORD>& keys, bool up) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(KeyEvent(key, up));
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// The modifiers held now, as MOD_ flags.
int HeldModifiers() {
  const auto held = [](int virtualKey) { return GetKeyState(virtualKey) < 0; };
  return (held(VK_CONTROL) ? MOD_CONTROL : 0) | (held(VK_SHIFT) ? MOD_SHIFT : 0) |
         (held(VK_MENU) ? MOD_ALT : 0) | (held(VK_LWIN) || held(VK_RWIN) ? MOD_WIN : 0);
}

// How the editor copies: at once, as the edit box itself does, or late; and
// whether it then keeps the clipboard open, and how long. Unless it tells its
// text, it answers WM_GETTEXT with nothing, as some controls do, and only the
// copy keystroke can take its selection; it may also be busy when first
// asked.
struct CopyBehaviour {
  std::chrono::milliseconds delay{0};
  std::optional<std::chrono::milliseconds> holdAfter = std::nullopt;
  bool tellsItsText = false;
  bool busyWhenAsked = false;
};

// Another program: an edit box holding a text, in the foreground with the
// focus, on a thread of its own, until it is destroyed.
class Editor {
 public:
  Editor(const std::wstring& text, int selectionStart, int selectionEnd,
         CopyBehaviour behaviour = {})
      : selected_(text.substr(selectionStart, selectionEnd - selectionStart)),
        behaviour_(behaviour) {
    thread_ = std::thread([=, this] { Run(text, selectionStart, selectionEnd); });
    ready_ = WaitUntil([this] { return Focused(); }, 10s);
  }
  ~Editor() {
    Free();
    closing_ = true;
    thread_.join();
  }
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  // Whether it came up in the foreground with the focus.
  bool Ready() const { return ready_; }
  // The modifiers held when the letter C went down, as MOD_ flags; -1 while
  // it has not.
  int CopyKey() const { return copyKey_; }
  // How often a key asked it to activate its menu.
  int MenuActivations() const { return menuActivations_; }
  // Waits until the editor has handled every key sent before: keys arrive in
  // order, so once a tap of F24 sent now has arrived, the earlier ones have.
  bool Settle() {
    const int before = settleKeys_;
    return SendKeys({VK_F24}, false) && SendKeys({VK_F24}, true) &&
           WaitUntil([&] { return settleKeys_ > before; }, 5s);
  }
  // Asked with EM_GETLINE, which the capture never sends, so that it answers
  // whether it tells the capture its text or not.
  std::wstring Text() const {
    wchar_t text[256]{255};
    const LRESULT length = SendMessageW(edit_, EM_GETLINE, 0, reinterpret_cast<LPARAM>(text));
    return std::wstring(text, static_cast<size_t>(length));
  }
  // Ends the business of a busy editor.
  void Free() { free_ = true; }
  // Ends a hold of the clipboard that lasts until released.
  void LetGoOfClipboard() { letGo_ = true; }

 private:
  void Run(const std::wstring& text, int selectionStart, int selectionEnd) {
    HWND edit = CreateEdit(text, selectionStart, selectionEnd);
    SetWindowSubclass(edit, EditProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    SetForegroundWindow(edit);
    SetFocus(edit);
    edit_ = edit;
    PumpUntil([this] { return closing_.load(); }, kUntilReleased);
    DestroyWindow(edit);
  }

  bool Focused() const {
    if (edit_ == nullptr) return false;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(edit_, nullptr), &info) &&
           info.hwndFocus == edit_ && GetForegroundWindow() == edit_;
  }

  static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
    auto& editor = *reinterpret_cast<Editor*>(self);
    if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && wParam == 'C') {
      editor.copyKey_ = HeldModifiers();
    }
    if (message == WM_KEYUP && wParam == VK_F24) ++editor.settleKeys_;
    // Counted and stopped, so a failing case cannot hang in a menu loop.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
      ++editor.menuActivations_;
      return 0;
    }
    if (message == WM_COPY) return editor.Copy(edit);
    // The first question the capture asks finds a busy editor busy, for as
    // long as the test lets it be and at most a while. It carries no
    // pointer that a late answer would write through.
    if (message == EM_GETPASSWORDCHAR && editor.behaviour_.busyWhenAsked) {
      WaitUntil([&] { return editor.free_.load(); }, 10s);
    }
    if (message == WM_GETTEXT && !editor.behaviour_.tellsItsText) return 0;
    return DefSubclassProc(edit, message, wParam, lParam);
  }

  // A late copy keeps the editor busy first. A hold copies under an open that
  // lasts on, so nobody gets the clipboard between the copy and the hold;
  // meanwhile the editor answers messages.
  LRESULT Copy(HWND edit) {
    std::this_thread::sleep_for(behaviour_.delay);
    if (!behaviour_.holdAfter) return DefSubclassProc(edit, WM_COPY, 0, 0);
    if (!OpenClipboard(edit)) return 0;
    EmptyClipboard();
    PutClipboardText(selected_);
    PumpUntil([this] { return letGo_ || closing_; }, *behaviour_.holdAfter);
    CloseClipboard();
    return 0;
  }

  const std::wstring selected_;
  const CopyBehaviour behaviour_;
  std::thread thread_;
  std::atomic<HWND> edit_{nullptr};
  std::atomic<int> settleKeys_{0};
  std::atomic<int> copyKey_{-1};
  std::atomic<int> menuActivations_{0};
  std::atomic<bool> free_{false};
  std::atomic<bool> letGo_{false};
  std::atomic<bool> closing_{false};
  bool ready_ = false;
};

const Bytes kBinary = {0x00, 0x01, 0xFE, 0xFF, 0x00, 0x00, 0x42};

class SelectedTextTest : public ::testing::Test {
 protected:
  void TearDown() override {
    // No key may stay down for the next case, whatever this one did.
    std::vector<WORD> held = {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL,
                              VK_LMENU,  VK_RMENU,  VK_LWIN,     VK_RWIN};
    std::erase_if(held, [](WORD key) { return GetAsyncKeyState(key) >= 0; });
    SendKeys(held, true);
  }

  // The user's clipboard before a reading: text, private binary data and a
  // picture. Answers what the clipboard then lists.
  std::map<UINT, Bytes> FillClipboard(const std::wstring& text) {
    {
      OpenedClipboard clipboard(owner_.Handle());
      if (!clipboard.Opened()) return {};
      EmptyClipboard();
      PutClipboardText(text);
      PutClipboardBytes(privateFormat_, kBinary.data(), kBinary.size());
      const Bytes dib = SmallDib();
      PutClipboardBytes(CF_DIB, dib.data(), dib.size());
    }
    return ClipboardContents();
  }

  std::map<UINT, Bytes> ClipboardContents() { return ReadClipboard(owner_.Handle()); }

  std::wstring Capture() { return CaptureSelectedText(pendingRestore_, PumpMessages); }

  void ExpectCaptureFailsForTheBusyClipboard() {
    EXPECT_THAT([this] { Capture(); }, ::testing::ThrowsMessage<std::runtime_error>(
                                           ::testing::StrEq(kCannotOpenClipboard)));
  }

  // The application window.
  OwnerWindow owner_;
  // Where the user's clipboard waits when a capture cannot put it back.
  PendingClipboardRestore pendingRestore_{owner_.Handle()};
  const UINT privateFormat_ = RegisterClipboardFormatW(L"Tolvane test private bytes");
};

// The selection is read and the user's clipboard left as it was. A control
// tells its selection, or that nothing is selected, itself: no keystroke, and
// the clipboard is never opened for writing, even for one that keeps its text
// to itself. A selection deep in a huge document is not fetched across
// processes: the keystroke copies it. A program that copies late, or keeps
// the clipboard open a while after its copy (as Wine's clipboard bridge
// does), is waited for. Any script comes back unchanged. A busy or hung
// program answers no question in time; it gets the copy keystroke, which it
// handles once it is free again.
TEST_F(SelectedTextTest, ReturnsTheSelectionAndLeavesTheClipboardAsItWas) {
  const std::wstring earlier = L"Привет, мир \U0001F30D";
  const std::wstring huge = std::wstring(kMaxTextReach, L'x') + L" the end";
  const int end = static_cast<int>(huge.size());
  struct Case {
    std::wstring text;
    int start, end;
    CopyBehaviour behaviour;
    std::wstring read;
    bool copied;
  };
  const Case cases[] = {
      {L"The quick brown fox", 4, 15, {}, L"quick brown", true},
      {L"first line, second line", 12, 23, {.tellsItsText = true}, L"second line", false},
      {L"no selection here", 3, 3, {}, earlier, false},
      {huge, end - 7, end, {.tellsItsText = true}, L"the end", true},
      {L"slow to copy", 0, 4, {.delay = 300ms}, L"slow", true},
      {L"held clipboard", 0, 4, {.holdAfter = 1s}, L"held", true},
      {L"«Καλημέρα κόσμε и русский текст»", 1, 31, {}, L"Καλημέρα κόσμε и русский текст", true},
      {L"a busy editor", 2, 6, {.tellsItsText = true, .busyWhenAsked = true}, L"busy", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    const std::map<UINT, Bytes> before = FillClipboard(earlier);
    ASSERT_TRUE(before.contains(CF_UNICODETEXT) && before.contains(privateFormat_) &&
                before.contains(CF_DIB));
    Editor editor(c.text, c.start, c.end, c.behaviour);
    ASSERT_TRUE(editor.Ready());
    const DWORD sequence = GetClipboardSequenceNumber();
    // The capture lets messages run only once it has gone on to the
    // keystroke: only then is a busy editor free again.
    const std::wstring captured = CaptureSelectedText(pendingRestore_, [&] {
      editor.Free();
      PumpMessages();
    });
    EXPECT_EQ(captured, c.read);
    EXPECT_EQ(editor.CopyKey() >= 0, c.copied);
    EXPECT_EQ(GetClipboardSequenceNumber() == sequence, !c.copied);
    EXPECT_EQ(ClipboardContents(), before);
    EXPECT_EQ(editor.Text(), c.text.substr(0, 255)) << "the editor's text is left alone";
  }
}

// The hot key's modifiers are still down when the capture starts; the editor
// must see exactly Ctrl+C, and a held Alt must not leave its menu activated.
// Usually the user lets go of Alt a moment after pressing the hot key: the
// editor then sees Alt down and up with no key between, which would open its
// menu, unless the capture masked it.
TEST_F(SelectedTextTest, TheEditorSeesPlainCtrlCWhateverTheUserHolds) {
  FillClipboard(L"earlier text");
  Editor editor(L"copy me please", 0, 7);
  ASSERT_TRUE(editor.Ready());
  const std::vector<WORD> held[] = {{VK_LSHIFT},           {VK_LMENU}, {VK_RMENU},
                                    {VK_LMENU, VK_LSHIFT}, {VK_LWIN},  {VK_RSHIFT, VK_LCONTROL}};
  for (const std::vector<WORD>& keys : held) {
    SCOPED_TRACE(::testing::PrintToString(keys));
    ASSERT_TRUE(SendKeys(keys, false));
    const std::wstring captured = Capture();
    SendKeys(keys, true);
    EXPECT_EQ(captured, L"copy me");
    EXPECT_EQ(editor.CopyKey(), MOD_CONTROL);
    ASSERT_TRUE(editor.Settle());
    EXPECT_EQ(editor.MenuActivations(), 0);
  }

  // The count itself works: a lone Alt does open the menu.
  ASSERT_TRUE(SendKeys({VK_LMENU}, false));
  ASSERT_TRUE(SendKeys({VK_LMENU}, true));
  ASSERT_TRUE(editor.Settle());
  ASSERT_EQ(editor.MenuActivations(), 1);

  ASSERT_TRUE(SendKeys({VK_LMENU}, false));
  // The user lets go once the capture waits, letting messages run.
  std::atomic<bool> waiting{false};
  bool letGo = false;
  std::thread user(
      [&] { letGo = WaitUntil([&] { return waiting.load(); }, 5s) && SendKeys({VK_LMENU}, true); });
  const std::wstring captured = CaptureSelectedText(pendingRestore_, [&] {
    waiting = true;
    PumpMessages();
  });
  user.join();

  EXPECT_TRUE(letGo);
  EXPECT_EQ(captured, L"copy me");
  EXPECT_EQ(editor.CopyKey(), MOD_CONTROL);
  ASSERT_TRUE(editor.Settle());
  EXPECT_EQ(editor.MenuActivations(), 1);
}

// Nothing is sent to the program when the clipboard cannot be saved first; a
// clipboard busy for a moment is waited for. An empty one stays empty.
TEST_F(SelectedTextTest, AClipboardKeptBusyEndsTheCaptureBeforeTheKeystroke) {
  {
    OpenedClipboard clipboard(owner_.Handle());
    ASSERT_TRUE(clipboard.Opened());
    EmptyClipboard();
  }
  Editor editor(L"busy clipboard", 0, 4);
  ASSERT_TRUE(editor.Ready());
  {
    ClipboardHolder holder(kUntilReleased);
    ASSERT_TRUE(holder.Holds());
    ExpectCaptureFailsForTheBusyClipboard();
    ASSERT_TRUE(editor.Settle());
    EXPECT_EQ(editor.CopyKey(), -1);
  }
  ClipboardHolder holder(100ms);
  ASSERT_TRUE(holder.Holds());
  EXPECT_EQ(Capture(), L"busy");
  EXPECT_TRUE(ClipboardContents().empty());
}

// A program that keeps the clipboard past the deadline gets the user's back
// once it lets go. Until then the user's clipboard waits to go back when the
// next reading starts, with nothing selected: that reading reads and keeps
// the user's clipboard, not the copy the failed one left.
TEST_F(SelectedTextTest, AClipboardKeptPastTheDeadlineGetsTheUsersBackOnceLetGo) {
  const std::map<UINT, Bytes> before = FillClipboard(L"earlier text");
  {
    Editor editor(L"held clipboard", 0, 4, {.holdAfter = kUntilReleased});
    ASSERT_TRUE(editor.Ready());
    ExpectCaptureFailsForTheBusyClipboard();
    editor.LetGoOfClipboard();
    EXPECT_TRUE(PumpUntil([&] { return ClipboardContents() == before; }));
  }
  {
    Editor editor(L"held clipboard", 0, 4, {.holdAfter = kUntilReleased});
    ASSERT_TRUE(editor.Ready());
    ExpectCaptureFailsForTheBusyClipboard();
  }
  Editor editor(L"nothing selected", 3, 3);
  ASSERT_TRUE(editor.Ready());
  EXPECT_EQ(Capture(), L"earlier text");
  EXPECT_EQ(ClipboardContents(), before);
}

// The program's own edit box tells its selection; another of its windows,
// which may ignore Ctrl+C, is asked with WM_COPY.
TEST_F(SelectedTextTest, TheProgramsOwnFocusedWindowIsAskedWithWmCopy) {
  const std::map<UINT, Bytes> before = FillClipboard(L"earlier text");
  int copies = 0;
  OwnerWindow pane([&](UINT message, WPARAM, LPARAM) {
    if (message != WM_COPY) return false;
    ++copies;
    OpenedClipboard clipboard(pane.Handle());
    EmptyClipboard();
    PutClipboardText(L"copied on WM_COPY");
    return true;
  });
  HWND edit = CreateEdit(L"Alt+Ins and more", 0, 7);
  for (const auto& [focused, read] :
       {std::pair{pane.Handle(), L"copied on WM_COPY"}, {edit, L"Alt+Ins"}}) {
    SetForegroundWindow(focused);
    SetFocus(focused);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == focused; }));
    EXPECT_EQ(Capture(), read);
    EXPECT_EQ(ClipboardContents(), before);
  }
  EXPECT_EQ(copies, 1);
  DestroyWindow(edit);
}

}  // namespace
