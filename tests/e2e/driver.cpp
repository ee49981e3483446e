#include "tests/e2e/driver.h"

#include "tests/support/hotkey_probe_client.h"
#include "tests/support/standin_log_quoting.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <stdexcept>

using speech_test::Utf8;

namespace {

// The hot keys of a first start: Ctrl+BkSp, Ctrl+F11, Ctrl+F12.
constexpr unsigned kFixedHotKeys[] = {kReadingHotKey, kCtrl | VK_F11, kCtrl | VK_F12};

// A window enumeration that stops at the first window that matches.
BOOL CALLBACK StopAtMatch(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<std::pair<const std::function<bool(HWND)>&, HWND>*>(parameter);
  if (!search.first(window)) return TRUE;
  search.second = window;
  return FALSE;
}

HWND FindProcessWindow(DWORD processId, const std::wstring* title, bool visibleOnly,
                       const wchar_t* className = nullptr) {
  return FindTopLevelWindow([&](HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == processId && (!visibleOnly || IsWindowVisible(window)) &&
           (className == nullptr || ClassName(window) == className) &&
           (title == nullptr || WindowTitle(window) == *title);
  });
}

// The program finds the stand-ins' folder in the environment it inherits.
std::wstring TolvaneCommandLine(const std::wstring& program, const StandinFiles& standins,
                                const std::wstring& arguments) {
  standins.Use();
  return QuotedPath(program) + (arguments.empty() ? L"" : L" " + arguments);
}

// The editor's command line, with the text saved for it.
std::wstring EditorCommandLine(const wchar_t* program, const std::wstring& folder,
                               const std::wstring& text) {
  const std::wstring file = folder + L"\\selection.txt";
  std::string bytes = "\xFF\xFE";
  bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  WriteTextFile(file, bytes);
  wchar_t path[MAX_PATH]{};
  ExpandEnvironmentStringsW(program, path, MAX_PATH);
  return QuotedPath(path) + L" " + QuotedPath(file);
}

bool FixedHotKeysAre(HotKeyState state) {
  return std::ranges::all_of(kFixedHotKeys,
                             [state](unsigned hotKey) { return ProbeHotKey(hotKey) == state; });
}

std::string Describe(HWND window) {
  if (window == nullptr) return "none";
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  std::ostringstream text;
  text << "\"" << Utf8(WindowTitle(window)) << "\" (" << Utf8(ClassName(window)) << " " << window
       << ", process " << processId << ")";
  return text.str();
}

bool AnyModifierDown() {
  for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN}) {
    if (GetAsyncKeyState(key) & 0x8000) return true;
  }
  return false;
}

std::string KeysDown() {
  std::ostringstream keys;
  for (int key = 1; key < 256; ++key) {
    if (GetAsyncKeyState(key) & 0x8000) keys << " 0x" << std::hex << key;
  }
  return keys.str().empty() ? " none" : keys.str();
}

// What a key press typed now would meet, for a failure to show.
std::string InputSituation(HWND field) {
  const GUITHREADINFO thread = ThreadInput(field);
  POINT cursor{};
  GetCursorPos(&cursor);
  std::ostringstream text;
  text << "foreground " << Describe(GetForegroundWindow()) << "; the field's thread: active "
       << Describe(thread.hwndActive) << ", focus " << Describe(thread.hwndFocus)
       << (thread.hwndFocus == field ? " (the field)" : "") << "; under the mouse at " << cursor.x
       << "," << cursor.y << ": " << Describe(WindowFromPoint(cursor))
       << "; keys down:" << KeysDown() << "; the field shows \"" << Utf8(ControlText(field))
       << "\"";
  return text.str();
}

// Sends keys once the control holds the keyboard focus and no modifier is down.
::testing::AssertionResult SendKeysTo(HWND control, const std::function<bool()>& send) {
  if (!WaitUntil([&] { return HoldsKeyboardFocus(control) && !AnyModifierDown(); }, 5s)) {
    return ::testing::AssertionFailure()
           << "the keys would miss the control: " << InputSituation(control);
  }
  if (!send()) return ::testing::AssertionFailure() << "the keys were refused";
  return ::testing::AssertionSuccess();
}

}  // namespace

HWND FindTopLevelWindow(const std::function<bool(HWND)>& matches) {
  std::pair<const std::function<bool(HWND)>&, HWND> search{matches, nullptr};
  EnumWindows(StopAtMatch, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// Each child comes before the windows inside it. Without a window, the
// enumeration would go through the top-level windows instead.
HWND FindChildWindow(HWND window, const std::function<bool(HWND)>& matches) {
  std::pair<const std::function<bool(HWND)>&, HWND> search{matches, nullptr};
  if (window != nullptr) EnumChildWindows(window, StopAtMatch, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

std::wstring ClassName(HWND window) {
  wchar_t name[64]{};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

std::wstring WindowTitle(HWND window) {
  wchar_t title[256]{};
  GetWindowTextW(window, title, static_cast<int>(std::size(title)));
  return title;
}

int OptionsPage(HWND main) {
  return static_cast<int>(
      SendMessageW(FindWindowExW(main, nullptr, WC_TABCONTROLW, nullptr), TCM_GETCURSEL, 0, 0));
}

ProgramFolder::ProgramFolder(const std::string& standinConfig, const std::string& mainSettings)
    : StandinFiles(standinConfig) {
  CopyFileW((TestProgramFolder() + L"\\Tolvane.exe").c_str(), File(L"Tolvane.exe").c_str(), FALSE);
  if (!mainSettings.empty()) WriteTextFile(File(L"cfg.ini"), mainSettings);
}

bool IsSapi5Reading(const LogEntry& entry) {
  return entry.api == "sapi5" && entry.method == "Speak" && entry.arguments.ends_with(" 1");
}

bool HandsTextOver(const LogEntry& entry) {
  return IsSapi5Reading(entry) || (entry.api == "sapi4" && entry.method == "TextData");
}

std::string DefaultVoiceSpeak(const std::wstring& text) {
  return Quoted("<pitch middle=\"-2\">" + Utf8(text)) + " 1";
}

bool PressTheReadingKey(const StandinFiles& standins, LogEntry& speak) {
  const double pressed = LogClockMilliseconds();
  return PressHotKey(kReadingHotKey) && standins.WaitForLogged(HandsTextOver, pressed, speak);
}

std::string ReadFromNotepad(const StandinFiles& standins, const std::wstring& text) {
  const NotepadProcess notepad(standins.Path(), text);
  LogEntry speak;
  if (!notepad.SelectAll() || !PressTheReadingKey(standins, speak)) return "<not read>";
  return speak.arguments;
}

bool CloseAsASetupDoes() {
  HWND application = ApplicationWindow();
  if (application != nullptr) SendMessageW(application, WM_CLOSE, 0, 0);
  return application != nullptr;
}

// The working directory is elsewhere on purpose: the program must find its
// files beside itself.
TolvaneProcess::TolvaneProcess(const std::wstring& program, const StandinFiles& standins,
                               const std::wstring& arguments)
    : ChildProcess(TolvaneCommandLine(program, standins, arguments), TestProgramFolder()) {
  if (!Started()) throw std::runtime_error("cannot start Tolvane.exe");
}

TolvaneProcess::TolvaneProcess(const ProgramFolder& folder, const std::wstring& arguments)
    : TolvaneProcess(folder.File(L"Tolvane.exe"), folder, arguments) {}

HWND TolvaneProcess::FindWindowTitled(const std::wstring& title, bool visibleOnly) const {
  return FindProcessWindow(ProcessId(), &title, visibleOnly);
}

HWND TolvaneProcess::WaitForWindow(const std::wstring& title,
                                   std::chrono::milliseconds timeout) const {
  return WaitForFound([&] { return FindWindowTitled(title, true); }, timeout);
}

bool TolvaneProcess::AnyWindowVisible() const {
  return FindProcessWindow(ProcessId(), nullptr, true) != nullptr;
}

HWND TolvaneProcess::OpenMenuWindow() const {
  // "#32768" is the system's class of popup menu windows.
  return FindProcessWindow(ProcessId(), nullptr, true, L"#32768");
}

EditorProcess::EditorProcess(const wchar_t* program, const wchar_t* windowClass,
                             const std::wstring& folder, const std::wstring& text,
                             ChildLifetime lifetime)
    : ChildProcess(EditorCommandLine(program, folder, text), L"", lifetime) {
  if (!Started()) throw std::runtime_error("cannot start the editor");
  WaitForIdle(std::chrono::seconds(30));
  window_ =
      WaitForFound([&] { return FindProcessWindow(ProcessId(), nullptr, true, windowClass); });
}

// Closed as a person closes it, so that Windows hands the activation on to
// the window below. A killed editor took the foreground with it, and now and
// then the program's next window then stayed behind nothing. A text that was
// changed asks whether to save it: such an editor is ended after a while.
EditorProcess::~EditorProcess() {
  if (Lifetime() == ChildLifetime::EndsWithTest) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    WaitForExit(3s);
  }
}

bool EditorProcess::BringToFront() const {
  SetForegroundWindow(window_);
  return WaitUntil([&] { return GetForegroundWindow() == window_; }, std::chrono::seconds(10));
}

HWND EditorProcess::FocusedText() const {
  return BringToFront() ? WaitForFound([&] { return ThreadInput(window_).hwndFocus; }) : nullptr;
}

// Ctrl+A waits until the text holds the keyboard focus: pressed while the
// focus was still on its way, it went to the window in front before. The
// keys then go through the system's input queue, and the editor may take a
// while to handle them, idle or not: done, its whole text is selected.
bool EditorProcess::SelectAll() const {
  HWND text = FocusedText();
  if (text == nullptr || !PressKeyIn(text, 'A', {VK_CONTROL})) return false;
  return WaitUntil([text] {
    const auto selection = static_cast<DWORD>(SendMessageW(text, EM_GETSEL, 0, 0));
    return LOWORD(selection) == 0 &&
           HIWORD(selection) == SendMessageW(text, WM_GETTEXTLENGTH, 0, 0);
  });
}

bool EditorProcess::Select(int start, int end) const {
  HWND text = FocusedText();
  if (text != nullptr) SendMessageW(text, EM_SETSEL, static_cast<WPARAM>(start), end);
  return text != nullptr;
}

bool HoldsFixedHotKeys() { return FixedHotKeysAre(HotKeyState::Taken); }
bool ReleasedFixedHotKeys() { return FixedHotKeysAre(HotKeyState::Free); }

double LogClockMilliseconds() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

GUITHREADINFO ThreadInput(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info;
}

HWND FindControl(HWND window, const std::wstring& caption) {
  return FindChildWindow(window, [&](HWND child) { return ControlText(child) == caption; });
}

HWND FindControlById(HWND window, int id) {
  return FindChildWindow(window, [id](HWND child) { return GetDlgCtrlID(child) == id; });
}

bool ClickControl(HWND control) {
  RECT area;
  GetWindowRect(control, &area);
  // Absolute mouse coordinates run from 0 to 65535 across the primary screen.
  const LONG x = MulDiv((area.left + area.right) / 2, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  const LONG y = MulDiv((area.top + area.bottom) / 2, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  INPUT inputs[3]{};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  }
  inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  return SendInput(3, inputs, sizeof(INPUT)) == 3;
}

std::wstring ControlText(HWND control) {
  wchar_t text[1024]{};
  SendMessageW(control, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
  return text;
}

bool HoldsKeyboardFocus(HWND control) {
  return GetForegroundWindow() == GetAncestor(control, GA_ROOT) &&
         ThreadInput(control).hwndFocus == control;
}

// Keys go to the window in the foreground at the moment they are sent, and in
// it to the control with the focus. A window just shown is visible a moment
// before it comes to the foreground, and a click moves the focus only once the
// program has handled it. Keys sent straight after the click went to whichever
// window was in front a moment before, or to none, and were lost for good; so
// they wait until the click has taken effect.
// A program holding the keys as a system-wide hot key takes the press before
// any field sees it.
::testing::AssertionResult TypeHotKey(HWND field, unsigned hotKey, const std::wstring& shown) {
  if (!ClickControl(field)) return ::testing::AssertionFailure() << "the click was refused";
  if (::testing::AssertionResult pressed =
          PressKeyIn(field, static_cast<WORD>(hotKey & 0xFF), HotKeyModifiers(hotKey));
      !pressed) {
    return pressed;
  }
  if (!WaitUntil([&] { return ControlText(field) == shown; }, 5s)) {
    return ::testing::AssertionFailure()
           << "the field does not show \"" << Utf8(shown) << "\": " << InputSituation(field)
           << "; the keys are " << (ProbeHotKey(hotKey) == HotKeyState::Taken ? "" : "not ")
           << "a hot key of a program";
  }
  return ::testing::AssertionSuccess();
}

std::vector<WORD> HotKeyModifiers(unsigned hotKey) {
  std::vector<WORD> modifiers;
  if (hotKey & kShift) modifiers.push_back(VK_SHIFT);
  if (hotKey & kCtrl) modifiers.push_back(VK_CONTROL);
  if (hotKey & kAlt) modifiers.push_back(VK_MENU);
  return modifiers;
}

bool PressHotKey(unsigned hotKey) {
  return PressKey(static_cast<WORD>(hotKey & 0xFF), HotKeyModifiers(hotKey));
}

// The message text is the box's static control with the identifier 0xFFFF.
std::wstring MessageBoxText(HWND messageBox) { return ControlText(GetDlgItem(messageBox, 0xFFFF)); }

void PressButton(HWND messageBox, int button) {
  PostMessageW(messageBox, WM_COMMAND, static_cast<WPARAM>(button), 0);
}

::testing::AssertionResult PressKeyIn(HWND control, WORD key, const std::vector<WORD>& modifiers) {
  return SendKeysTo(control, [&] { return PressKey(key, modifiers); });
}

::testing::AssertionResult TypeTextIn(HWND control, const std::wstring& text) {
  return SendKeysTo(control, [&] { return TypeText(text); });
}

HWND TolvaneTest::ShowOptionsPage(int page) const {
  const auto failed = [](const std::string& why) {
    ADD_FAILURE() << "the options window " << why;
    return HWND{nullptr};
  };
  if (!PressKey(VK_F11, {VK_CONTROL})) return nullptr;
  HWND main = tolvane_->WaitForWindow(kOptionsTitle);
  if (main == nullptr) return failed("did not come with Ctrl+F11");
  if (!WaitUntil([&] { return GetForegroundWindow() == main; })) {
    return failed("is not in front: " + InputSituation(main));
  }
  // One page a press, each waited for: a press that came while the window was
  // still taking the focus is made once more.
  const auto current = [&] { return OptionsPage(main); };
  // The window comes to the front a moment before it turns to its first page.
  if (!WaitUntil([&] { return current() == 0; }, 5s)) {
    return failed("stays on page " + std::to_string(current()) + ", not the first");
  }
  for (int shown = 0; shown < page; shown = current()) {
    bool turned = false;
    for (int press = 0; press < 2 && !turned; ++press) {
      if (!PressKey(VK_TAB, {VK_CONTROL})) return nullptr;
      turned = WaitUntil([&] { return current() != shown; }, 3s);
    }
    if (!turned) return failed("does not turn its page with Ctrl+Tab: " + InputSituation(main));
  }
  if (current() != page) {
    return failed("shows page " + std::to_string(current()) + ", not " + std::to_string(page));
  }
  return main;
}

// A balloon is a tooltip window of the notification area's process, shown
// with the balloon style; it answers WM_GETTEXT with the text it shows.
std::wstring WaitForNotificationBalloon(std::chrono::milliseconds timeout) {
  std::wstring text;
  WaitForFound(
      [&] {
        return FindTopLevelWindow([&](HWND window) {
          if (ClassName(window) != TOOLTIPS_CLASSW || !IsWindowVisible(window) ||
              (GetWindowLongW(window, GWL_STYLE) & TTS_BALLOON) == 0) {
            return false;
          }
          wchar_t shown[512] = {};
          DWORD_PTR length = 0;
          SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(shown),
                              SMTO_ABORTIFHUNG, 2000, &length);
          text = shown;
          return !text.empty();
        });
      },
      timeout);
  return text;
}

bool SendCommand(HWND window, int command) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(window, WM_COMMAND, static_cast<WPARAM>(command), 0, SMTO_NORMAL, 5000,
                             &answer) != 0;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FileHolds(const std::wstring& path, const std::string& contents) {
  return WaitUntil([&] { return ReadTextFile(path) == contents; }, 10s);
}

bool FileGone(const std::wstring& path) {
  return WaitUntil([&] { return !Exists(path); }, 10s);
}

void TolvaneTest::Start() {
  tolvane_ = std::make_unique<TolvaneProcess>(folder_);
  ASSERT_TRUE(WaitUntil(HoldsFixedHotKeys));
  ASSERT_TRUE(tolvane_->WaitForIdle());
}

void TolvaneTest::ShowTablePage(int page, int tableId) {
  main_ = ShowOptionsPage(page);
  ASSERT_NE(main_, nullptr);
  table_ = FindControlById(main_, tableId);
  ASSERT_TRUE(ClickControl(table_));
}

int TolvaneTest::Rows() const {
  return static_cast<int>(SendMessageW(table_, LVM_GETITEMCOUNT, 0, 0));
}

HWND TolvaneTest::OpenEditor(WORD key, const wchar_t* title) {
  HWND editor = PressKeyIn(table_, key) ? tolvane_->WaitForWindow(title) : nullptr;
  const bool inFront =
      editor != nullptr && WaitUntil([&] { return GetForegroundWindow() == editor; });
  EXPECT_TRUE(inFront) << Utf8(title);
  editor_ = inFront ? editor : nullptr;
  return editor_;
}

bool TolvaneTest::EditorCloses() const {
  return WaitUntil([&] { return !IsWindow(editor_); });
}

std::wstring TolvaneTest::AnswerBox(int button) const {
  HWND box = tolvane_->WaitForWindow(L"Tolvane!");
  if (box == nullptr) return L"<no box>";
  const std::wstring text = MessageBoxText(box);
  PressButton(box, button);
  WaitUntil([&] { return !IsWindow(box); });
  return text;
}
