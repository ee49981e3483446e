#pragma once
// The end-to-end driver: runs the real Tolvane.exe from a fresh program folder
// and watches it as a user would, through its windows, its files, the keys it
// holds and the stand-in speech runtimes' configuration.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/html_help_viewer.h"
#include "tests/support/keyboard.h"
#include "tests/support/message_pump.h"
#include "tests/support/speech_test_support.h"
#include "tests/support/temp_folder.h"

using speech_test::LogEntry;
using speech_test::StandinFiles;

constexpr wchar_t kOptionsTitle[] = L"Tolvane! Options";
constexpr wchar_t kWelcomeTitle[] = L"Welcome to Tolvane!";
constexpr wchar_t kVoicesTitle[] = L"Additional voices...";

// A SAPI 5 default voice with a SAPI 4 engine beside it, paced so that a
// reading of a few hundred words is still under way when a test acts on it.
inline constexpr char kReadingVoices[] =
    "sapi5.voice = Reading Voice\n"
    "sapi4.engine = Reading Engine Mode | Rita | 60..260 | 50..150\n"
    "pace.ms_per_word = 40\n";
// A later start: straight into the tray, so the program read from keeps the
// focus.
inline constexpr char kLaterStart[] = "[General]\r\nFirstRun=0\r\nWelcomeDlg=1\r\n";
// A first start by someone who has seen the welcome already, so that no
// welcome window holds up the start.
inline constexpr char kWelcomedFirstStart[] = "[General]\r\nWelcomeDlg=1\r\n";
// The modifier bits of a hot key's shortcut word; its low byte is the key.
inline constexpr unsigned kShift = 0x2000;
inline constexpr unsigned kCtrl = 0x4000;
inline constexpr unsigned kAlt = 0x8000;
inline constexpr unsigned kReadingHotKey = kCtrl | VK_BACK;
inline constexpr unsigned kCtrlShiftF6 = kCtrl | kShift | VK_F6;

// Waits until `find` finds a window; nullptr when it did not in time.
template <typename Find>
HWND WaitForFound(Find find, std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = find()) != nullptr; }, timeout);
  return found;
}

// A program folder: a fresh copy of Tolvane.exe beside the stand-ins'
// configuration.
class ProgramFolder : public StandinFiles {
 public:
  // With `mainSettings` as its cfg.ini, unless that is empty.
  explicit ProgramFolder(const std::string& standinConfig, const std::string& mainSettings = "");
};

// One start of Tolvane.exe from a program folder; the process is ended with
// the object if it still runs, and with the test program in any case.
class TolvaneProcess : public ChildProcess {
 public:
  explicit TolvaneProcess(const ProgramFolder& folder, const std::wstring& arguments = L"");
  // The Tolvane.exe at `program`, with the stand-ins of `standins`.
  TolvaneProcess(const std::wstring& program, const StandinFiles& standins,
                 const std::wstring& arguments = L"");

  // The first top-level window of this process with the given title, if any.
  HWND FindWindowTitled(const std::wstring& title, bool visibleOnly) const;
  HWND WaitForWindow(const std::wstring& title,
                     std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;
  bool AnyWindowVisible() const;
  // The visible popup menu window of this process, if one is open.
  HWND OpenMenuWindow() const;
};

// One of Wine's editors with a text file open, in the foreground: the
// program whose selection a reading takes.
class EditorProcess : public ChildProcess {
 public:
  // The text is saved as UTF-16 with its byte order mark, so any script
  // survives; the program's path may hold environment variables, and its
  // main window has the class given. Unless it
  // outlives the test, it is closed with the object.
  EditorProcess(const wchar_t* program, const wchar_t* windowClass, const std::wstring& folder,
                const std::wstring& text, ChildLifetime lifetime = ChildLifetime::EndsWithTest);
  ~EditorProcess();

  HWND Window() const { return window_; }
  // Brings it to the front and selects the whole text with Ctrl+A.
  bool SelectAll() const;
  bool BringToFront() const;
  // Brings it to the front and selects from start to end in its text
  // control (EM_SETSEL: -1 as the end selects everything).
  bool Select(int start, int end) const;

 private:
  // Brought to the front, its control with the focus; nullptr when neither came.
  HWND FocusedText() const;

  HWND window_ = nullptr;
};

class NotepadProcess : public EditorProcess {
 public:
  NotepadProcess(const std::wstring& folder, const std::wstring& text,
                 ChildLifetime lifetime = ChildLifetime::EndsWithTest)
      : EditorProcess(L"notepad.exe", L"Notepad", folder, text, lifetime) {}
};

// Its text control is a rich edit control.
class WordPadProcess : public EditorProcess {
 public:
  WordPadProcess(const std::wstring& folder, const std::wstring& text)
      : EditorProcess(L"%ProgramFiles%\\Windows NT\\Accessories\\wordpad.exe", L"WORDPADTOP",
                      folder, text) {}
};

// A Speak with flags 1 (asynchronous) hands a text to the voice; the purge
// before a reading is a Speak of nothing with flags 2.
bool IsSapi5Reading(const LogEntry& entry);
// That, or the TextData that hands a reading over to a SAPI 4 engine.
bool HandsTextOver(const LogEntry& entry);
// The arguments of the Speak that hands a text over to the SAPI 5 default
// voice at the pitch of a fresh cfg.ini.
std::string DefaultVoiceSpeak(const std::wstring& text);
// Presses Ctrl+BkSp and waits for the call that hands the reading over.
bool PressTheReadingKey(const StandinFiles& standins, LogEntry& speak);
// The text selected whole in a Notepad of its own and read with Ctrl+BkSp:
// the arguments of the Speak that handed it over; "<not read>" when none did.
std::string ReadFromNotepad(const StandinFiles& standins, const std::wstring& text);

// The hidden application window by which a setup finds a running copy.
inline HWND ApplicationWindow() { return FindWindowW(L"TApplication", L"Tolvane!"); }
// Ends the running copy as a setup or an uninstaller does, by closing that
// window; false when there is none.
bool CloseAsASetupDoes();

// Whether the three fixed hot keys of a first start (Ctrl+BkSp, Ctrl+F11,
// Ctrl+F12) are held by a program, as a second process finds them.
bool HoldsFixedHotKeys();
bool ReleasedFixedHotKeys();

// Milliseconds on the clock of the stand-ins' log (QueryPerformanceCounter).
double LogClockMilliseconds();

// What the thread of the window has active and focused; zeros when it has no
// input state.
GUITHREADINFO ThreadInput(HWND window);
// Whether keys typed now reach the control: its window is in front and the
// control has the focus.
bool HoldsKeyboardFocus(HWND control);

// The first top-level window that matches; nullptr when none does.
HWND FindTopLevelWindow(const std::function<bool(HWND)>& matches);
// The first window inside `window`, at any depth, that matches; nullptr when
// none does.
HWND FindChildWindow(HWND window, const std::function<bool(HWND)>& matches);
std::wstring ClassName(HWND window);
std::wstring WindowTitle(HWND window);
// The page the options window shows, counted from 0.
int OptionsPage(HWND main);

// The first control inside the window, at any depth, with this caption.
HWND FindControl(HWND window, const std::wstring& caption);
// The first control inside the window, at any depth, with this identifier.
HWND FindControlById(HWND window, int id);
// A click of the left mouse button in the middle of the control, as the mouse
// makes it; answers whether the system took the input.
bool ClickControl(HWND control);

std::wstring ControlText(HWND control);
// Types a hot key (its shortcut word) into a hot key field as a person does,
// a click into it and then the keys; answers whether the field then shows the
// given text, and if not, which window had the focus and which keys were down.
::testing::AssertionResult TypeHotKey(HWND field, unsigned hotKey, const std::wstring& shown);
// The modifier keys of a hot key's shortcut word; and the hot key pressed.
std::vector<WORD> HotKeyModifiers(unsigned hotKey);
bool PressHotKey(unsigned hotKey);

// Presses a key combination once the control holds the keyboard focus and
// no modifier is down any more; if it does not come to that, says where the
// focus is and which keys are down.
::testing::AssertionResult PressKeyIn(HWND control, WORD key,
                                      const std::vector<WORD>& modifiers = {});

// The text of the notification balloon that the notification area shows
// beside a tray icon, once one shows; empty when none came.
std::wstring WaitForNotificationBalloon(
    std::chrono::milliseconds timeout = std::chrono::seconds(30));

// Sends a command as a menu item does, and waits up to 5 s until it is handled.
bool SendCommand(HWND window, int command);

bool Exists(const std::wstring& path);
// Waits until the file holds exactly this, or is gone.
bool FileHolds(const std::wstring& path, const std::string& contents);
bool FileGone(const std::wstring& path);

// Types the text into the control once it holds the keyboard focus.
::testing::AssertionResult TypeTextIn(HWND control, const std::wstring& text);

// The text of a message box (its static text), for the window given.
std::wstring MessageBoxText(HWND messageBox);
// Presses a message box's button (IDOK, IDYES, IDNO).
void PressButton(HWND messageBox, int button);

// A test of one program folder and the starts of the program from it, and of
// the options window's table pages (voice slots, pronunciation).
class TolvaneTest : public ::testing::Test {
 protected:
  explicit TolvaneTest(const std::string& standinConfig = kReadingVoices,
                       const std::string& mainSettings = kLaterStart)
      : folder_(standinConfig, mainSettings) {}

  // Starts the program and waits until it holds its keys and waits for input.
  void Start();
  // The options window shown with its hot key (Ctrl+F11) and turned to the
  // page with that index by Ctrl+Tab; nullptr when it did not come up in front.
  HWND ShowOptionsPage(int page) const;
  // The options window on the page with that index, the table with that
  // identifier clicked, so that it holds the focus.
  void ShowTablePage(int page, int tableId);
  int Rows() const;
  // A key pressed in the table opens the editor with this title, which is
  // then waited for in front; nullptr when it did not come.
  HWND OpenEditor(WORD key, const wchar_t* title);
  // The control of the editor last opened with that identifier.
  HWND InEditor(int id) const { return FindControlById(editor_, id); }
  bool EditorCloses() const;
  // The program's message box in front ("Tolvane!"): its text, after which it
  // is answered with the button; "<no box>" when none came.
  std::wstring AnswerBox(int button) const;

  ProgramFolder folder_;
  std::unique_ptr<TolvaneProcess> tolvane_;
  HWND main_ = nullptr;
  HWND table_ = nullptr;
  HWND editor_ = nullptr;
};
