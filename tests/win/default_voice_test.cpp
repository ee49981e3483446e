// The voice catalogue of a whole main window and the default voice's way to
// the stand-in engines: the order and names of the entries, the sliders and
// value boxes of each family, what reaches the engines, and the list guard.
// What the voice picker does by itself is tried in a window of the test's
// own.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "base/window_thunk.h"
#include "settings/file_replace.h"
#include "speech/sapi4_tags.h"
#include "speech/voice_catalogue.h"
#include "tests/support/standin_log_quoting.h"
#include "tests/support/window_class.h"
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

struct SliderState {
  int min;
  int max;
  int position;
  std::wstring box;
  bool operator==(const SliderState&) const = default;
};

void PrintTo(const SliderState& state, std::ostream* out) {
  *out << state.min << ".." << state.max << " at " << state.position << " box "
       << speech_test::Utf8(state.box);
}

SliderState StateOf(const TrackBar& bar, const EditBox& box) {
  return {bar.Min(), bar.Max(), bar.Position(), box.Text()};
}

// A window of the test's own holding one voice picker, as the slot editor
// holds one: it passes the picker's messages on and knows nothing else.
class PickerHost {
 public:
  explicit PickerHost(Engines& engines) : picker_(engines) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass(L"VoicePickerHost", WindowThunk<PickerHost>);
    CreateWindowExW(WS_EX_TOOLWINDOW, L"VoicePickerHost", L"", WS_POPUP, 0, 0, 420, 200, nullptr,
                    nullptr, instance, this);
    auto child = [&](const wchar_t* className, DWORD style, int x, int y, int width, int height) {
      return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                             window_, nullptr, instance, nullptr);
    };
    HWND list = child(L"LISTBOX",
                      WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY |
                          LBS_NOINTEGRALHEIGHT,
                      0, 0, 180, 180);
    picker_.Attach(
        {list, child(TRACKBAR_CLASSW, 0, 190, 0, 160, 30),
         child(TRACKBAR_CLASSW, 0, 190, 40, 160, 30), child(TRACKBAR_CLASSW, 0, 190, 80, 160, 30),
         child(L"EDIT", ES_READONLY, 360, 0, 50, 20), child(L"EDIT", ES_READONLY, 360, 40, 50, 20),
         child(L"EDIT", ES_READONLY, 360, 80, 50, 20)});
    picker_.SetEntries(engines.Catalogue());
  }
  ~PickerHost() { DestroyWindow(window_); }
  PickerHost(const PickerHost&) = delete;
  PickerHost& operator=(const PickerHost&) = delete;

  void Attach(HWND window) { window_ = window; }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (picker_.HandleMessage(message, wParam, lParam, result)) return result;
    return DefWindowProcW(window_, message, wParam, lParam);
  }

  TVoicePicker& Picker() { return picker_; }
  void Show() const { ShowWindow(window_, SW_SHOWNOACTIVATE); }

 private:
  HWND window_ = nullptr;
  TVoicePicker picker_;
};

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

  // The entry chosen and drawn, the guard then armed as a page change arms it.
  static void ChosenThenGuarded(TVoicePicker& picker, int entry) {
    Choose(picker, entry);
    Redraw(picker);
    picker.ArmGuard();
  }

  // The window shown on the "Default voice" page, the entry chosen and guarded.
  MainFormProbe& ShownWithThenGuarded(int entry) {
    MainFormProbe& frmMain = CreateMainForm();
    frmMain.ShowMainWindow();
    EXPECT_TRUE(PumpApplicationUntil([&] { return frmMain.Visible(); }));
    frmMain.Pages().SetActivePage(kSpeechPage);
    ChosenThenGuarded(Picker(frmMain), entry);
    return frmMain;
  }

  // A picker of the test's own over the stand-ins' catalogue, hidden: the
  // list reports nothing until it is shown.
  TVoicePicker& OwnPicker(const std::string& standinConfig = main_form_test::kBothFamilies) {
    host_ = std::make_unique<PickerHost>(LoadEngines(standinConfig));
    return host_->Picker();
  }

  // Shown: the list draws, and reports, as soon as its selection moves.
  TVoicePicker& ShownPicker() {
    TVoicePicker& picker = OwnPicker();
    host_->Show();
    return picker;
  }

  static void Redraw(const TVoicePicker& picker) {
    RedrawWindow(picker.List().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }

  // A click of the mouse on the entry, then the list drawn again.
  static void Click(const TVoicePicker& picker, int entry) {
    HWND list = picker.List().Handle();
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, entry, reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(list, WM_LBUTTONUP, 0, point);
    Redraw(picker);
  }

  std::string SelectedModeId(Engines& engines) const { return engines.Sapi4().EngineInfo().ModeID; }

  // Both engine families with the stand-ins' catalogue, without a window.
  Engines& LoadEngines(const std::string& standinConfig = main_form_test::kBothFamilies) {
    standins_.WriteConfig(standinConfig);
    engines_ = std::make_unique<Engines>();
    engines_->DetectRuntimes();
    engines_->LoadCatalogue();
    return *engines_;
  }

  void TearDown() override {
    host_.reset();
    MainFormFixture::TearDown();
  }

  std::unique_ptr<Engines> engines_;
  // After the engines, which it uses.
  std::unique_ptr<PickerHost> host_;

  static void SetPositions(TVoicePicker& picker, int speed, int pitch, int volume) {
    picker.SpeedBar().SetPosition(speed);
    picker.PitchBar().SetPosition(pitch);
    picker.VolumeBar().SetPosition(volume);
  }

  static void SelectRow(HWND table, int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = row < 0 ? 0 : LVIS_SELECTED;
    SendMessageW(table, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  }

  static EditBox TestTextBox(const TSpeechPage& page) {
    return EditBox(GetDlgItem(page.Handle(), IDC_TEST_TEXT));
  }
};

}  // namespace

TEST_F(DefaultVoiceTest, TheCatalogueListsEnginesFirstAndStartsOnTheFirstSapi5Voice) {
  MainFormProbe& frmMain = CreateMainForm(kNamingEngines);
  TVoicePicker& picker = Picker(frmMain);
  EXPECT_EQ(picker.Entries(),
            (std::vector<std::wstring>{L"Mary", L"Mode A", L"Mike", L"Broken Mode", L"Anna (SAPI5)",
                                       L"Bert (SAPI5)"}));
  EXPECT_EQ(frmMain.SpeechEngines().Sapi4EngineCount(), 4);
  // Building again starts on the first SAPI 5 voice whatever was selected.
  picker.SetEntry(1);
  frmMain.SpeechPage().LoadVoicesList();
  EXPECT_EQ(picker.Count(), 6);
  EXPECT_EQ(picker.Entry(), 4);
  EXPECT_TRUE(picker.ShowsSapi5Voice());
  EXPECT_EQ(picker.SpeedBar().Min(), -10);
}

TEST_F(DefaultVoiceTest, WithoutSapi5VoicesTheCatalogueStartsOnTheFirstEngine) {
  MainFormProbe& frmMain = CreateMainForm(kEnginesOnly);
  ASSERT_FALSE(frmMain.SpeechEngines().Sapi5Available());
  TVoicePicker& picker = Picker(frmMain);
  picker.SetEntry(1);
  frmMain.SpeechPage().LoadVoicesList();
  EXPECT_EQ(picker.Entries(), (std::vector<std::wstring>{L"Ann", L"Bob"}));
  EXPECT_EQ(picker.Entry(), 0);
  EXPECT_FALSE(picker.ShowsSapi5Voice());
  EXPECT_EQ(frmMain.SpeechEngines().Sapi4().EngineInfo().ModeName, "Engine Mode One");
  EXPECT_EQ(picker.SpeedBar().Min(), 50);
  EXPECT_EQ(picker.SpeedBar().Max(), 250);
}

TEST_F(DefaultVoiceTest, WithoutSapi4EnginesEveryEntryIsASapi5VoiceOfTheSameIndex) {
  MainFormProbe& frmMain = CreateMainForm(kVoicesOnly);
  EXPECT_EQ(frmMain.SpeechEngines().Sapi4EngineCount(), 0);
  TVoicePicker& picker = Picker(frmMain);
  EXPECT_EQ(picker.Entries(), (std::vector<std::wstring>{L"Anna (SAPI5)", L"Bert (SAPI5)"}));
  EXPECT_EQ(picker.Entry(), 0);
  EXPECT_TRUE(picker.ShowsSapi5Voice());

  Choose(picker, 1);
  const size_t mark = LogMark();
  frmMain.ReadingControl().SelectDefaultVoice();
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Voice"}),
            std::vector<std::string>{"put_Voice \"Bert\""});
}

TEST_F(DefaultVoiceTest, TheSlidersTakeTheRangesAndStartValuesOfTheChosenFamily) {
  TVoicePicker& picker = OwnPicker(
      "sapi4.engine = Fast Engine | Fe | 100..300 | 80..160\n"
      "sapi5.voice = Anna\n");
  Choose(picker, 1);
  EXPECT_TRUE(picker.ShowsSapi5Voice());
  EXPECT_EQ(StateOf(picker.SpeedBar(), picker.SpeedBox()), (SliderState{-10, 10, -3, L"135"}));
  EXPECT_EQ(StateOf(picker.PitchBar(), picker.PitchBox()), (SliderState{-10, 10, -5, L"105"}));
  EXPECT_EQ(StateOf(picker.VolumeBar(), picker.VolumeBox()), (SliderState{0, 100, 100, L"100"}));

  // From a SAPI 5 voice to an engine whose slowest speed is above the SAPI 5
  // range: the range is the engine's exactly, and so are the values.
  const size_t mark = LogMark();
  Choose(picker, 0);
  EXPECT_FALSE(picker.ShowsSapi5Voice());
  EXPECT_EQ(StateOf(picker.SpeedBar(), picker.SpeedBox()), (SliderState{100, 300, 200, L"200"}));
  EXPECT_EQ(StateOf(picker.PitchBar(), picker.PitchBox()), (SliderState{80, 160, 120, L"120"}));
  EXPECT_EQ(StateOf(picker.VolumeBar(), picker.VolumeBox()), (SliderState{0, 100, 100, L"100"}));
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Rate", "put_Volume"}), std::vector<std::string>{});

  // And back: the voice gets its start rate and volume, the sliders theirs.
  const size_t back = LogMark();
  Choose(picker, 1);
  EXPECT_EQ(CallsSince(back, "sapi5", {"put_Rate", "put_Volume", "put_Voice"}),
            (std::vector<std::string>{"put_Rate -2", "put_Volume 100"}));
  EXPECT_EQ(StateOf(picker.SpeedBar(), picker.SpeedBox()), (SliderState{-10, 10, -3, L"135"}));
}

TEST_F(DefaultVoiceTest, TheValueBoxesShowSapi5PositionsScaledAndEnginePositionsAsTheyAre) {
  TVoicePicker& picker = OwnPicker();
  Choose(picker, kVoiceAlpha);
  SetPositions(picker, -10, 10, 37);
  EXPECT_EQ(picker.SpeedBox().Text(), L"30");
  EXPECT_EQ(picker.PitchBox().Text(), L"330");
  EXPECT_EQ(picker.VolumeBox().Text(), L"37");
  picker.SpeedBar().SetPosition(0);
  EXPECT_EQ(picker.SpeedBox().Text(), L"180");

  Choose(picker, kBob);
  SetPositions(picker, 240, 150, 70);
  EXPECT_EQ(picker.SpeedBox().Text(), L"240");
  EXPECT_EQ(picker.PitchBox().Text(), L"150");
  EXPECT_EQ(picker.VolumeBox().Text(), L"70");
}

TEST_F(DefaultVoiceTest, AListWithoutASelectionIsHandledAsTheFirstEntry) {
  TVoicePicker& picker = OwnPicker();
  picker.SetEntry(-1);
  picker.OnListChange(kVoiceAlpha, -1);
  EXPECT_EQ(picker.Entry(), kAnn);
  EXPECT_EQ(engines_->Sapi4().EngineInfo().ModeName, "Engine Mode One");
  EXPECT_EQ(StateOf(picker.SpeedBar(), picker.SpeedBox()), (SliderState{50, 250, 150, L"150"}));
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
  EXPECT_EQ(
      CallsSince(mark, "sapi4", {"Select", "Inject", "TextData"}),
      (std::vector<std::string>{
          "Select " + SelectedModeId(frmMain.SpeechEngines()), "Inject " + Quoted(SpeedTag(240)),
          "Inject " + Quoted(PitchTag(150)), "Inject " + Quoted(VolumeTag(50))}));
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Voice", "put_Rate", "put_Volume"}),
            std::vector<std::string>{});
}

TEST_F(DefaultVoiceTest, TheTestButtonSpeaksTheBoxOrTheStandardSentenceAtTheSliderPitchOrAsLines) {
  MainFormProbe& frmMain = CreateMainForm();
  TSpeechPage& page = frmMain.SpeechPage();
  Choose(page.Picker(), kVoiceAlpha);
  page.Picker().PitchBar().SetPosition(-4);
  TestTextBox(page).SetText(L"");
  size_t mark = LogMark();
  page.OnTest();
  EXPECT_EQ(
      CallsSince(mark, "sapi5", {"put_Voice", "Speak"}),
      (std::vector<std::string>{
          "put_Voice \"Voice Alpha\"", "Speak \"\" 2",
          "Speak " + Quoted("<pitch middle=\"-4\">This is a test for selected voice.") + " 1"}));
  EXPECT_EQ(frmMain.ReadingControl().PitchPrefix(), L"<pitch middle=\"-4\">");

  TestTextBox(page).SetText(L"Hello there");
  mark = LogMark();
  page.OnTest();
  EXPECT_EQ(CallsSince(mark, "sapi5", {"Speak"}),
            (std::vector<std::string>{
                "Speak \"\" 2", "Speak " + Quoted("<pitch middle=\"-4\">Hello there") + " 1"}));

  // An engine is handed the text as lines.
  Choose(page.Picker(), kAnn);
  TestTextBox(page).SetText(L"One\r\ntwo");
  mark = LogMark();
  page.OnTest();
  const std::vector<std::string> handedOver = CallsSince(mark, "sapi4", {"TextData"});
  ASSERT_EQ(handedOver.size(), 1u);
  EXPECT_TRUE(handedOver[0].starts_with(R"(TextData 0 0 "One\r\ntwo\r\n" 11)")) << handedOver[0];
  EXPECT_EQ(CallsSince(mark, "sapi5", {"Speak"}), std::vector<std::string>{});
}

TEST_F(DefaultVoiceTest, ThePronunciationTestSpeaksTheSelectedRowsPronunciation) {
  MainFormProbe& frmMain = CreateMainForm();
  Choose(Picker(frmMain), kVoiceBeta);
  Picker(frmMain).PitchBar().SetPosition(2);
  TPronunciationPage& page = frmMain.PronunciationPage();
  ReplaceWholeFile(files_.words,
                   "SAPI###***###sappy###***###Yes\r\nGUI###***###gooey###***###No\r\n");
  page.RestoreWords();

  size_t mark = LogMark();
  page.OnTestCorrection();
  EXPECT_EQ(CallsSince(mark, "sapi5", {"Speak"}), std::vector<std::string>{})
      << "no row is selected";

  SelectRow(page.Table(), 1);
  mark = LogMark();
  page.OnTestCorrection();
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Voice", "Speak"}),
            (std::vector<std::string>{"put_Voice \"Voice Beta\"", "Speak \"\" 2",
                                      "Speak " + Quoted("<pitch middle=\"2\">gooey") + " 1"}));
}

TEST_F(DefaultVoiceTest, ASapi5SlotGetsItsStoredValuesBackOnTheEngineScale) {
  Engines& engines = LoadEngines();
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
}

TEST_F(DefaultVoiceTest, ASapi4SlotGetsItsStoredValuesAsTheyAre) {
  Engines& engines = LoadEngines();
  const size_t mark = LogMark();
  engines.SelectSlotVoice(SlotOf(L"bob", kSapi4Family, 240, 150, 70));
  EXPECT_EQ(engines.Sapi4().EngineInfo().ModeName, "Engine Mode Two");
  EXPECT_EQ(CallsSince(mark, "sapi4", {"Select", "Inject"}),
            (std::vector<std::string>{
                "Select " + SelectedModeId(engines), "Inject " + Quoted(SpeedTag(240)),
                "Inject " + Quoted(PitchTag(150)), "Inject " + Quoted(VolumeTag(70))}));
}

// An engine refuses what lies outside its bounds and keeps its own value:
// stored values beyond them come to the nearer bound instead.
TEST_F(DefaultVoiceTest, ASapi4SlotsValuesBeyondTheEnginesBoundsComeToTheNearerBound) {
  Engines& engines = LoadEngines();
  const size_t mark = LogMark();
  engines.SelectSlotVoice(SlotOf(L"Bob", kSapi4Family, 400, -5, 150));
  EXPECT_EQ(
      CallsSince(mark, "sapi4", {"Inject"}),
      (std::vector<std::string>{"Inject " + Quoted(SpeedTag(300)), "Inject " + Quoted(PitchTag(40)),
                                "Inject " + Quoted(VolumeTag(100))}));
  EXPECT_EQ(engines.Sapi4().GetSpeed(), 300u);
  EXPECT_EQ(engines.Sapi4().GetPitch(), 40u);
  EXPECT_EQ(engines.Sapi4().GetVolume(), 100u);
}

TEST_F(DefaultVoiceTest, ASlotWhoseVoiceIsGoneFailsBeforeAnyValueIsSet) {
  Engines& engines = LoadEngines();
  const size_t mark = LogMark();
  EXPECT_ANY_THROW(engines.SelectSlotVoice(SlotOf(L"Gone", kSapi5Family, 135, 105, 100)));
  EXPECT_ANY_THROW(engines.SelectSlotVoice(SlotOf(L"Gone", kSapi4Family, 135, 105, 100)));
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Voice", "put_Rate", "put_Volume"}),
            std::vector<std::string>{});
  EXPECT_EQ(CallsSince(mark, "sapi4", {"Inject"}), std::vector<std::string>{});
}

// A page change arms the guard; keys then move the selection on the drawn
// page without touching sliders or engines, and the first click lets the
// clicked entry through.
TEST_F(DefaultVoiceTest, WhileTheGuardIsArmedOnlyAClickChangesSlidersAndEngine) {
  TVoicePicker& picker = ShownPicker();
  ChosenThenGuarded(picker, kBob);
  const SliderState speed = StateOf(picker.SpeedBar(), picker.SpeedBox());
  ASSERT_EQ(speed.min, 20);

  const size_t mark = LogMark();
  SendMessageW(picker.List().Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Redraw(picker);
  application_.ProcessMessages();
  ASSERT_EQ(picker.Entry(), kVoiceAlpha);
  EXPECT_EQ(StateOf(picker.SpeedBar(), picker.SpeedBox()), speed);
  EXPECT_FALSE(picker.ShowsSapi5Voice());
  EXPECT_TRUE(picker.GuardArmed());
  EXPECT_EQ(CallsSince(mark, "sapi5", {"put_Rate", "put_Volume"}), std::vector<std::string>{});
  EXPECT_EQ(CallsSince(mark, "sapi4", {"Select", "Inject"}), std::vector<std::string>{});

  Click(picker, kVoiceBeta);
  EXPECT_FALSE(picker.GuardArmed());
  EXPECT_EQ(picker.Entry(), kVoiceBeta);
  EXPECT_TRUE(picker.ShowsSapi5Voice());
  EXPECT_EQ(StateOf(picker.SpeedBar(), picker.SpeedBox()), (SliderState{-10, 10, -3, L"135"}));
  // Voice Alpha, where the keys left the selection, and then Voice Beta.
  EXPECT_EQ(
      CallsSince(mark, "sapi5", {"put_Rate", "put_Volume"}),
      (std::vector<std::string>{"put_Rate -2", "put_Volume 100", "put_Rate -2", "put_Volume 100"}));
}

// Keys moved the selection from a SAPI 5 voice to an engine while the guard
// was armed: the sliders still hold SAPI 5 positions when the default voice
// is applied. Speed -3 must not reach the engine as 4294967293, which it
// would refuse, or clamp to its fastest.
TEST_F(DefaultVoiceTest, SlidersLeftOnASapi5VoiceGiveAnEngineItsNearerBounds) {
  MainFormProbe& frmMain = ShownWithThenGuarded(kVoiceAlpha);
  TVoicePicker& picker = Picker(frmMain);
  SendMessageW(picker.List().Handle(), WM_KEYDOWN, VK_UP, 0);
  Redraw(picker);
  ASSERT_EQ(picker.Entry(), kBob);
  ASSERT_EQ(StateOf(picker.SpeedBar(), picker.SpeedBox()), (SliderState{-10, 10, -3, L"135"}));

  const size_t mark = LogMark();
  frmMain.ReadingControl().SelectDefaultVoice();
  EXPECT_EQ(
      CallsSince(mark, "sapi4", {"Inject"}),
      (std::vector<std::string>{"Inject " + Quoted(SpeedTag(20)), "Inject " + Quoted(PitchTag(40)),
                                "Inject " + Quoted(VolumeTag(100))}));
  EXPECT_EQ(frmMain.SpeechEngines().Sapi4().GetSpeed(), 20u);
  EXPECT_EQ(frmMain.SpeechEngines().Sapi4().GetPitch(), 40u);
}

// Keys moved the selection while the guard was armed and the click lands on
// that same entry: no report comes, yet the sliders must stop showing the
// engine they were set up for.
TEST_F(DefaultVoiceTest, AClickOnTheEntryTheKeysChoseSetsItUp) {
  TVoicePicker& picker = ShownPicker();
  ChosenThenGuarded(picker, kBob);
  SendMessageW(picker.List().Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Redraw(picker);
  ASSERT_EQ(picker.Entry(), kVoiceAlpha);
  ASSERT_FALSE(picker.ShowsSapi5Voice());

  Click(picker, kVoiceAlpha);
  EXPECT_TRUE(picker.ShowsSapi5Voice());
  EXPECT_EQ(StateOf(picker.SpeedBar(), picker.SpeedBox()), (SliderState{-10, 10, -3, L"135"}));
}
