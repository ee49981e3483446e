// cfg.ini and the autostart value as the main window loads and saves them.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "base/program_folder.h"
#include "tests/support/autostart_value.h"
#include "tests/support/hotkey_probe_client.h"
#include "tests/support/window_class.h"
#include "tests/win/main_form_probe.h"
#include "ui/controls.h"

namespace {

class ConfigurationTest : public main_form_test::MainFormFixture {};

std::wstring SelectedVoice(const MainFormProbe& frmMain) {
  const TVoicePicker& picker = frmMain.SpeechPage().Picker();
  const int index = picker.Entry();
  return index < 0 ? L"<none>" : picker.EntryName(index);
}

TVoicePicker& Picker(MainFormProbe& frmMain) { return frmMain.SpeechPage().Picker(); }

const std::string kAnnOnly = "sapi4.engine = Engine Mode One | Ann | 50..250 | 80..160\n";

}  // namespace

// Every SAPI 5 voice is gone: the load still goes on to the hot keys.
TEST_F(ConfigurationTest, ALaterStartLeavesAutostartAsTheUserSetItAndReadsOddHotKeys) {
  WriteConfigText(
      "[General]\r\nFirstRun=0\r\nWelcomeDlg=1\r\nHotKey=abc\r\nOptHotKey=0x6041\r\n"
      "StopHotKey= 32813 \r\n[Speech]\r\nSAPIVersion=5\r\nVoice=Voice Beta\r\n");
  MainFormProbe& frmMain = CreateMainForm(kAnnOnly);
  EXPECT_EQ(AutostartValue(), L"<none>");
  EXPECT_FALSE(frmMain.GeneralPage().Autostart());
  EXPECT_FALSE(frmMain.FirstRun());
  EXPECT_FALSE(frmMain.ShowWelcome());
  EXPECT_TRUE(frmMain.StartMinimized());
  EXPECT_EQ(Picker(frmMain).Entry(), 0);
  EXPECT_TRUE(frmMain.Tray().Visible());
  EXPECT_EQ(frmMain.GeneralPage().Current().readingHotKey, 16392);
  EXPECT_TRUE(frmMain.DefaultHotKey().Registered());
  EXPECT_EQ(frmMain.GeneralPage().Current().optionsHotKey, 0x6041);  // Ctrl+Shift+A
  EXPECT_EQ(frmMain.GeneralPage().Current().stopHotKey, 32813);
  EXPECT_EQ(frmMain.OptionsHotKey().HotKey(), 0x6041);
  EXPECT_TRUE(frmMain.OptionsHotKey().Registered());
}

namespace {

// A saved default voice as the next start selects it and sets the sliders;
// a value the case does not give is not looked at.
struct SavedVoice {
  const char* name;
  std::string config;
  std::string standins;
  std::wstring voice;  // the selected entry
  std::optional<int> speed;
  std::wstring speedBox;
  std::optional<int> pitch;
  std::optional<int> volume;
};

const SavedVoice kSavedVoices[] = {
    {"UnsavedSapi5SpeedAndPitchStartFromTheirOwnDefaults",
     "[Speech]\r\nSAPIVersion=5\r\nVoice=Voice Beta\r\n", main_form_test::kBothFamilies,
     L"Voice Beta (SAPI5)", 0, L"180", -2, 100},
    // The stand-in engine starts in the middle of its bounds, at full volume.
    {"ValuesSavedForAFamilyThatIsGoneLeaveTheEngineItsOwn",
     "[Speech]\r\nSAPIVersion=5\r\nVoice=Voice Alpha\r\nSpeed=195\r\nPitch=180\r\nVolume=80\r\n",
     kAnnOnly, L"Ann", 150, L"150", 120, 100},
    {"SavedSapi5ValuesComeBackAsSliderPositions",
     "[Speech]\r\nSAPIVersion=5\r\nVoice=voice alpha\r\nSpeed=135\r\nPitch=330\r\nVolume=40\r\n",
     main_form_test::kBothFamilies, L"Voice Alpha (SAPI5)", -3, L"135", 10, 40},
    // The engine's own units stay whole: they are not cut to the SAPI 5 range
    // of the voice the catalogue started on.
    {"ASavedSapi4EngineGetsItsValuesInItsOwnRange",
     "[Speech]\r\nSAPIVersion=4\r\nVoice=Bob\r\nSpeed=240\r\nPitch=150\r\nVolume=70\r\n",
     main_form_test::kBothFamilies, L"Bob", 240, L"240", 150, 70},
    // The sliders stay as the voice list set them up for a SAPI 5 voice.
    {"AnUnknownFamilyLeavesTheSlidersAndLooksTheVoiceUpAsSapi5",
     "[Speech]\r\nSAPIVersion=7\r\nVoice=Voice Beta\r\nSpeed=30\r\n", main_form_test::kBothFamilies,
     L"Voice Beta (SAPI5)", -3, L"135", std::nullopt, std::nullopt},
    {"AVoiceThatIsGoneGivesTheFirstEntry", "[Speech]\r\nSAPIVersion=4\r\nVoice=Uninstalled\r\n",
     main_form_test::kBothFamilies, L"Ann", std::nullopt, L"", std::nullopt, std::nullopt},
};

class SavedVoiceTest : public main_form_test::MainFormFixture,
                       public ::testing::WithParamInterface<SavedVoice> {};

}  // namespace

TEST_P(SavedVoiceTest, TheNextStartSelectsItWithItsValues) {
  const SavedVoice& saved = GetParam();
  WriteConfigText(saved.config);
  MainFormProbe& frmMain = CreateMainForm(saved.standins);
  const TVoicePicker& picker = Picker(frmMain);
  EXPECT_EQ(SelectedVoice(frmMain), saved.voice);
  if (saved.speed) {
    EXPECT_EQ(picker.SpeedBar().Position(), *saved.speed);
    EXPECT_EQ(picker.SpeedBox().Text(), saved.speedBox);
  }
  if (saved.pitch) {
    EXPECT_EQ(picker.PitchBar().Position(), *saved.pitch);
  }
  if (saved.volume) {
    EXPECT_EQ(picker.VolumeBar().Position(), *saved.volume);
  }
}

INSTANTIATE_TEST_SUITE_P(Configuration, SavedVoiceTest, ::testing::ValuesIn(kSavedVoices),
                         [](const auto& info) { return std::string(info.param.name); });

// The autostart box decides the Run value at every save, and a SAPI 4 default
// is saved under its name and family; a later load leaves that engine alone.
TEST_F(ConfigurationTest, ASaveWritesEveryKeyInTheTidyLayoutAndTheAutostartBoxsValue) {
  MainFormProbe& frmMain = CreateMainForm();
  frmMain.GeneralPage().SetAutostart(false);
  frmMain.HotKeyField(IDC_READING_HOTKEY).SetValue(32813);
  PronunciationSettings pronunciation = frmMain.PronunciationPage().Current();
  pronunciation.ignoreCharacters = true;
  pronunciation.ignoredCharacters = L"#*";
  frmMain.PronunciationPage().Load(pronunciation);
  frmMain.SaveCfg();

  const std::string text = ConfigText();
  EXPECT_EQ(text.find("\r\n\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.rfind("[General]\r\n", 0), 0u) << text;
  for (const char* section : {"[Options_window]", "[Pronunciation]", "[Speech]"}) {
    EXPECT_NE(text.find(std::string("\r\r\n") + section + "\r\n"), std::string::npos) << section;
  }
  for (const char* entry :
       {"HotKey=32813\r\n", "OptHotKey=16506\r\n", "StopHotKey=16507\r\n", "MinimizeToTray=1\r\n",
        "IgnoreCharacters=1\r\n", "IgnoredCharacters=#*\r\n", "WordsCorrections=0\r\n",
        "Voice=Voice Alpha\r\n", "Speed=180\r\n", "Pitch=150\r\n", "Volume=100\r\n",
        "SAPIVersion=5\r\n",
        "ShowCmd=", "NormPos=", "MinMaxPos=", "PixelsPerInch=", "Flags=", "Visible=0\r\n"}) {
    EXPECT_NE(text.find(entry), std::string::npos) << entry << " in\n" << text;
  }
  EXPECT_FALSE(std::filesystem::exists(ConfigPath() + L".saving"));
  EXPECT_EQ(AutostartValue(), L"<none>");

  frmMain.GeneralPage().SetAutostart(true);
  Picker(frmMain).SetEntry(1);
  Picker(frmMain).OnListChange(2, 1);
  Picker(frmMain).SpeedBar().SetPosition(250);
  frmMain.SaveCfg();
  EXPECT_EQ(AutostartValue(), L"\"" + ProgramPath() + L"\" -autostart");
  const std::string sapi4 = ConfigText();
  for (const char* entry : {"Voice=Bob\r\n", "Speed=250\r\n", "SAPIVersion=4\r\n"}) {
    EXPECT_NE(sapi4.find(entry), std::string::npos) << entry << " in\n" << sapi4;
  }

  // Every showing of the window loads the settings: selecting the saved
  // engine again would end what it is reading.
  const size_t selections = standins_.Logged("sapi4", "Select").size();
  Picker(frmMain).SpeedBar().SetPosition(100);
  frmMain.LoadCfg();
  EXPECT_EQ(standins_.Logged("sapi4", "Select").size(), selections);
  EXPECT_EQ(Picker(frmMain).SpeedBar().Position(), 250);
}

// The save goes into a copy of cfg.ini first. A copy that cannot be made
// leaves cfg.ini exactly as it was: a file holding only what a save writes
// would make the next start a first start again. A copy left by a save that
// was cut short is never taken for the file.
TEST_F(ConfigurationTest, ASaveStartsFromTheFileAsItStandsOrLeavesItWhole) {
  WriteConfigText("[General]\r\nFirstRun=0\r\nWelcomeDlg=1\r\nCloseMsg=1\r\n");
  MainFormProbe& frmMain = CreateMainForm();
  frmMain.HotKeyField(IDC_READING_HOTKEY).SetValue(32813);
  const std::string before = ConfigText();
  const std::wstring copy = ConfigPath() + L".saving";

  SCOPED_TRACE("a folder where the copy goes");
  ASSERT_TRUE(CreateDirectoryW(copy.c_str(), nullptr));
  EXPECT_NO_THROW(frmMain.SaveCfg());
  RemoveDirectoryW(copy.c_str());
  EXPECT_EQ(ConfigText(), before);
  for (const char* entry : {"FirstRun=0", "WelcomeDlg=1", "CloseMsg=1"}) {
    EXPECT_NE(ConfigText().find(entry), std::string::npos) << entry;
  }

  SCOPED_TRACE("no cfg.ini, and the copy of a save cut short");
  ASSERT_TRUE(DeleteFileW(ConfigPath().c_str()));
  ReplaceWholeFile(copy, "[General]\r\nFirstRun=1\r\n");
  frmMain.SaveCfg();
  const std::string built = ConfigText();
  EXPECT_NE(built.find("HotKey=32813"), std::string::npos) << built;
  EXPECT_EQ(built.find("FirstRun=1"), std::string::npos) << built;
}

// Ignored characters the ANSI code page lacks come back too. The window
// comes back where it was saved, with its focused control under the name
// files of earlier versions hold; only the first load places it.
TEST_F(ConfigurationTest, SavedSettingsLoadBackIntoTheControls) {
  const std::wstring ignored = L"*\u25cf\u2192";
  {
    MainFormProbe& frmMain = CreateMainForm();
    frmMain.HotKeyField(IDC_STOP_HOTKEY).SetValue(0x2000 | VK_F9);
    CheckBox(frmMain.GeneralControl(IDC_TRAYICON_CHECKBOX)).SetChecked(false);
    PronunciationSettings pronunciation = frmMain.PronunciationPage().Current();
    pronunciation.wordsCorrections = true;
    pronunciation.ignoredCharacters = ignored;
    frmMain.PronunciationPage().Load(pronunciation);
    Picker(frmMain).SetEntry(3);
    Picker(frmMain).OnListChange(2, 3);
    Picker(frmMain).SpeedBar().SetPosition(4);
    SetWindowPos(frmMain.Handle(), nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    frmMain.Pages().SetActivePage(kPronunciationPage);
    SetFocus(frmMain.PronunciationPage().Table());
    frmMain.SaveCfg();
  }
  // The characters above make the file Unicode: the profile functions read it.
  wchar_t focused[32] = L"";
  GetPrivateProfileStringW(L"Options_window", L"ActiveControl", L"", focused, 32,
                           ConfigPath().c_str());
  EXPECT_STREQ(focused, L"Words_Table");
  MainFormProbe& frmMain = CreateMainForm();
  EXPECT_EQ(frmMain.GeneralPage().Current().stopHotKey, 0x2000 | VK_F9);
  EXPECT_FALSE(frmMain.GeneralPage().Current().minimizeToTray);
  EXPECT_TRUE(frmMain.PronunciationPage().Current().wordsCorrections);
  EXPECT_EQ(frmMain.PronunciationPage().Current().ignoredCharacters, ignored);
  EXPECT_EQ(SelectedVoice(frmMain), L"Voice Beta (SAPI5)");
  EXPECT_EQ(Picker(frmMain).SpeedBar().Position(), 4);
  EXPECT_EQ(Picker(frmMain).SpeedBox().Text(), L"240");
  frmMain.ShowMainWindow();
  ASSERT_TRUE(PumpApplicationUntil([&] { return frmMain.Visible(); }));
  EXPECT_EQ(frmMain.Pages().ActivePage(), kPronunciationPage);
  EXPECT_EQ(GetFocus(), frmMain.PronunciationPage().Table());
  const RECT window = WindowRect(frmMain.Handle());
  EXPECT_EQ(std::pair(window.left, window.top), std::pair(37L, 41L));
  SetWindowPos(frmMain.Handle(), nullptr, 90, 95, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  frmMain.LoadCfg();
  EXPECT_EQ(WindowRect(frmMain.Handle()).left, 90);
}
