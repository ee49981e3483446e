// Reading aloud as a person does it: text selected in another program, the
// reading hot key pressed, and what reaches the stand-in speech runtimes.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/support/hotkey_probe_client.h"
#include "tests/support/test_clipboard.h"
#include "tests/support/window_class.h"

namespace {

constexpr wchar_t kPrivateFormatName[] = L"Tolvane Test Private Format";
const std::vector<BYTE> kPrivateBytes{0x00, 0x01, 0xFE, 0xFF, 0x42};
constexpr wchar_t kEarlierClipboardText[] = L"What the clipboard held before";

enum class Copied { WithPrivateData, AsAPassword };

// The clipboard as the user left it: a text and data of a private format, or
// a password copied from a password manager, with the marks that keep it out
// of clipboard monitors and the clipboard history.
void FillClipboard(const std::wstring& text, Copied copied = Copied::WithPrivateData) {
  OpenedClipboard clipboard;
  ASSERT_TRUE(clipboard.Opened());
  EmptyClipboard();
  PutClipboardText(text);
  if (copied == Copied::WithPrivateData) {
    PutClipboardBytes(RegisterClipboardFormatW(kPrivateFormatName), kPrivateBytes.data(),
                      kPrivateBytes.size());
    return;
  }
  for (const wchar_t* mark : {L"ExcludeClipboardContentFromMonitorProcessing",
                              L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
    PutClipboardDword(mark, 0);
  }
}

class Reading : public TolvaneTest {
 protected:
  void SetUp() override { Start(); }

  // Presses the reading hot key and answers the call that handed the reading
  // over to the voice, printing how long the way from the key to it took.
  LogEntry Read(double& pressed, const char* what = "") {
    pressed = LogClockMilliseconds();
    LogEntry speak;
    EXPECT_TRUE(PressTheReadingKey(folder_, speak));
    std::printf("[   TIME   ] %shot key to %s: %.0f ms\n", what, speak.method.c_str(),
                speak.milliseconds - pressed);
    return speak;
  }

  using TolvaneTest::TolvaneTest;
};

// A test program's password field holding a password, in the foreground with
// the password selected, on a thread of its own with its own message loop.
class PasswordWindow {
 public:
  explicit PasswordWindow(const std::wstring& password) : thread_([=, this] { Run(password); }) {}
  ~PasswordWindow() {
    WaitUntil([this] { return threadId_ != 0; });
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }

  // Whether it came up in the foreground with the field focused.
  bool Ready() const {
    return WaitUntil([this] { return field_ != nullptr && HoldsKeyboardFocus(field_); });
  }

 private:
  void Run(const std::wstring& password) {
    const ATOM windowClass = RegisterWindowClass(L"TolvaneTestLogin", DefWindowProcW);
    HWND window =
        CreateWindowExW(0, MAKEINTATOM(windowClass), L"Log in", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                        0, 300, 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND field = CreateWindowExW(0, L"EDIT", password.c_str(),
                                 WS_CHILD | WS_VISIBLE | ES_PASSWORD | ES_AUTOHSCROLL, 10, 10, 200,
                                 20, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    field_ = field;
    threadId_ = GetCurrentThreadId();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    DestroyWindow(window);
  }

  std::atomic<DWORD> threadId_{0};
  std::atomic<HWND> field_{nullptr};
  std::thread thread_;
};

class ReadingWithSapi4 : public Reading {
 protected:
  ReadingWithSapi4()
      : Reading(kReadingVoices,
                std::string(kLaterStart) + "[Speech]\r\nSAPIVersion=4\r\nVoice=Rita\r\n") {}
};

// The voice refuses to speak. The warning sound it causes cannot be heard
// from here; the Windows tests count it.
class ReadingWithAFailingVoice : public Reading {
 protected:
  ReadingWithAFailingVoice() : Reading(std::string(kReadingVoices) + "sapi5.fail = Speak\n") {}
};

}  // namespace

// Notepad's edit control and WordPad's rich edit control tell their selection
// in any script, and that nothing is selected (the earlier clipboard text is
// read), so the clipboard, private data and all, stays untouched; WordPad
// cannot be sure of a selection across a paragraph end and copies it. Each
// way's time is printed (make bench shows them).
TEST_F(Reading, TheEditorsSelectionIsSpokenWithTheDefaultVoiceAndThePasswordNever) {
  const NotepadProcess notepad(folder_.Path(),
                               L"Hello from the editor. Привет, мир! Καλημέρα κόσμε.");
  const WordPadProcess wordpad(folder_.Path(), L"First paragraph.\r\nSecond paragraph.");
  FillClipboard(kEarlierClipboardText);
  const std::map<UINT, std::vector<BYTE>> before = ReadClipboard();
  const std::wstring earlier = kEarlierClipboardText;
  struct Step {
    const char* what;
    std::function<bool()> select;
    std::wstring spoken;
    bool clipboardUntouched;
  };
  const Step steps[] = {
      {"Notepad, a selection: ", [&] { return notepad.Select(6, 10); }, L"from", true},
      {"Notepad, nothing selected: ", [&] { return notepad.Select(3, 3); }, earlier, true},
      {"Notepad, another script: ", [&] { return notepad.Select(23, 51); },
       L"Привет, мир! Καλημέρα κόσμε.", true},
      {"WordPad, a selection: ", [&] { return wordpad.Select(0, 5); }, L"First", true},
      {"WordPad, nothing selected: ", [&] { return wordpad.Select(3, 3); }, earlier, true},
      // A paragraph end counts as one position.
      {"WordPad, two paragraphs (copied): ", [&] { return wordpad.Select(0, 34); },
       L"First paragraph.\r\nSecond paragraph.", false},
  };
  std::vector<LogEntry> speaks;
  for (const Step& step : steps) {
    ASSERT_TRUE(step.select()) << step.what;
    const DWORD sequence = GetClipboardSequenceNumber();
    double pressed = 0;
    const LogEntry& speak = speaks.emplace_back(Read(pressed, step.what));
    EXPECT_EQ(speak.arguments, DefaultVoiceSpeak(step.spoken)) << step.what;
    if (step.clipboardUntouched) {
      EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << step.what;
    }
    EXPECT_TRUE(WaitUntil([&] { return ReadClipboard() == before; })) << step.what;
  }

  // A fresh voice object for each reading (a later one may take the same
  // address): voice, rate, volume, a purge, then the text with the pitch prefix.
  std::vector<std::string> calls;
  for (const LogEntry& entry : folder_.StandinLog()) {
    const bool followed = entry.method == "Create" || entry.method == "put_Voice" ||
                          entry.method == "put_Rate" || entry.method == "put_Volume" ||
                          entry.method == "Speak";
    const bool first = entry.milliseconds <= speaks[0].milliseconds;
    if (entry.api == "sapi5" && entry.objectId == speaks[0].objectId && first && followed) {
      calls.push_back(entry.method + " " + entry.arguments);
    }
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"Create ", "put_Voice \"Reading Voice\"", "put_Rate 0",
                                             "put_Volume 100", "Speak \"\" 2",
                                             "Speak " + speaks[0].arguments}));

  double pressed = 0;
  {
    const PasswordWindow login(L"correct horse battery staple");
    ASSERT_TRUE(login.Ready());
    const LogEntry speak = Read(pressed, "a password field: ");
    EXPECT_EQ(speak.arguments, DefaultVoiceSpeak(earlier));
  }

  // A password on the clipboard is not read when nothing is selected.
  NotepadProcess empty(folder_.Path(), L"");
  FillClipboard(L"correct horse battery staple", Copied::AsAPassword);
  const std::map<UINT, std::vector<BYTE>> password = ReadClipboard();
  ASSERT_TRUE(empty.SelectAll());
  pressed = LogClockMilliseconds();
  ASSERT_TRUE(PressKey(VK_BACK, {VK_CONTROL}));
  // The reading chooses its voice, then asks Notepad, which tells at once
  // that nothing is selected; the program then waits for input again.
  LogEntry volume;
  ASSERT_TRUE(folder_.WaitForCall("sapi5", "put_Volume", pressed, volume));
  ASSERT_TRUE(tolvane_->WaitForIdle());
  EXPECT_EQ(ReadClipboard(), password);

  // The program handles one hot key after the other: a reading of ordinary
  // clipboard text comes after anything the first one would have spoken.
  FillClipboard(kEarlierClipboardText);
  double second = 0;
  const LogEntry clipboard = Read(second, "the clipboard after a password: ");
  EXPECT_EQ(clipboard.arguments, DefaultVoiceSpeak(kEarlierClipboardText));
  for (const LogEntry& entry : folder_.StandinLog()) {
    const bool first = entry.milliseconds >= pressed && entry.milliseconds < second;
    EXPECT_FALSE(first && entry.method == "Speak") << entry.arguments;
  }
}

TEST_F(ReadingWithSapi4, ASapi4DefaultVoiceSpeaksThroughTextData) {
  NotepadProcess notepad(folder_.Path(), L"Read by the engine.");
  ASSERT_TRUE(notepad.SelectAll());
  double pressed = 0;
  const LogEntry textData = Read(pressed);
  EXPECT_EQ(textData.method, "TextData");
  EXPECT_NE(textData.arguments.find("Read by the engine."), std::string::npos)
      << textData.arguments;
}

TEST_F(ReadingWithAFailingVoice, NothingIsSpokenAndTheProgramGoesOn) {
  NotepadProcess notepad(folder_.Path(), L"Never heard.");
  ASSERT_TRUE(notepad.SelectAll());
  // The purge before the text already fails, and the reading ends there. The
  // program handles one hot key after the other, so the purge of a second
  // reading comes after anything the first one would still have spoken.
  for (int reading = 0; reading < 2; ++reading) {
    const double pressed = LogClockMilliseconds();
    ASSERT_TRUE(PressKey(VK_BACK, {VK_CONTROL}));
    LogEntry purge;
    ASSERT_TRUE(folder_.WaitForCall("sapi5", "Speak", pressed, purge)) << reading;
    EXPECT_EQ(purge.arguments, "\"\" 2");
  }
  for (const LogEntry& entry : folder_.StandinLog()) {
    EXPECT_FALSE(IsSapi5Reading(entry)) << entry.arguments;
  }
  EXPECT_TRUE(tolvane_->Running());
  EXPECT_EQ(ProbeHotKey(kReadingHotKey), HotKeyState::Taken);
}
