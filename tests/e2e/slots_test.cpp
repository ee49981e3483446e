// Voice slots as a person sets them up: the "Voice slots" page and its keys,
// the slot editor typed into, slots.ini, and each slot's hot key reading with
// its own voice.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/support/autostart_value.h"
#include "tests/support/hotkey_probe_client.h"
#include "tests/support/standin_log_quoting.h"
#include "ui/ui_resources.h"

namespace {

// The catalogue lists the engine first: Rita, then the two SAPI 5 voices.
constexpr char kSlotVoices[] =
    "sapi4.engine = Reading Engine Mode | Rita | 60..260 | 50..150\n"
    "sapi5.voice = Reading Voice\n"
    "sapi5.voice = Second Voice\n"
    "pace.ms_per_word = 40\n";
constexpr wchar_t kAddTitle[] = L"Add voice slot";
constexpr wchar_t kEditTitle[] = L"Edit voice slot";
constexpr unsigned kCtrlAlt = kCtrl | kAlt;

std::string Section(int slot, const std::string& voice, unsigned hotKey, const std::wstring& speed,
                    const std::wstring& pitch, const std::wstring& volume, int family) {
  using speech_test::Utf8;
  return "[Slot_" + std::to_string(slot) + "]\r\nVoice=" + voice +
         "\r\nHotKey=" + std::to_string(hotKey) + "\r\nSpeed=" + Utf8(speed) +
         "\r\nPitch=" + Utf8(pitch) + "\r\nVolume=" + Utf8(volume) +
         "\r\nSAPIVersion=" + std::to_string(family) + "\r\n";
}

constexpr char kSeparator[] = "\r\r\n";

class VoiceSlots : public TolvaneTest {
 protected:
  VoiceSlots() : TolvaneTest(kSlotVoices) {}
  void SetUp() override {
    if (!slots_.empty()) WriteTextFile(SlotsPath(), slots_);
    Start();
  }
  void TearDown() override { RemoveAutostartValue(); }

  std::wstring SlotsPath() const { return folder_.File(L"slots.ini"); }
  std::string SlotsFile() const { return ReadTextFile(SlotsPath()); }
  // The options window on the "Voice slots" page, its table holding the focus.
  void ShowSlotsPage() { ShowTablePage(2, IDC_SLOTSLIST); }

  // A reading of the Notepad text with a slot's hot key: the arguments of
  // every call from the key press to the one that hands the text over, by method.
  std::map<std::string, std::vector<std::string>> ReadWithSlotKey(const NotepadProcess& notepad,
                                                                  WORD key) {
    EXPECT_TRUE(notepad.SelectAll());
    const double pressed = LogClockMilliseconds();
    EXPECT_TRUE(PressHotKey(kCtrlAlt | key));
    LogEntry spoken;
    EXPECT_TRUE(folder_.WaitForLogged(HandsTextOver, pressed, spoken)) << key;
    std::map<std::string, std::vector<std::string>> calls;
    for (const LogEntry& entry : folder_.StandinLog()) {
      if (entry.milliseconds >= pressed && entry.milliseconds <= spoken.milliseconds) {
        calls[entry.method].push_back(entry.arguments);
      }
    }
    return calls;
  }

  std::string slots_;
};

// A hot key that another program holds while it lives.
class HeldHotKey {
 public:
  explicit HeldHotKey(unsigned word)
      : held_(RegisterHotKey(nullptr, kIdentifier, MOD_CONTROL | MOD_ALT, word & 0xFF) != FALSE) {}
  ~HeldHotKey() {
    if (held_) UnregisterHotKey(nullptr, kIdentifier);
  }
  bool Held() const { return held_; }

 private:
  static constexpr int kIdentifier = 0x4242;
  bool held_;
};

// Another program holds the first slot's key, Ctrl+Alt+S, before the start.
class VoiceSlotsWithAKeyTaken : public VoiceSlots {
 protected:
  VoiceSlotsWithAKeyTaken() {
    slots_ = Section(0, "Reading Voice", kCtrlAlt | 'S', L"135", L"105", L"100", 5) +
             Section(1, "Second Voice", kCtrlAlt | 'T', L"150", L"105", L"100", 5);
  }
  HeldHotKey held_{kCtrlAlt | 'S'};
};

class VoiceSlotsWithAGap : public VoiceSlots {
 protected:
  VoiceSlotsWithAGap() {
    slots_ = Section(0, "Reading Voice", kCtrlAlt | 'S', L"140", L"105", L"0", 5) +
             "[Slot_2]\r\nVoice=Second Voice\r\nHotKey=49236\r\n";
  }
};

}  // namespace

TEST_F(VoiceSlots, SlotsAddedInTheEditorReadWithTheirVoicesAndGoByTheDeleteKey) {
  ShowSlotsPage();
  // A SAPI 5 voice, its speed one step slower, Ctrl+Alt+S.
  OpenEditor(VK_INSERT, kAddTitle);
  const auto shown = [&](int box) { return ControlText(InEditor(box)); };
  ASSERT_TRUE(PressKeyIn(InEditor(IDC_VOICESLIST), VK_DOWN));
  ASSERT_TRUE(WaitUntil([&] { return shown(IDC_SPEED_VALUE) == L"150"; }));
  EXPECT_EQ(shown(IDC_PITCH_VALUE), L"105");
  ASSERT_TRUE(TypeHotKey(InEditor(IDC_SLOT_HOTKEY), kCtrlAlt | 'S', L"Ctrl+Alt+S"));
  ASSERT_TRUE(PressKeyIn(InEditor(IDC_SLOT_HOTKEY), VK_TAB));
  ASSERT_TRUE(PressKeyIn(InEditor(IDC_SPEED_BAR), VK_LEFT));
  ASSERT_TRUE(WaitUntil([&] { return shown(IDC_SPEED_VALUE) == L"135"; }));
  // The test sounds as the slot will, its pitch tag closed behind it.
  const double tested = LogClockMilliseconds();
  ASSERT_TRUE(ClickControl(InEditor(IDC_SLOT_TEST_BUTTON)));
  LogEntry test;
  ASSERT_TRUE(folder_.WaitForLogged(IsSapi5Reading, tested, test));
  EXPECT_EQ(test.arguments,
            Quoted("<pitch middle=\"-5\">This is a test for selected voice.</pitch>") + " 1");
  LogEntry rate;
  ASSERT_TRUE(folder_.WaitForCall("sapi5", "put_Rate", tested, rate));
  EXPECT_EQ(rate.arguments, "-3");
  ASSERT_TRUE(ClickControl(InEditor(IDOK)));
  const std::string first = Section(0, "Reading Voice", kCtrlAlt | 'S', L"135", L"105", L"100", 5);
  ASSERT_TRUE(FileHolds(SlotsPath(), first)) << SlotsFile();

  // The engine at the values it has, Ctrl+Alt+R.
  OpenEditor(VK_INSERT, kAddTitle);
  ASSERT_TRUE(TypeHotKey(InEditor(IDC_SLOT_HOTKEY), kCtrlAlt | 'R', L"Ctrl+Alt+R"));
  const std::wstring engineSpeed = shown(IDC_SPEED_VALUE), enginePitch = shown(IDC_PITCH_VALUE);
  const std::string second =
      Section(1, "Rita", kCtrlAlt | 'R', engineSpeed, enginePitch, shown(IDC_VOLUME_VALUE), 4);
  // Enter would be the box's key; the button adds.
  ASSERT_TRUE(ClickControl(InEditor(IDOK)));
  ASSERT_TRUE(FileHolds(SlotsPath(), first + kSeparator + second)) << SlotsFile();

  // The second SAPI 5 voice, Ctrl+Alt+T.
  OpenEditor(VK_INSERT, kAddTitle);
  ASSERT_TRUE(PressKeyIn(InEditor(IDC_VOICESLIST), VK_END));
  ASSERT_TRUE(TypeHotKey(InEditor(IDC_SLOT_HOTKEY), kCtrlAlt | 'T', L"Ctrl+Alt+T"));
  ASSERT_TRUE(ClickControl(InEditor(IDOK)));
  const std::string third = Section(2, "Second Voice", kCtrlAlt | 'T', L"150", L"105", L"100", 5);
  ASSERT_TRUE(FileHolds(SlotsPath(), first + kSeparator + second + kSeparator + third))
      << SlotsFile();
  EXPECT_EQ(Rows(), 3);

  // Each key reads with its slot: R(135) = -3, R(105) = -5, R(150) = -2. The
  // engine's bounds are probed when it is selected; its values come last.
  {
    NotepadProcess notepad(folder_.Path(), L"Slot & text");
    auto calls = ReadWithSlotKey(notepad, 'S');
    EXPECT_EQ(calls["put_Voice"], std::vector<std::string>{"\"Reading Voice\""});
    EXPECT_EQ(calls["put_Rate"], std::vector<std::string>{"-3"});
    EXPECT_EQ(calls["put_Volume"], std::vector<std::string>{"100"});
    calls = ReadWithSlotKey(notepad, 'R');
    EXPECT_EQ(calls["SpeedSet"].back(), speech_test::Utf8(engineSpeed));
    EXPECT_EQ(calls["PitchSet"].back(), speech_test::Utf8(enginePitch));
    calls = ReadWithSlotKey(notepad, 'T');
    EXPECT_EQ(calls["put_Voice"], std::vector<std::string>{"\"Second Voice\""});
    EXPECT_EQ(calls["put_Rate"], std::vector<std::string>{"-2"});
    EXPECT_EQ(calls["Speak"].back(), Quoted("<pitch middle=\"-5\">Slot &amp; text") + " 1");
  }

  // The middle slot goes: the third takes its number and its place.
  ShowSlotsPage();
  ASSERT_TRUE(PressKeyIn(table_, VK_HOME));
  ASSERT_TRUE(PressKeyIn(table_, VK_DOWN));
  ASSERT_TRUE(PressKeyIn(table_, VK_DELETE));
  EXPECT_EQ(AnswerBox(IDYES), L"Are you sure to delete slot 2?");
  ASSERT_TRUE(FileHolds(
      SlotsPath(),
      first + kSeparator + Section(1, "Second Voice", kCtrlAlt | 'T', L"150", L"105", L"100", 5)))
      << SlotsFile();
  EXPECT_EQ(Rows(), 2);
  EXPECT_EQ(ProbeHotKey(kCtrlAlt | 'R'), HotKeyState::Free);
  {
    NotepadProcess notepad(folder_.Path(), L"Slot text");
    EXPECT_EQ(ReadWithSlotKey(notepad, 'T')["put_Voice"],
              std::vector<std::string>{"\"Second Voice\""});
  }

  // Both rows selected: one question, and with the last slot the file goes.
  ShowSlotsPage();
  ASSERT_TRUE(PressKeyIn(table_, VK_HOME));
  ASSERT_TRUE(PressKeyIn(table_, VK_END, {VK_SHIFT}));
  ASSERT_TRUE(PressKeyIn(table_, VK_DELETE));
  EXPECT_EQ(AnswerBox(IDYES), L"Are you sure to delete selected slots?");
  EXPECT_TRUE(FileGone(SlotsPath()));
  EXPECT_EQ(Rows(), 0);
  for (WORD key : {'S', 'T'}) EXPECT_EQ(ProbeHotKey(kCtrlAlt | key), HotKeyState::Free) << key;
}

TEST_F(VoiceSlotsWithAGap, TheEditorHoldsNoKeyAndChecksTheKeyAndClearAllEmptiesTheFile) {
  const std::string original = slots_;
  // Only the slot before the gap is read.
  EXPECT_EQ(ProbeHotKey(kCtrlAlt | 'S'), HotKeyState::Taken);
  EXPECT_EQ(ProbeHotKey(kCtrlAlt | 'T'), HotKeyState::Free);
  ShowSlotsPage();
  EXPECT_EQ(Rows(), 1);

  // Edit mode shows the stored numbers, R(140) = -3, and volume 0 as 100.
  ASSERT_TRUE(PressKeyIn(table_, VK_HOME));
  const double opened = LogClockMilliseconds();
  OpenEditor(VK_F2, kEditTitle);
  EXPECT_EQ(SendMessageW(InEditor(IDC_VOICESLIST), LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageW(InEditor(IDC_SPEED_BAR), TBM_GETPOS, 0, 0), -3);
  EXPECT_EQ(SendMessageW(InEditor(IDC_PITCH_BAR), TBM_GETPOS, 0, 0), -5);
  EXPECT_EQ(SendMessageW(InEditor(IDC_VOLUME_BAR), TBM_GETPOS, 0, 0), 100);
  EXPECT_EQ(ControlText(InEditor(IDC_SPEED_VALUE)), L"140");
  EXPECT_EQ(ControlText(InEditor(IDC_VOLUME_VALUE)), L"100");
  EXPECT_EQ(ControlText(InEditor(IDOK)), L"&Save changes");
  EXPECT_TRUE(ReleasedFixedHotKeys());
  EXPECT_EQ(ProbeHotKey(kCtrlAlt | 'S'), HotKeyState::Free);
  // Esc in the hot key box closes the editor too, and writes nothing.
  ASSERT_TRUE(ClickControl(InEditor(IDC_SLOT_HOTKEY)));
  ASSERT_TRUE(PressKeyIn(InEditor(IDC_SLOT_HOTKEY), VK_ESCAPE));
  ASSERT_TRUE(EditorCloses());
  EXPECT_TRUE(HoldsFixedHotKeys());
  EXPECT_EQ(ProbeHotKey(kCtrlAlt | 'S'), HotKeyState::Taken);
  EXPECT_EQ(SlotsFile(), original);
  // A reading still going keeps its speed and loudness: only the editor's
  // test sets them.
  for (const LogEntry& entry : folder_.StandinLog()) {
    if (entry.milliseconds < opened) continue;
    EXPECT_NE(entry.method, "put_Rate") << entry.arguments;
    EXPECT_NE(entry.method, "put_Volume") << entry.arguments;
  }

  // A new slot starts from the selected one's values, here on the engine
  // listed first.
  OpenEditor(VK_INSERT, kAddTitle);
  EXPECT_EQ(ControlText(InEditor(IDC_SPEED_VALUE)), L"140");
  EXPECT_EQ(ControlText(InEditor(IDC_PITCH_VALUE)), L"105");
  EXPECT_EQ(ControlText(InEditor(IDC_VOLUME_VALUE)), L"100");
  // The reading key is taken by the program; a key another program holds
  // too. Each message leaves the editor open with the key entered.
  HWND hotKey = InEditor(IDC_SLOT_HOTKEY);
  HWND add = InEditor(IDOK);
  ASSERT_TRUE(TypeHotKey(hotKey, kReadingHotKey, L"Ctrl+BkSp"));
  ASSERT_TRUE(ClickControl(add));
  EXPECT_EQ(AnswerBox(IDOK),
            L"Sorry, but this hot key is already set for other slot! Please, enter some different "
            L"one.");
  ASSERT_TRUE(TypeHotKey(hotKey, kCtrlAlt | 'H', L"Ctrl+Alt+H"));
  {
    HeldHotKey held(kCtrlAlt | 'H');
    ASSERT_TRUE(held.Held());
    ASSERT_TRUE(ClickControl(add));
    EXPECT_EQ(AnswerBox(IDOK),
              L"Sorry, but the hot key Ctrl+Alt+H is already used by another program! Please, "
              L"enter some different one.");
    EXPECT_TRUE(IsWindowVisible(editor_));
  }
  // Saved once the other program let it go: into the gap.
  ASSERT_TRUE(ClickControl(add));
  ASSERT_TRUE(WaitUntil([&] { return SlotsFile().find("[Slot_1]") != std::string::npos; }));
  ASSERT_TRUE(WaitUntil([&] { return Rows() == 3; }));
  EXPECT_EQ(ProbeHotKey(kCtrlAlt | 'T'), HotKeyState::Taken);
  const std::string filled = SlotsFile();

  // Clear all, by Ctrl+Delete: No keeps everything, Yes deletes the file.
  ASSERT_TRUE(PressKeyIn(table_, VK_DELETE, {VK_CONTROL}));
  EXPECT_EQ(AnswerBox(IDNO), L"Are you sure to delete all voice slots?");
  EXPECT_EQ(SlotsFile(), filled);
  EXPECT_EQ(Rows(), 3);
  ASSERT_TRUE(PressKeyIn(table_, VK_DELETE, {VK_CONTROL}));
  EXPECT_EQ(AnswerBox(IDYES), L"Are you sure to delete all voice slots?");
  EXPECT_TRUE(FileGone(SlotsPath()));
  ASSERT_TRUE(WaitUntil([&] { return Rows() == 0; }));
  for (WORD key : {'S', 'H', 'T'}) EXPECT_EQ(ProbeHotKey(kCtrlAlt | key), HotKeyState::Free) << key;

  // A reading key that another program holds: OK keeps it and says so.
  HWND readingHotKey = FindControlById(main_, IDC_READING_HOTKEY);
  for (int turn = 0; turn < 2; ++turn) ASSERT_TRUE(PressKey(VK_TAB, {VK_CONTROL, VK_SHIFT}));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(readingHotKey) != FALSE; }));
  ASSERT_TRUE(TypeHotKey(readingHotKey, kCtrlAlt | 'H', L"Ctrl+Alt+H"));
  HeldHotKey held(kCtrlAlt | 'H');
  ASSERT_TRUE(held.Held());
  ASSERT_TRUE(ClickControl(GetDlgItem(main_, IDOK)));
  EXPECT_EQ(AnswerBox(IDOK),
            L"Sorry, but the hot key Ctrl+Alt+H is already in use, so it does not work now. "
            L"Please, choose some different one.");
  EXPECT_NE(ReadTextFile(folder_.File(L"cfg.ini")).find("HotKey=" + std::to_string(kCtrlAlt | 'H')),
            std::string::npos);
}

TEST_F(VoiceSlotsWithAKeyTaken, TheStartTellsWhichSlotKeyDoesNothing) {
  ASSERT_TRUE(held_.Held());
  EXPECT_EQ(ProbeHotKey(kCtrlAlt | 'T'), HotKeyState::Taken);
  EXPECT_EQ(WaitForNotificationBalloon(),
            L"The hot key Ctrl+Alt+S of voice slot 1 is used by another program, so it does not "
            L"work now. Please, choose some different one.");
}
