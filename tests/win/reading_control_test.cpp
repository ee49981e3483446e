// The reading paths inside the program: the hot key handlers with the
// program's own edit box as the selection, the stand-ins' log as the engines'
// side, and the tray menu's pause item.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/res/resource.h"
#include "tests/win/main_form_test_support.h"
#include "ui/tray_menu.h"

namespace {

using main_form_test::PumpApplicationUntil;
using speech_test::LogEntry;

// Slow enough that a reading of a few hundred words is still under way when
// the test pauses it.
constexpr char kSlowVoices[] =
    "sapi4.engine = Engine Mode One | Ann | 50..250 | 80..160\n"
    "sapi4.engine = Engine Mode Two | Bob | 20..300 | 40..200\n"
    "sapi5.voice = Voice Alpha\n"
    "sapi5.voice = Voice Beta\n"
    "pace.ms_per_word = 40\n";

class ReadingControlTest : public main_form_test::MainFormFixture {
 protected:
  TfrmMain& Create(const std::string& standinConfig = kSlowVoices) {
    TfrmMain& frmMain = CreateMainForm(standinConfig);
    frmMain.WarningSound = [this] { ++beeps_; };
    return frmMain;
  }

  // The program's own focused edit box copies its selection when asked, so
  // it stands in for the program the user reads from.
  void Select(const std::wstring& text) {
    editor_ = CreateWindowExW(0, L"EDIT", nullptr, WS_POPUP | ES_AUTOHSCROLL, 0, 0, 200, 50,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(editor_, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextW(editor_, text.c_str());
    SendMessageW(editor_, EM_SETSEL, 0, -1);
    SetFocus(editor_);
  }

  void TearDown() override {
    if (editor_ != nullptr) DestroyWindow(editor_);
    MainFormFixture::TearDown();
  }

  std::vector<LogEntry> Calls(const std::string& api, const std::string& method) const {
    return standins_.Logged(api, method);
  }

  bool WaitForEvent(const std::string& name, size_t count = 1) {
    return PumpApplicationUntil(application_,
                                [&] { return Calls("sapi5", "event " + name).size() >= count; });
  }

  void AddSlot(TfrmMain& frmMain, const std::vector<std::wstring>& cells, int family) {
    frmMain.SlotsPage().AddSlot({cells[0], family, cells[1], cells[2], cells[3]});
  }

  GlobalHotKey& SlotKey(TfrmMain& frmMain, int slot) {
    slotKey_ = std::make_unique<GlobalHotKey>(frmMain.Handle(), L"SlotHotKey_0", nullptr);
    slotKey_->SetTag(slot);
    return *slotKey_;
  }

  std::wstring PauseCaption() const { return frmMain_->TrayMenu->Caption(IDM_STOPREADING1); }

  // Whether the animation's timer runs; asking stops it.
  static bool TrayAnimationRunning(TfrmMain& frmMain) {
    return KillTimer(frmMain.Handle(), kTrayAnimationTimer) != FALSE;
  }

  bool WaitForTrayIcon(TfrmMain& frmMain, HICON icon) {
    return PumpApplicationUntil(application_, [&] { return frmMain.TrayIcon->Icon() == icon; });
  }

  int beeps_ = 0;
  HWND editor_ = nullptr;
  std::unique_ptr<GlobalHotKey> slotKey_;
};

std::wstring LongText(int words) {
  std::wstring text;
  for (int word = 0; word < words; ++word) text += L"word ";
  return text;
}

}  // namespace

TEST_F(ReadingControlTest, TheDefaultVoiceReadsAndTheTrayFollowsTheStream) {
  TfrmMain& frmMain = Create();
  Select(L"Read this, please.");
  frmMain.DefaultHotKeyHotKey(*frmMain.DefaultHotKey);
  const auto speaks = Calls("sapi5", "Speak");
  ASSERT_FALSE(speaks.empty());
  EXPECT_EQ(speaks.back().arguments, "\"<pitch middle=\\\"-2\\\">Read this, please.\" 1");
  EXPECT_EQ(frmMain.PitchPrefix, L"<pitch middle=\"-2\">");

  ASSERT_TRUE(WaitForEvent("StartStream"));
  EXPECT_TRUE(PumpApplicationUntil(application_, [&] { return frmMain.reading; }));
  EXPECT_EQ(PauseCaption(), kPauseCaption);
  ASSERT_TRUE(WaitForEvent("EndStream"));
  EXPECT_TRUE(PumpApplicationUntil(application_, [&] { return !frmMain.reading; }));
  EXPECT_EQ(beeps_, 0);
}

// The words come faster than the animation's ticks, which must not hold it up.
TEST_F(ReadingControlTest, TheTrayIconAnimatesWhileAVoiceReadsAndRestsWhenItEnds) {
  TfrmMain& frmMain = Create();
  Select(LongText(100));
  frmMain.DefaultHotKeyHotKey(*frmMain.DefaultHotKey);
  ASSERT_TRUE(WaitForEvent("StartStream"));
  EXPECT_TRUE(WaitForTrayIcon(frmMain, frmMain.Image3));
  EXPECT_TRUE(WaitForTrayIcon(frmMain, frmMain.Image4));
  ASSERT_TRUE(WaitForEvent("EndStream"));
  EXPECT_TRUE(PumpApplicationUntil(application_, [&] { return !frmMain.reading; }));
  EXPECT_EQ(frmMain.TrayIcon->Icon(), frmMain.Image5);
  EXPECT_FALSE(TrayAnimationRunning(frmMain));
}

TEST_F(ReadingControlTest, ASapi4DefaultVoiceIsFollowedPausedAndResumedThroughItsEngine) {
  TfrmMain& frmMain = Create();
  frmMain.SpeechPage().Picker().SetEntry(0);
  frmMain.SpeechPage().Picker().OnListChange(-1, 0);
  Select(LongText(100));
  frmMain.DefaultHotKeyHotKey(*frmMain.DefaultHotKey);
  ASSERT_TRUE(PumpApplicationUntil(application_,
                                   [&] { return !Calls("sapi4", "event AudioStart").empty(); }));
  EXPECT_TRUE(PumpApplicationUntil(application_, [&] { return frmMain.reading; }));
  EXPECT_EQ(PauseCaption(), kPauseCaption);
  EXPECT_TRUE(TrayAnimationRunning(frmMain));

  frmMain.Stopreading1Click();
  EXPECT_TRUE(frmMain.paused);
  EXPECT_FALSE(frmMain.reading);
  EXPECT_EQ(PauseCaption(), kResumeCaption);
  EXPECT_FALSE(Calls("sapi4", "AudioPause").empty());
  EXPECT_TRUE(Calls("sapi5", "Pause").empty());

  frmMain.Stopreading1Click();
  EXPECT_TRUE(frmMain.reading);
  EXPECT_EQ(PauseCaption(), kPauseCaption);
  EXPECT_EQ(Calls("sapi4", "AudioResume").size(), 1u);

  // An engine that is no longer paused (a slot reading stopped it) is not
  // asked to resume: it would only refuse.
  frmMain.Stopreading1Click();
  frmMain.SpeechEngines().Sapi4().StopSpeech();
  frmMain.Stopreading1Click();
  EXPECT_EQ(Calls("sapi4", "AudioResume").size(), 1u);
  EXPECT_TRUE(frmMain.reading);

  ASSERT_TRUE(PumpApplicationUntil(application_,
                                   [&] { return !Calls("sapi4", "event AudioStop").empty(); }));
  EXPECT_TRUE(PumpApplicationUntil(application_, [&] { return !frmMain.reading; }));
  EXPECT_EQ(frmMain.TrayIcon->Icon(), frmMain.Image5);
  EXPECT_EQ(beeps_, 0);
}

// Only the program's own tags are markup: the voice says the text as it stands.
TEST_F(ReadingControlTest, TextWithAmpersandsAndAngleBracketsIsReadAsItStands) {
  TfrmMain& frmMain = Create();
  const std::wstring text = L"Q&A: if (a<b && c>d) <volume level=\"0\">AT&T";
  Select(text);
  frmMain.DefaultHotKeyHotKey(*frmMain.DefaultHotKey);
  ASSERT_TRUE(WaitForEvent("StartStream"));
  EXPECT_EQ(Calls("sapi5", "Spoken").back().arguments,
            "\"Q&A: if (a<b && c>d) <volume level=\\\"0\\\">AT&T\"");

  frmMain.SpeechPage().TestTextBox().SetText(text);
  frmMain.SpeechPage().OnTest();
  ASSERT_TRUE(WaitForEvent("StartStream", 2));
  EXPECT_EQ(Calls("sapi5", "Spoken").back().arguments,
            "\"Q&A: if (a<b && c>d) <volume level=\\\"0\\\">AT&T\"");
  EXPECT_EQ(beeps_, 0);
}

TEST_F(ReadingControlTest, PauseAndResumeFollowTheDefaultVoiceAndTheMenuSaysWhichComesNext) {
  TfrmMain& frmMain = Create();
  // Nothing is read: the command changes nothing.
  frmMain.Stopreading1Click();
  EXPECT_FALSE(frmMain.paused);
  EXPECT_EQ(PauseCaption(), kPauseCaption);

  Select(LongText(300));
  frmMain.DefaultHotKeyHotKey(*frmMain.DefaultHotKey);
  ASSERT_TRUE(WaitForEvent("StartStream"));
  ASSERT_TRUE(PumpApplicationUntil(application_, [&] { return frmMain.reading; }));

  frmMain.StopHotKeyHotKey(*frmMain.StopHotKey);
  EXPECT_TRUE(frmMain.paused);
  EXPECT_FALSE(frmMain.reading);
  EXPECT_EQ(PauseCaption(), kResumeCaption);
  EXPECT_EQ(Calls("sapi5", "Pause").size(), 1u);
  EXPECT_EQ(frmMain.TrayIcon->Icon(), frmMain.Image5);
  EXPECT_FALSE(TrayAnimationRunning(frmMain));

  frmMain.StopHotKeyHotKey(*frmMain.StopHotKey);
  EXPECT_FALSE(frmMain.paused);
  EXPECT_TRUE(frmMain.reading);
  EXPECT_EQ(PauseCaption(), kPauseCaption);
  EXPECT_EQ(Calls("sapi5", "Resume").size(), 1u);

  // A new reading while paused starts afresh.
  frmMain.Stopreading1Click();
  ASSERT_TRUE(frmMain.paused);
  Select(L"Another one.");
  frmMain.DefaultHotKeyHotKey(*frmMain.DefaultHotKey);
  ASSERT_TRUE(WaitForEvent("StartStream", 2));
  EXPECT_TRUE(
      PumpApplicationUntil(application_, [&] { return !frmMain.paused && frmMain.reading; }));
  EXPECT_EQ(PauseCaption(), kPauseCaption);
}

TEST_F(ReadingControlTest, AFailingVoiceBeepsOnceAndSpeaksNothing) {
  TfrmMain& frmMain = Create(std::string(kSlowVoices) + "sapi5.fail = Speak\n");
  Select(L"Not to be heard.");
  frmMain.DefaultHotKeyHotKey(*frmMain.DefaultHotKey);
  EXPECT_EQ(beeps_, 1);
  // The refused purge ends the path: the text is never handed over, so no
  // stream can start later either.
  for (const LogEntry& speak : Calls("sapi5", "Speak")) EXPECT_EQ(speak.arguments, "\"\" 2");
  EXPECT_FALSE(frmMain.reading);
}

TEST_F(ReadingControlTest, TheSelectionIsPreparedWithThePronunciationPageAsItIsNow) {
  TfrmMain& frmMain = Create();
  frmMain.PronunciationPage().Load({true, L"*_", true});
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"Word");
  ListView_InsertItem(frmMain.PronunciationPage().CorrectionsTable(), &item);
  ListView_SetItemText(frmMain.PronunciationPage().CorrectionsTable(), 0, 1,
                       const_cast<wchar_t*>(L"Ward"));
  ListView_SetItemText(frmMain.PronunciationPage().CorrectionsTable(), 0, 2,
                       const_cast<wchar_t*>(L"No"));
  Select(L"*word* WORD_x");
  EXPECT_EQ(frmMain.GetSelectedText(), L" Ward  Ward x");
}

TEST_F(ReadingControlTest, ALongSelectionIsCutTo51200Characters) {
  TfrmMain& frmMain = Create();
  Select(std::wstring(60000, L'a'));
  frmMain.DefaultHotKeyHotKey(*frmMain.DefaultHotKey);
  const auto speaks = Calls("sapi5", "Speak");
  ASSERT_FALSE(speaks.empty());
  const std::string expected = "\"<pitch middle=\\\"-2\\\">" + std::string(51200, 'a') + "\" 1";
  EXPECT_EQ(speaks.back().arguments, expected);
}

TEST_F(ReadingControlTest, ASapi5SlotReadsWithItsOwnVoiceAndValues) {
  TfrmMain& frmMain = Create();
  AddSlot(frmMain, {L"Voice Beta", L"135", L"330", L"50"}, 5);
  Select(L"Slot text.");
  frmMain.SelectSlot(SlotKey(frmMain, 0));
  EXPECT_EQ(beeps_, 0);
  EXPECT_EQ(Calls("sapi5", "put_Voice").back().arguments, "\"Voice Beta\"");
  EXPECT_EQ(Calls("sapi5", "put_Rate").back().arguments, "-3");
  EXPECT_EQ(Calls("sapi5", "put_Volume").back().arguments, "50");
  EXPECT_EQ(Calls("sapi5", "Speak").back().arguments, "\"<pitch middle=\\\"10\\\">Slot text.\" 1");
}

// The voice block fails, the reading still goes ahead with the fresh voice
// object's own voice and without a pitch.
TEST_F(ReadingControlTest, ASlotWhoseVoiceIsGoneBeepsOnceAndStillReads) {
  TfrmMain& frmMain = Create();
  AddSlot(frmMain, {L"Uninstalled Voice", L"135", L"330", L"50"}, 5);
  // Without the prefix nothing marks the text as markup, not even its own "<".
  Select(L"<b>Still read.");
  frmMain.SelectSlot(SlotKey(frmMain, 0));
  EXPECT_EQ(beeps_, 1);
  EXPECT_EQ(Calls("sapi5", "Speak").back().arguments, "\"<b>Still read.\" 17");
  ASSERT_TRUE(WaitForEvent("StartStream"));
  EXPECT_EQ(Calls("sapi5", "Spoken").back().arguments, "\"<b>Still read.\"");
}

TEST_F(ReadingControlTest, ASapi4SlotStopsTheEnginesAndSpeaksThroughTextData) {
  TfrmMain& frmMain = Create();
  AddSlot(frmMain, {L"Bob", L"240", L"150", L"70"}, 4);
  Select(L"Engine text.");
  frmMain.SelectSlot(SlotKey(frmMain, 0));
  EXPECT_EQ(beeps_, 0);
  EXPECT_FALSE(Calls("sapi4", "AudioReset").empty());
  EXPECT_FALSE(Calls("sapi5", "Pause").empty());
  const auto textData = Calls("sapi4", "TextData");
  ASSERT_FALSE(textData.empty());
  EXPECT_NE(textData.back().arguments.find("Engine text."), std::string::npos);
}

// The voice speaks only once every Pause has had its Resume. A SAPI 4 slot
// silences the SAPI 5 voice without leaving it paused, so speech that does
// not reconnect it, as the welcome greeting's and the test button's, is heard.
TEST_F(ReadingControlTest, AfterASapi4SlotTheSapi5VoiceSpeaksWithoutReconnecting) {
  TfrmMain& frmMain = Create();
  Select(LongText(300));
  frmMain.DefaultHotKeyHotKey(*frmMain.DefaultHotKey);
  ASSERT_TRUE(WaitForEvent("StartStream"));
  AddSlot(frmMain, {L"Bob", L"240", L"150", L"70"}, 4);
  Select(L"Engine text.");
  frmMain.SelectSlot(SlotKey(frmMain, 0));
  EXPECT_TRUE(WaitForEvent("EndStream")) << "the reading the slot silenced ends";

  frmMain.SpeakWithDefaultVoice(L"Welcome.", false);
  EXPECT_TRUE(WaitForEvent("StartStream", 2));
  frmMain.SpeechPage().OnTest();
  EXPECT_TRUE(WaitForEvent("StartStream", 3));
  EXPECT_EQ(beeps_, 0);
}

// A purge drops what the user paused, and with it the pause.
TEST_F(ReadingControlTest, TheTestButtonIsHeardAfterTheUserPausedAReading) {
  TfrmMain& frmMain = Create();
  Select(LongText(300));
  frmMain.DefaultHotKeyHotKey(*frmMain.DefaultHotKey);
  ASSERT_TRUE(WaitForEvent("StartStream"));
  ASSERT_TRUE(PumpApplicationUntil(application_, [&] { return frmMain.reading; }));
  frmMain.Stopreading1Click();
  ASSERT_TRUE(frmMain.paused);

  frmMain.SpeechPage().OnTest();
  EXPECT_TRUE(WaitForEvent("StartStream", 2));
  EXPECT_TRUE(
      PumpApplicationUntil(application_, [&] { return !frmMain.paused && frmMain.reading; }));
}
