// The voice catalogue of a whole main window and the default voice's way to
// the stand-in engines: the order and names of the entries, the sliders and
// value boxes of each family, what reaches the engines, and the list guard.
// The window stays hidden, and so its list reports nothing, unless a case
// shows it.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/res/resource.h"
#include "settings/file_replace.h"
#include "speech/sapi4_tags.h"
#include "speech/voice_catalogue.h"
#include "tests/support/list_box_mouse.h"
#include "tests/support/standin_log_quoting.h"
#include "tests/win/main_form_probe.h"
#include "ui/voice_picker.h"

namespace {

using speech_test::LogEntry;

constexpr char kNamingEngines[] =
    "sapi4.engine = Adult Female 1 | Mary | 50..250 | 60..200\n"   // 14 and 4 characters
    "sapi4.engine = Mode A | Spkr B | 50..250 | 60..200\n"         // as long as each other
    "sapi4.engine = Mike | Michael Speaker | 80..300 | 40..120\n"  // the speaker is longer
    "sapi4.engine = Broken Mode | Nobody | 50..250 | 60..200 | failselect\n"
    "sapi5.voice = Anna\n"
    "sapi5.voice = Bert\n";

constexpr char kEnginesOnly[] =
    "sapi4.engine = Engine Mode One | Ann | 50..250 | 80..160\n"
    "sapi4.engine = Engine Mode Two | Bob | 20..300 | 40..200\n";

constexpr char kVoicesOnly[] = "sapi5.voice = Anna\nsapi5.voice = Bert\n";

// kBothFamilies of the support header, entry by entry.
constexpr int kAnn = 0;
constexpr int kBob = 1;
constexpr int kVoiceAlpha = 2;
constexpr int kVoiceBeta = 3;

// Speed, pitch and volume as "min..max at position: value box".
std::vector<std::wstring> Sliders(const TVoicePicker& picker) {
  const auto shown = [](const TrackBar& bar, const EditBox& box) {
    return std::to_wstring(bar.Min()) + L".." + std::to_wstring(bar.Max()) + L" at " +
           std::to_wstring(bar.Position()) + L": " + box.Text();
  };
  return {shown(picker.SpeedBar(), picker.SpeedBox()), shown(picker.PitchBar(), picker.PitchBox()),
          shown(picker.VolumeBar(), picker.VolumeBox())};
}

std::vector<std::wstring> Boxes(const TVoicePicker& picker) {
  return {picker.SpeedBox().Text(), picker.PitchBox().Text(), picker.VolumeBox().Text()};
}

class DefaultVoiceTest : public main_form_test::MainFormFixture {
 protected:
  // What the stand-ins have logged so far; calls after it are the ones a
  // step of the test made.
  size_t LogMark() const { return standins_.StandinLog().size(); }

  // "<method> <arguments>" of each call of one API since the mark, for the
  // methods asked for, in call order.
  std::vector<std::string> CallsSince(size_t mark, const std::string& api,
                                      const std::vector<std::string>& methods) const {
    std::vector<std::string> calls;
    const std::vector<LogEntry> entries = standins_.StandinLog();
    for (size_t index = mark; index < entries.size(); ++index) {
      const LogEntry& entry = entries[index];
      if (entry.api != api) continue;
      for (const std::string& method : methods) {
        if (entry.method == method) calls.push_back(entry.method + " " + entry.arguments);
      }
    }
    return calls;
  }

  static VoiceSlot SlotOf(const wchar_t* voice, int family, int speed, int pitch, int volume) {
    return {.voiceName = voice, .family = family, .speed = speed, .pitch = pitch, .volume = volume};
  }

  static TVoicePicker& Picker(MainFormProbe& frmMain) { return frmMain.SpeechPage().Picker(); }

  // The entry chosen in the list, with its change handled as a click would.
  static void Choose(TVoicePicker& picker, int entry) {
    picker.SetEntry(entry);
    picker.OnListChange(entry, entry);
  }

  // A click on a tab, as the tab control reports it.
  static void ClickTab(MainFormProbe& frmMain, OptionsPage page) {
    HWND tabs = GetDlgItem(frmMain.Handle(), IDC_PAGES);
    TabCtrl_SetCurSel(tabs, page);
    NMHDR change{tabs, IDC_PAGES, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(frmMain.Handle(), WM_NOTIFY, IDC_PAGES, reinterpret_cast<LPARAM>(&change));
  }

  // The entry chosen and drawn; then clicks on the tabs leave the page and
  // turn back to it, which arms the guard.
  static void ChosenThenGuarded(MainFormProbe& frmMain, int entry) {
    TVoicePicker& picker = Picker(frmMain);
    Choose(picker, entry);
    Redraw(picker);
    ClickTab(frmMain, kPronunciationPage);
    EXPECT_FALSE(IsWindowVisible(picker.List().Handle()));
    ClickTab(frmMain, kSpeechPage);
  }

  static void Redraw(const TVoicePicker& picker) {
    RedrawWindow(picker.List().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }

  // A click of the mouse on the entry, then the list drawn again.
  static void Click(const TVoicePicker& picker, int entry) {
    ClickListItem(picker.List().Handle(), entry);
    Redraw(picker);
  }

  // What an engine set up for a voice is handed: its selection, then a tag a value.
  static std::vector<std::string> EngineSetUp(Engines& engines, int speed, int pitch, int volume) {
    return {"Select " + engines.Sapi4().EngineInfo().ModeID, "Inject " + Quoted(SpeedTag(speed)),
            "Inject " + Quoted(PitchTag(pitch)), "Inject " + Quoted(VolumeTag(volume))};
  }

  static void SetPositions(TVoicePicker& picker, int speed, int pitch, int volume) {
    picker.SpeedBar().SetPosition(speed);
    picker.PitchBar().SetPosition(pitch);
    picker.VolumeBar().SetPosition(volume);
  }
};

}  // namespace

// The catalogue lists the engines first. Building it again starts on the
// first SAPI 5 voice whatever was selected, or on the first engine when there
// is none; without engines every entry is a SAPI 5 voice of the same index.
TEST_F(DefaultVoiceTest, TheCatalogueListsEnginesFirstAndStartsOnTheFirstSapi5Voice) {
  struct Case {
    const char* standins;
    std::vector<std::wstring> entries;
    int start;
    int slowest;
  };
  const Case cases[] = {
      {kNamingEngines,
       {L"Mary", L"Mode A", L"Mike", L"Broken Mode", L"Anna (SAPI5)", L"Bert (SAPI5)"},
       4,
       -10},
      {kEnginesOnly, {L"Ann", L"Bob"}, 0, 50},
      {kVoicesOnly, {L"Anna (SAPI5)", L"Bert (SAPI5)"}, 0, -10},
  };
  MainFormProbe* frmMain = nullptr;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.standins);
    frmMain = &CreateMainForm(c.standins);
    TVoicePicker& picker = Picker(*frmMain);
    picker.SetEntry(1);
    frmMain->SpeechPage().LoadVoicesList();
    EXPECT_EQ(picker.Entries(), c.entries);
    EXPECT_EQ(picker.Entry(), c.start);
    EXPECT_EQ(picker.ShowsSapi5Voice(), c.entries[c.start].ends_with(L"(SAPI5)"));
    EXPECT_EQ(picker.SpeedBar().Min(), c.slowest);
  }
  Choose(Picker(*frmMain), 1);
  const size_t mark = LogMark();
  frmMain->ReadingControl().SelectDefaultVoice();
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Voice"}),
            std::vector<std::string>{"put_Voice \"Bert\""});
}

// The value boxes show SAPI 5 positions scaled and engine positions as they
// are. A list without a selection is handled as the first entry.
TEST_F(DefaultVoiceTest, TheSlidersTakeTheRangesAndStartValuesOfTheChosenFamily) {
  MainFormProbe& frmMain = CreateMainForm();
  TVoicePicker& picker = Picker(frmMain);
  Choose(picker, kVoiceAlpha);
  EXPECT_TRUE(picker.ShowsSapi5Voice());
  EXPECT_EQ(Sliders(picker),
            (std::vector<std::wstring>{L"-10..10 at -3: 135", L"-10..10 at -5: 105",
                                       L"0..100 at 100: 100"}));

  // From a SAPI 5 voice to an engine whose slowest speed is above the SAPI 5
  // range: the range is the engine's exactly, and so are the values.
  const size_t mark = LogMark();
  Choose(picker, kAnn);
  EXPECT_FALSE(picker.ShowsSapi5Voice());
  EXPECT_EQ(Sliders(picker),
            (std::vector<std::wstring>{L"50..250 at 150: 150", L"80..160 at 120: 120",
                                       L"0..100 at 100: 100"}));
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Rate", "put_Volume"}), std::vector<std::string>{});

  // And back: the voice gets its start rate and volume, the sliders theirs.
  const size_t back = LogMark();
  Choose(picker, kVoiceAlpha);
  EXPECT_EQ(CallsSince(back, "sapi5", {"put_Rate", "put_Volume", "put_Voice"}),
            (std::vector<std::string>{"put_Rate -2", "put_Volume 100"}));
  EXPECT_EQ(Sliders(picker)[0], L"-10..10 at -3: 135");

  SetPositions(picker, -10, 10, 37);
  EXPECT_EQ(Boxes(picker), (std::vector<std::wstring>{L"30", L"330", L"37"}));
  Choose(picker, kBob);
  SetPositions(picker, 240, 150, 70);
  EXPECT_EQ(Boxes(picker), (std::vector<std::wstring>{L"240", L"150", L"70"}));

  picker.SetEntry(-1);
  picker.OnListChange(kVoiceAlpha, -1);
  EXPECT_EQ(picker.Entry(), kAnn);
  EXPECT_EQ(frmMain.SpeechEngines().Sapi4().EngineInfo().ModeName, "Engine Mode One");
  EXPECT_EQ(Sliders(picker)[0], L"50..250 at 150: 150");
}

TEST_F(DefaultVoiceTest, TheDefaultVoiceGetsTheEntryAndTheSliderPositions) {
  MainFormProbe& frmMain = CreateMainForm();
  TVoicePicker& picker = Picker(frmMain);
  Choose(picker, kVoiceBeta);
  SetPositions(picker, 4, 3, 55);
  size_t mark = LogMark();
  frmMain.ReadingControl().SelectDefaultVoice();
  EXPECT_EQ(
      CallsSince(mark, "sapi5", {"GetVoices", "put_Voice", "put_Rate", "put_Volume", "Speak"}),
      (std::vector<std::string>{"GetVoices \"\" \"\"", "put_Voice \"Voice Beta\"", "put_Rate 4",
                                "put_Volume 55"}));

  Choose(picker, kBob);
  SetPositions(picker, 240, 150, 50);
  mark = LogMark();
  frmMain.ReadingControl().SelectDefaultVoice();
  EXPECT_EQ(frmMain.SpeechEngines().Sapi4().EngineInfo().ModeName, "Engine Mode Two");
  EXPECT_EQ(CallsSince(mark, "sapi4", {"Select", "Inject", "TextData"}),
            EngineSetUp(frmMain.SpeechEngines(), 240, 150, 50));
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Voice", "put_Rate", "put_Volume"}),
            std::vector<std::string>{});
}

TEST_F(DefaultVoiceTest, TheTestButtonsPurgeThenSpeakTheBoxTheSentenceOrTheRowAtTheSliderPitch) {
  MainFormProbe& frmMain = CreateMainForm();
  TSpeechPage& page = frmMain.SpeechPage();
  Choose(page.Picker(), kVoiceAlpha);
  page.Picker().PitchBar().SetPosition(-4);
  SetDlgItemTextW(page.Handle(), IDC_TEST_TEXT, L"");
  size_t mark = LogMark();
  page.OnTest();
  EXPECT_EQ(
      CallsSince(mark, "sapi5", {"put_Voice", "Speak"}),
      (std::vector<std::string>{
          "put_Voice \"Voice Alpha\"", "Speak \"\" 2",
          "Speak " + Quoted("<pitch middle=\"-4\">This is a test for selected voice.") + " 1"}));
  EXPECT_EQ(frmMain.ReadingControl().PitchPrefix(), L"<pitch middle=\"-4\">");

  SetDlgItemTextW(page.Handle(), IDC_TEST_TEXT, L"Hello there");
  mark = LogMark();
  page.OnTest();
  EXPECT_EQ(CallsSince(mark, "sapi5", {"Speak"}),
            (std::vector<std::string>{
                "Speak \"\" 2", "Speak " + Quoted("<pitch middle=\"-4\">Hello there") + " 1"}));

  // An engine is handed the text as lines.
  Choose(page.Picker(), kAnn);
  SetDlgItemTextW(page.Handle(), IDC_TEST_TEXT, L"One\r\ntwo");
  mark = LogMark();
  page.OnTest();
  const std::vector<std::string> handedOver = CallsSince(mark, "sapi4", {"TextData"});
  ASSERT_EQ(handedOver.size(), 1u);
  EXPECT_TRUE(handedOver[0].starts_with(R"(TextData 0 0 "One\r\ntwo\r\n" 11)")) << handedOver[0];
  EXPECT_EQ(CallsSince(mark, "sapi5", {"Speak"}), std::vector<std::string>{});

  // The pronunciation page's test speaks the selected row's pronunciation
  // with the default voice, and nothing while no row is selected.
  Choose(page.Picker(), kVoiceBeta);
  page.Picker().PitchBar().SetPosition(2);
  TPronunciationPage& words = frmMain.PronunciationPage();
  ReplaceWholeFile(files_.words,
                   "SAPI###***###sappy###***###Yes\r\nGUI###***###gooey###***###No\r\n");
  words.RestoreWords();
  mark = LogMark();
  words.OnTestCorrection();
  EXPECT_EQ(CallsSince(mark, "sapi5", {"Speak"}), std::vector<std::string>{});
  ListView_SetItemState(words.Table(), 1, LVIS_SELECTED, LVIS_SELECTED);
  mark = LogMark();
  words.OnTestCorrection();
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Voice", "Speak"}),
            (std::vector<std::string>{"put_Voice \"Voice Beta\"", "Speak \"\" 2",
                                      "Speak " + Quoted("<pitch middle=\"2\">gooey") + " 1"}));
}

TEST_F(DefaultVoiceTest, ASlotGetsItsStoredValuesOnTheEngineScaleOrTheEnginesNearerBound) {
  Engines& engines = CreateMainForm().SpeechEngines();
  const size_t mark = LogMark();
  std::wstring pitchPrefix;
  for (int speed : {135, 30, 330}) {
    pitchPrefix = engines.SelectSlotVoice(SlotOf(L"voice BETA", kSapi5Family, speed, 30, 80));
  }
  EXPECT_EQ(pitchPrefix, L"<pitch middle=\"-10\">");
  // Nothing is clamped before the voice: a stored 0 hands it a rate of -12,
  // which it takes like any other.
  pitchPrefix = engines.SelectSlotVoice(SlotOf(L"Voice Alpha", kSapi5Family, 0, 330, 80));
  EXPECT_EQ(
      CallsSince(mark, "sapi5", {"put_Rate"}),
      (std::vector<std::string>{"put_Rate -3", "put_Rate -10", "put_Rate 10", "put_Rate -12"}));
  // The voice is looked up ignoring letter case, and set before the rate.
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Voice"}),
            (std::vector<std::string>{"put_Voice \"Voice Beta\"", "put_Voice \"Voice Beta\"",
                                      "put_Voice \"Voice Beta\"", "put_Voice \"Voice Alpha\""}));
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Volume"}).size(), 4u);
  EXPECT_EQ(pitchPrefix, L"<pitch middle=\"10\">");

  // Values off the grid of 15 go to the nearer step.
  EXPECT_EQ(engines.SelectSlotVoice(SlotOf(L"Voice Alpha", kSapi5Family, 173, 188, 64)),
            L"<pitch middle=\"1\">");
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Rate"}).back(), "put_Rate 0");
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Volume"}).back(), "put_Volume 64");

  // An engine refuses what lies outside its bounds and keeps its own value:
  // stored values beyond them come to the nearer bound instead. A slot whose
  // voice is gone fails before any value is set.
  const auto injected = [&](VoiceSlot slot) {
    const size_t before = LogMark();
    engines.SelectSlotVoice(slot);
    return CallsSince(before, "sapi4", {"Select", "Inject"});
  };
  EXPECT_EQ(injected(SlotOf(L"bob", kSapi4Family, 240, 150, 70)),
            EngineSetUp(engines, 240, 150, 70));
  EXPECT_EQ(engines.Sapi4().EngineInfo().ModeName, "Engine Mode Two");
  EXPECT_EQ(injected(SlotOf(L"Bob", kSapi4Family, 400, -5, 150)),
            EngineSetUp(engines, 300, 40, 100));

  const size_t gone = LogMark();
  EXPECT_ANY_THROW(engines.SelectSlotVoice(SlotOf(L"Gone", kSapi5Family, 135, 105, 100)));
  EXPECT_ANY_THROW(engines.SelectSlotVoice(SlotOf(L"Gone", kSapi4Family, 135, 105, 100)));
  EXPECT_EQ(CallsSince(gone, "sapi5", {"put_Voice", "put_Rate", "put_Volume"}),
            std::vector<std::string>{});
  EXPECT_EQ(CallsSince(gone, "sapi4", {"Inject"}), std::vector<std::string>{});
}

// A page change arms the guard (Ctrl+Tab's is OptionsWindowTest's); keys
// then move the selection on the drawn page without touching sliders or
// engines, and the first click lets the clicked entry through.
TEST_F(DefaultVoiceTest, WhileTheGuardIsArmedOnlyAClickChangesSlidersAndEngine) {
  MainFormProbe& frmMain = CreateMainForm();
  frmMain.ShowMainWindow();
  ASSERT_TRUE(PumpApplicationUntil([&] { return frmMain.Visible(); }));
  frmMain.Pages().SetActivePage(kSpeechPage);
  TVoicePicker& picker = Picker(frmMain);
  ChosenThenGuarded(frmMain, kBob);
  const std::vector<std::wstring> sliders = Sliders(picker);
  ASSERT_EQ(picker.SpeedBar().Min(), 20);

  const size_t mark = LogMark();
  SendMessageW(picker.List().Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Redraw(picker);
  application_.ProcessMessages();
  ASSERT_EQ(picker.Entry(), kVoiceAlpha);
  EXPECT_EQ(Sliders(picker), sliders);
  EXPECT_FALSE(picker.ShowsSapi5Voice());
  EXPECT_TRUE(picker.GuardArmed());
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Rate", "put_Volume"}), std::vector<std::string>{});
  EXPECT_EQ(CallsSince(mark, "sapi4", {"Select", "Inject"}), std::vector<std::string>{});

  Click(picker, kVoiceBeta);
  EXPECT_FALSE(picker.GuardArmed());
  EXPECT_EQ(picker.Entry(), kVoiceBeta);
  EXPECT_TRUE(picker.ShowsSapi5Voice());
  EXPECT_EQ(Sliders(picker)[0], L"-10..10 at -3: 135");
  // Voice Alpha, where the keys left the selection, and then Voice Beta.
  EXPECT_EQ(
      CallsSince(mark, "sapi5", {"put_Rate", "put_Volume"}),
      (std::vector<std::string>{"put_Rate -2", "put_Volume 100", "put_Rate -2", "put_Volume 100"}));

  // A click on the entry the keys chose sends no report, yet the sliders
  // must stop showing the engine they were set up for.
  ChosenThenGuarded(frmMain, kBob);
  SendMessageW(picker.List().Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Redraw(picker);
  ASSERT_FALSE(picker.ShowsSapi5Voice());
  Click(picker, kVoiceAlpha);
  EXPECT_TRUE(picker.ShowsSapi5Voice());
  EXPECT_EQ(Sliders(picker)[0], L"-10..10 at -3: 135");

  // Keys moved the selection from a SAPI 5 voice to an engine: the sliders
  // still hold SAPI 5 positions when the default voice is applied. Speed -3
  // must not reach the engine as 4294967293, which it would refuse, or clamp
  // to its fastest.
  ChosenThenGuarded(frmMain, kVoiceAlpha);
  SendMessageW(picker.List().Handle(), WM_KEYDOWN, VK_UP, 0);
  Redraw(picker);
  ASSERT_EQ(picker.Entry(), kBob);
  ASSERT_EQ(Sliders(picker)[0], L"-10..10 at -3: 135");
  const size_t applied = LogMark();
  frmMain.ReadingControl().SelectDefaultVoice();
  EXPECT_EQ(CallsSince(applied, "sapi4", {"Select", "Inject"}),
            EngineSetUp(frmMain.SpeechEngines(), 20, 40, 100));
}
