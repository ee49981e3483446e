// The reading paths: the reading controller against the stand-ins, with the
// test's own settings and the program's own edit box as the selection, and
// the main window's tray icon and menu following a reading.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "reading/case_fold_system.h"
#include "reading/reading_controller.h"
#include "reading/reading_rules.h"
#include "tests/support/test_clipboard.h"
#include "tests/win/main_form_probe.h"
#include "ui/list_view.h"
#include "ui/tray_menu.h"
#include "ui/ui_resources.h"

namespace {

using speech_test::LogEntry;
using speech_test::Utf8;

// Slow enough that a reading of a few hundred words is still under way when
// the test pauses it.
const std::string kSlowVoices =
    std::string(main_form_test::kBothFamilies) + "pace.ms_per_word = 40\n";

// The catalogue's first SAPI 5 voice at the positions a first start gives it.
constexpr DefaultVoiceChoice kFirstSapi5Voice{2, {0, -2, 100}};

// Slots with a voice of each family, at stored values.
const VoiceSlot kBetaSlot{
    .voiceName = L"Voice Beta", .family = kSapi5Family, .speed = 135, .pitch = 330, .volume = 50};
const VoiceSlot kBobSlot{
    .voiceName = L"Bob", .family = kSapi4Family, .speed = 240, .pitch = 150, .volume = 70};

class TestSource : public ReadingSource {
 public:
  DefaultVoiceChoice DefaultVoice() const override { return defaultVoice; }
  TextPreparationSettings PreparationSettings() const override { return preparation; }
  VoiceSlot Slot(int slot) const override { return slots.at(static_cast<size_t>(slot)); }

  DefaultVoiceChoice defaultVoice = kFirstSapi5Voice;
  TextPreparationSettings preparation;
  std::vector<VoiceSlot> slots;
};

class TestFeedback : public ReadingFeedback {
 public:
  void ReadingStateChanged(ReadingState state) override { states.push_back(state); }
  void ReadingFailed() override { ++failures; }
  void ShowNotice(const std::wstring& text) override { notices.push_back(text); }

  std::vector<ReadingState> states;
  int failures = 0;
  std::vector<std::wstring> notices;
};

std::wstring LongText(int words) {
  std::wstring text;
  for (int word = 0; word < words; ++word) text += L"word ";
  return text;
}

// The controller on its own, with the test's source and feedback, or the
// main window answering it from its pages and showing a reading in the tray.
class ReadingControlTest : public main_form_test::MainFormFixture {
 protected:
  ReadingController& Create(const std::string& standinConfig = kSlowVoices,
                            IntegrityCheck runsAtHigherIntegrity = RunsAtHigherIntegrity) {
    standins_.WriteConfig(standinConfig);
    engines_ = std::make_unique<Engines>();
    engines_->DetectRuntimes();
    engines_->LoadCatalogue();
    controller_ = std::make_unique<ReadingController>(
        *engines_, source_, feedback_, application_.Handle(),
        [this] { application_.ProcessMessages(); }, std::move(runsAtHigherIntegrity));
    return *controller_;
  }

  void TearDown() override {
    DestroyWindow(selection_);
    MainFormFixture::TearDown();
  }

  // The program's own focused edit box copies its selection when asked, so
  // it stands in for the program the user reads from.
  void Select(const std::wstring& text) {
    SendMessageW(selection_, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextW(selection_, text.c_str());
    SendMessageW(selection_, EM_SETSEL, 0, -1);
    SetFocus(selection_);
  }

  std::vector<LogEntry> Calls(const std::string& api, const std::string& method) const {
    return standins_.Logged(api, method);
  }

  bool WaitForEvent(const std::string& name, size_t count = 1) {
    return PumpApplicationUntil([&] { return Calls("sapi5", "event " + name).size() >= count; });
  }

  // The main window's controller and tray agree on the state: the menu offers
  // "Resume" only while paused, and the icon stands still unless a voice reads.
  void ExpectShown(MainFormProbe& frmMain, ReadingState state) {
    EXPECT_EQ(frmMain.ReadingControl().Paused(), state == ReadingState::Paused);
    EXPECT_EQ(frmMain.ReadingControl().Reading(), state == ReadingState::Reading);
    EXPECT_EQ(frmMain.Tray().PauseCaption(),
              state == ReadingState::Paused ? kResumeCaption : kPauseCaption);
    if (state == ReadingState::Reading) return;
    EXPECT_EQ(frmMain.Tray().Picture(), TrayPicture::Idle);
    EXPECT_FALSE(frmMain.Tray().Animating());
  }

  bool WaitForTrayPicture(MainFormProbe& frmMain, TrayPicture picture) {
    return PumpApplicationUntil([&] { return frmMain.Tray().Picture() == picture; });
  }

  // A reading of a few hundred words by the default voice, under way.
  void StartLongReading(ReadingController& controller) {
    Select(LongText(300));
    controller.DefaultHotKeyHotKey();
    ASSERT_TRUE(PumpApplicationUntil([&] { return controller.Reading(); }));
  }

  // A password manager's copy: a text with one of the marks that keep it out
  // of the clipboard history. Answers what the clipboard then holds.
  std::map<UINT, std::vector<BYTE>> CopyMarked(const std::wstring& text, const wchar_t* mark,
                                               DWORD value) {
    {
      OpenedClipboard clipboard(application_.Handle());
      EmptyClipboard();
      PutClipboardText(text);
      PutClipboardDword(mark, value);
    }
    return ReadClipboard(application_.Handle());
  }

  ReadingState LastState() const {
    return feedback_.states.empty() ? ReadingState::Ended : feedback_.states.back();
  }

  // The controller's answers agree with the state it last reported, and that
  // is the one expected.
  void ExpectState(const ReadingController& controller, ReadingState state) {
    EXPECT_EQ(controller.Paused(), state == ReadingState::Paused);
    EXPECT_EQ(controller.Reading(), state == ReadingState::Reading);
    EXPECT_EQ(LastState(), state);
  }

  TestSource source_;
  TestFeedback feedback_;
  HWND selection_ = CreateWindowExW(0, L"EDIT", nullptr, WS_POPUP | ES_AUTOHSCROLL, 0, 0, 200, 50,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  std::unique_ptr<Engines> engines_;
  std::unique_ptr<ReadingController> controller_;
};

// The pause/resume command and Exit with a SAPI 4 default voice, against
// each documented way an engine answers a pause: refusing a second pause
// (the default), accepting it ("pauseok"), and reporting the pause and the
// resume as AudioStop and AudioStart ("pausenotify").
class Sapi4PauseVariationsTest : public ReadingControlTest,
                                 public ::testing::WithParamInterface<const char*> {
 protected:
  // The only entry is the engine, so it is the default voice; its test
  // test speech starts a reading of a few seconds.
  MainFormProbe& Reading() {
    MainFormProbe& frmMain = CreateMainForm(
        std::string(
            "pace.ms_per_word = 40\nsapi4.engine = Engine Mode One | Ann | 50..250 | 80..160 | ") +
        GetParam() + "\n");
    frmMain.ReadingControl().SpeakWithDefaultVoice(LongText(40), true);
    EXPECT_TRUE(PumpApplicationUntil([&] { return frmMain.ReadingControl().Reading(); }));
    return frmMain;
  }

  // The command, then whatever the engine reports on it.
  void PauseOrResume(MainFormProbe& frmMain) {
    frmMain.ReadingControl().PauseOrResume();
    ASSERT_TRUE(PumpApplicationUntilQuiet());
  }
};

}  // namespace

// A selection longer than a reading may be is cut to 51,200 characters.
TEST_F(ReadingControlTest, TheDefaultVoiceReadsAndTheStateFollowsTheStream) {
  ReadingController& controller = Create();
  // Behind the prefix the text's own "&" and "<" are no markup.
  Select(L"Read this & <that>, please.");
  controller.DefaultHotKeyHotKey();
  const auto speaks = Calls("sapi5", "Speak");
  ASSERT_FALSE(speaks.empty());
  EXPECT_EQ(speaks.back().arguments,
            "\"<pitch middle=\\\"-2\\\">Read this &amp; &lt;that&gt;, please.\" 1");

  ASSERT_TRUE(WaitForEvent("StartStream"));
  EXPECT_TRUE(PumpApplicationUntil([&] { return controller.Reading(); }));
  EXPECT_EQ(LastState(), ReadingState::Reading);
  ASSERT_TRUE(WaitForEvent("EndStream"));
  EXPECT_TRUE(PumpApplicationUntil([&] { return !controller.Reading(); }));
  EXPECT_EQ(LastState(), ReadingState::Ended);
  EXPECT_EQ(feedback_.failures, 0);

  Select(std::wstring(60000, L'a'));
  controller.DefaultHotKeyHotKey();
  EXPECT_EQ(Calls("sapi5", "Speak").back().arguments,
            "\"<pitch middle=\\\"-2\\\">" + std::string(51200, 'a') + "\" 1");
}

TEST_F(ReadingControlTest, ASapi4DefaultVoiceIsFollowedPausedAndResumedThroughItsEngine) {
  ReadingController& controller = Create();
  source_.defaultVoice = {0, engines_->SetUpEntry(0).values};
  Select(LongText(100));
  controller.DefaultHotKeyHotKey();
  ASSERT_TRUE(PumpApplicationUntil([&] { return !Calls("sapi4", "event AudioStart").empty(); }));
  EXPECT_TRUE(PumpApplicationUntil([&] { return controller.Reading(); }));
  EXPECT_EQ(LastState(), ReadingState::Reading);

  controller.PauseOrResume();
  ExpectState(controller, ReadingState::Paused);
  EXPECT_FALSE(Calls("sapi4", "AudioPause").empty());
  EXPECT_TRUE(Calls("sapi5", "Pause").empty());

  controller.PauseOrResume();
  ExpectState(controller, ReadingState::Reading);
  EXPECT_EQ(Calls("sapi4", "AudioResume").size(), 1u);

  // An engine that is no longer paused (a slot reading stopped it) is not
  // asked to resume: it would only refuse.
  controller.PauseOrResume();
  engines_->Sapi4().StopSpeech();
  controller.PauseOrResume();
  EXPECT_EQ(Calls("sapi4", "AudioResume").size(), 1u);
  EXPECT_TRUE(controller.Reading());

  ASSERT_TRUE(PumpApplicationUntil([&] { return !Calls("sapi4", "event AudioStop").empty(); }));
  EXPECT_TRUE(PumpApplicationUntil([&] { return !controller.Reading(); }));
  EXPECT_EQ(LastState(), ReadingState::Ended);
  EXPECT_EQ(feedback_.failures, 0);
}

// A new reading while paused starts afresh; so does the test speech, whose
// purge drops what the user paused, and with it the pause.
TEST_F(ReadingControlTest, PauseAndResumeFollowTheDefaultVoice) {
  ReadingController& controller = Create();
  // Nothing is read: the command changes nothing.
  controller.PauseOrResume();
  EXPECT_FALSE(controller.Paused());
  EXPECT_TRUE(feedback_.states.empty());

  StartLongReading(controller);
  controller.PauseOrResume();
  ExpectState(controller, ReadingState::Paused);
  EXPECT_EQ(Calls("sapi5", "Pause").size(), 1u);

  controller.PauseOrResume();
  ExpectState(controller, ReadingState::Reading);
  EXPECT_EQ(Calls("sapi5", "Resume").size(), 1u);

  controller.PauseOrResume();
  ASSERT_TRUE(controller.Paused());
  Select(L"Another one.");
  controller.DefaultHotKeyHotKey();
  ASSERT_TRUE(WaitForEvent("StartStream", 2));
  EXPECT_TRUE(PumpApplicationUntil([&] { return !controller.Paused() && controller.Reading(); }));
  EXPECT_EQ(LastState(), ReadingState::Reading);
  ASSERT_TRUE(PumpApplicationUntil([&] { return !controller.Reading(); }));

  StartLongReading(controller);
  controller.PauseOrResume();
  ASSERT_TRUE(controller.Paused());
  controller.SpeakWithDefaultVoice(kTestSentence, true);
  EXPECT_TRUE(WaitForEvent("StartStream", 4));
  EXPECT_TRUE(PumpApplicationUntil([&] { return !controller.Paused() && controller.Reading(); }));
}

// With nothing selected, a password copied from a password manager is what
// the clipboard still holds; whichever mark it carries, it is not spoken, and
// the clipboard keeps it as it was. Windows would drop the copy keystroke to
// a program running as administrator, and the clipboard's earlier text would
// be read instead: such a program is not read, and the user is told once.
TEST_F(ReadingControlTest, ContentMarkedPrivateAndAProgramRunningAsAdministratorAreNotRead) {
  // Under Wine no process has an integrity level above another's.
  EXPECT_FALSE(RunsAtHigherIntegrity(application_.Handle()));
  bool administrator = false;
  ReadingController& controller = Create(kSlowVoices, [&](HWND) { return administrator; });
  Select(L"");
  const std::pair<const wchar_t*, DWORD> marks[] = {
      {L"ExcludeClipboardContentFromMonitorProcessing", 1},
      {L"CanIncludeInClipboardHistory", 0},
      {L"CanUploadToCloudClipboard", 0},
  };
  int failures = 0;
  for (const auto& [mark, value] : marks) {
    const auto before = CopyMarked(L"hunter2", mark, value);
    controller.DefaultHotKeyHotKey();
    EXPECT_EQ(feedback_.failures, ++failures) << Utf8(mark);
    EXPECT_EQ(ReadClipboard(application_.Handle()), before) << Utf8(mark);
  }
  EXPECT_TRUE(Calls("sapi5", "Speak").empty());
  EXPECT_TRUE(feedback_.notices.empty());

  // Content the history may keep is read as ever.
  CopyMarked(L"Shared text.", L"CanIncludeInClipboardHistory", 1);
  controller.DefaultHotKeyHotKey();
  ASSERT_FALSE(Calls("sapi5", "Speak").empty());
  EXPECT_EQ(Calls("sapi5", "Speak").back().arguments,
            "\"<pitch middle=\\\"-2\\\">Shared text.\" 1");

  administrator = true;
  Select(L"Out of reach.");
  const size_t speaks = Calls("sapi5", "Speak").size();
  const DWORD clipboardBefore = GetClipboardSequenceNumber();
  controller.DefaultHotKeyHotKey();
  controller.DefaultHotKeyHotKey();
  EXPECT_EQ(GetClipboardSequenceNumber(), clipboardBefore) << "nothing copied, nothing put back";
  EXPECT_EQ(Calls("sapi5", "Speak").size(), speaks);
  EXPECT_EQ(feedback_.failures, failures + 2);
  EXPECT_EQ(feedback_.notices,
            std::vector<std::wstring>{
                L"Tolvane cannot read from a program that runs as administrator. Start Tolvane as "
                L"administrator too to read from it."});
}

// A new reading replaces the voice object or engine that was speaking, whose
// end is then never reported. When the new one fails before its text reaches
// the engine, the reading has ended all the same, a paused one too: the tray
// must not go on showing one, nor the menu offer to resume it.
TEST_F(ReadingControlTest, AReadingThatFailsAfterReplacingTheSpeakingOneEndsIt) {
  std::string voices = kSlowVoices;
  voices.replace(voices.find("40..200"), 7, "40..200 | failselect");
  ReadingController& controller = Create(voices);
  StartLongReading(controller);
  controller.PauseOrResume();
  // The fresh voice object refuses to speak, and fails once. The refused
  // purge ends the path: the text is never handed over, so no stream can
  // start later either.
  standins_.WriteConfig(voices + "sapi5.fail = Speak\n");
  const size_t speaks = Calls("sapi5", "Speak").size();
  controller.DefaultHotKeyHotKey();
  EXPECT_EQ(feedback_.failures, 1);
  const auto refused = Calls("sapi5", "Speak");
  for (size_t speak = speaks; speak < refused.size(); ++speak) {
    EXPECT_EQ(refused[speak].arguments, "\"\" 2");
  }
  ExpectState(controller, ReadingState::Ended);

  // The engine that reads is given up for one that cannot be selected.
  source_.defaultVoice = {0, engines_->SetUpEntry(0).values};
  controller.DefaultHotKeyHotKey();
  ASSERT_TRUE(PumpApplicationUntil([&] { return controller.Reading(); }));
  source_.defaultVoice.entry = 1;
  controller.DefaultHotKeyHotKey();
  EXPECT_EQ(feedback_.failures, 2);
  ExpectState(controller, ReadingState::Ended);
}

// The selection is prepared with the settings as they are now. With nothing
// selected a huge clipboard is what is read: only the head that can be spoken
// is prepared, so that a dictionary of 10,000 rows does not hold the program
// up, and it is spoken as preparing the whole would have it.
TEST_F(ReadingControlTest, TheSelectionIsPreparedAndAHugeClipboardOnlyAsFarAsItCanBeSpoken) {
  ReadingController& controller = Create();
  // Letter case is folded as the system folds it, beyond A to Z too.
  source_.preparation = {
      true, L"*_", true, {{L"Word", L"Ward", L"No"}, {L"\u0451\u043b\u043a\u0430", L"fir", L"No"}}};
  Select(L"*word* WORD_x \u0401\u041b\u041a\u0410");
  EXPECT_EQ(controller.GetSelectedText(), L" Ward  Ward x fir");

  for (int row = 0; row < 10000; ++row) {
    const std::wstring number = std::to_wstring(row);
    source_.preparation.corrections.push_back({L"word" + number + L"x", L"w" + number, L"No"});
  }
  std::wstring capture;
  for (int row = 0; capture.size() < 4000000; row = (row + 7) % 10000) {
    capture += L"*WORD" + std::to_wstring(row) + L"x_ ";
  }
  Select(L"");
  {
    OpenedClipboard clipboard(application_.Handle());
    EmptyClipboard();
    PutClipboardText(capture);
  }
  const std::wstring prepared = controller.GetSelectedText();
  EXPECT_LE(prepared.size(), kPreparedCaptureLength);
  EXPECT_EQ(CutForReading(prepared),
            CutForReading(PrepareText(capture, source_.preparation, SystemCaseFold)));
}

// A slot the source cannot give (none there, or a number it cannot read)
// fails the reading once, quietly, and nothing is spoken. When its voice is
// gone the voice block fails, and the reading still goes ahead with the fresh
// voice object's own voice and without a pitch. (The slots page's case reads
// a slot with its own voice and pitch.)
TEST_F(ReadingControlTest, ASapi5SlotThatCannotBeHadFailsOnceAndOneWithoutItsVoiceStillReads) {
  ReadingController& controller = Create();
  Select(L"Not read.");
  const size_t mark = Calls("sapi5", "Speak").size();
  controller.SelectSlot(0);
  EXPECT_EQ(feedback_.failures, 1);
  EXPECT_EQ(Calls("sapi5", "Speak").size(), mark);

  source_.slots = {kBetaSlot};
  source_.slots[0].voiceName = L"Uninstalled Voice";
  // Without the prefix nothing marks the text as markup, not even its own "<".
  Select(L"<b>Still read.");
  controller.SelectSlot(0);
  EXPECT_EQ(feedback_.failures, 2);
  EXPECT_EQ(Calls("sapi5", "Speak").back().arguments, "\"<b>Still read.\" 17");
  ASSERT_TRUE(PumpApplicationUntil([&] {
    const auto spoken = Calls("sapi5", "Spoken");
    return !spoken.empty() && spoken.back().arguments == "\"<b>Still read.\"";
  }));
}

// A SAPI 4 slot stops the engines and speaks through TextData. The voice
// speaks only once every Pause has had its Resume: the slot silences the
// SAPI 5 voice without leaving it paused, so speech that does not reconnect
// it, as the welcome greeting's and the test button's, is heard.
TEST_F(ReadingControlTest, AfterASapi4SlotTheSapi5VoiceSpeaksWithoutReconnecting) {
  ReadingController& controller = Create();
  StartLongReading(controller);
  source_.slots = {kBobSlot};
  Select(L"Engine text.");
  controller.SelectSlot(0);
  EXPECT_FALSE(Calls("sapi4", "AudioReset").empty());
  EXPECT_FALSE(Calls("sapi5", "Pause").empty());
  const auto textData = Calls("sapi4", "TextData");
  ASSERT_FALSE(textData.empty());
  EXPECT_NE(textData.back().arguments.find("Engine text."), std::string::npos);
  EXPECT_TRUE(WaitForEvent("EndStream")) << "the reading the slot silenced ends";

  controller.SpeakWithDefaultVoice(L"Welcome.", false);
  EXPECT_TRUE(WaitForEvent("StartStream", 2));
  controller.SpeakWithDefaultVoice(kTestSentence, true);
  EXPECT_TRUE(WaitForEvent("StartStream", 3));
  EXPECT_EQ(feedback_.failures, 0);
}

// A paused reading that is stopped, or that a new one silences before
// failing, has ended: nothing is left for the pause command to resume, and the
// voice is free for what comes next. The slot paths silence both families.
TEST_F(ReadingControlTest, APausedReadingThatIsStoppedOrReplacedLeavesNothingToResume) {
  ReadingController& controller = Create();
  const auto startAndPause = [&] {
    controller.SpeakWithDefaultVoice(LongText(300), false);
    ASSERT_TRUE(PumpApplicationUntil([&] { return controller.Reading(); }));
    controller.PauseOrResume();
    ASSERT_TRUE(controller.Paused());
  };
  startAndPause();
  controller.StopReading();
  ExpectState(controller, ReadingState::Ended);
  EXPECT_EQ(Calls("sapi5", "Resume").size(), 1u) << "the pause is let go";
  controller.PauseOrResume();
  EXPECT_EQ(Calls("sapi5", "Pause").size(), 1u);
  EXPECT_EQ(Calls("sapi5", "Resume").size(), 1u);

  source_.slots = {kBobSlot};
  source_.slots[0].voiceName = L"Uninstalled Engine";
  startAndPause();
  controller.SelectSlot(0);
  EXPECT_EQ(feedback_.failures, 1);
  ExpectState(controller, ReadingState::Ended);
  controller.SpeakWithDefaultVoice(L"Heard.", false);
  EXPECT_TRUE(WaitForEvent("StartStream", 3));
}

// The words come faster than the animation's ticks, which must not hold it
// up; the pause shows the idle icon and offers "Resume".
TEST_F(ReadingControlTest, TheTrayIconAnimatesWhileAVoiceReadsAndTheMenuOffersWhatComesNext) {
  MainFormProbe& frmMain = CreateMainForm(kSlowVoices);
  ReadingController& controller = frmMain.ReadingControl();
  Select(LongText(300));
  SendMessageW(frmMain.Handle(), WM_HOTKEY, frmMain.DefaultHotKey().Identifier(), 0);
  ASSERT_TRUE(WaitForEvent("StartStream"));
  EXPECT_TRUE(WaitForTrayPicture(frmMain, TrayPicture::FirstWave));
  EXPECT_TRUE(WaitForTrayPicture(frmMain, TrayPicture::SecondWave));
  EXPECT_EQ(frmMain.Tray().PauseCaption(), kPauseCaption);

  SendMessageW(frmMain.Handle(), WM_COMMAND, IDM_TRAY_PAUSE_RESUME, 0);
  ExpectShown(frmMain, ReadingState::Paused);
  SendMessageW(frmMain.Handle(), WM_COMMAND, IDM_TRAY_PAUSE_RESUME, 0);
  ExpectShown(frmMain, ReadingState::Reading);
  EXPECT_TRUE(WaitForTrayPicture(frmMain, TrayPicture::FirstWave));

  frmMain.SpeechEngines().Sapi5().Speak(L"", SVSFPurgeBeforeSpeak);
  ASSERT_TRUE(WaitForEvent("EndStream"));
  EXPECT_TRUE(PumpApplicationUntil([&] { return !controller.Reading(); }));
  ExpectShown(frmMain, ReadingState::Ended);
}

// A slot is a row of the "Voice slots" page: the table shows its voice, its
// numbers and its hot key, and the page keeps its family and hot key word. It
// reads with its own voice and pitch (the engines' own cases show its rate
// and volume).
TEST_F(ReadingControlTest, ASlotIsReadWithTheVoiceAndValuesOfItsRowOnTheSlotsPage) {
  MainFormProbe& frmMain = CreateMainForm(kSlowVoices);
  TSlotsPage& page = frmMain.SlotsPage();
  VoiceSlot slot = kBetaSlot;
  slot.hotKey = kShiftModifier | kCtrlModifier | VK_F13;
  page.AddSlot(slot);
  auto shownRow = [&] {
    std::vector<std::wstring> row;
    for (int column = 0; column < 5; ++column) {
      wchar_t text[64] = L"";
      ListView_GetItemText(page.Table(), 0, column, text, 64);
      row.emplace_back(text);
    }
    return row;
  };
  EXPECT_EQ(shownRow(),
            (std::vector<std::wstring>{L"Voice Beta", L"135", L"330", L"50", L"Shift+Ctrl+F13"}));
  EXPECT_EQ(page.Slot(0), slot);

  Select(L"Slot text.");
  frmMain.ReadingControl().SelectSlot(0);
  EXPECT_EQ(Calls("sapi5", "put_Voice").back().arguments, "\"Voice Beta\"");
  EXPECT_EQ(Calls("sapi5", "Speak").back().arguments, "\"<pitch middle=\\\"10\\\">Slot text.\" 1");

  // A pitch that slots.ini does not hold as a number fails only the voice step,
  // after the voice, its rate and its volume: the text is still read, with
  // no pitch prefix and so as plain text.
  slot.pitch = std::nullopt;
  page.Clear();
  page.AddSlot(slot);
  EXPECT_EQ(shownRow()[2], L"");
  frmMain.ReadingControl().SelectSlot(0);
  EXPECT_EQ(Calls("sapi5", "Speak").back().arguments, "\"Slot text.\" 17");
  EXPECT_THROW(page.Slot(1), std::out_of_range);
}

TEST_P(Sapi4PauseVariationsTest, PauseAndResumeHoldAndGoOnToTheEnd) {
  MainFormProbe& frmMain = Reading();
  PauseOrResume(frmMain);
  ExpectShown(frmMain, ReadingState::Paused);
  PauseOrResume(frmMain);
  ExpectShown(frmMain, ReadingState::Reading);
  // Two presses handled before the engine's answers to the first come in.
  PauseOrResume(frmMain);
  frmMain.ReadingControl().PauseOrResume();
  PauseOrResume(frmMain);
  ExpectShown(frmMain, ReadingState::Paused);
  PauseOrResume(frmMain);
  ExpectShown(frmMain, ReadingState::Reading);
  ASSERT_TRUE(PumpApplicationUntil([&] { return !frmMain.ReadingControl().Reading(); },
                                   std::chrono::seconds(20)));
  ExpectShown(frmMain, ReadingState::Ended);
}

TEST_P(Sapi4PauseVariationsTest, ExitAfterAPauseKeepsTheReadingSilentAndSaves) {
  MainFormProbe& frmMain = Reading();
  PauseOrResume(frmMain);
  // A key changed after the start that wrote cfg.ini: only the exit's save keeps it.
  frmMain.HotKeyField(IDC_READING_HOTKEY).SetValue(32813);  // Alt+Ins
  frmMain.Command(IDM_TRAY_EXIT);
  EXPECT_TRUE(application_.Terminated());
  // The quit message would end the message loops of the tests that follow.
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_NE(ConfigText().find("HotKey=32813\r\n"), std::string::npos);
  EXPECT_TRUE(frmMain.SpeechEngines().Sapi4().Paused());
  EXPECT_TRUE(standins_.Logged("sapi4", "AudioResume").empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, Sapi4PauseVariationsTest,
                         ::testing::Values("", "pauseok", "pausenotify"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(*info.param == '\0' ? "refusing" : info.param);
                         });
