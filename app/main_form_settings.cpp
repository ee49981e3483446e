// cfg.ini and the autostart value: LoadCfg fills the options window's
// controls from them, SaveCfg writes the controls back.
#include <windows.h>

#include "app/main_form.h"
#include "base/exception_guard.h"
#include "base/program_folder.h"
#include "settings/autostart.h"
#include "settings/file_replace.h"
#include "settings/profile_file.h"
#include "settings/tidy_ini_text.h"
#include "settings/window_placement.h"
#include "speech/voice_catalogue.h"

namespace {

constexpr wchar_t kConfigFile[] = L"cfg.ini";
// SaveCfg writes into this copy; it takes the place of cfg.ini when complete.
constexpr wchar_t kConfigCopySuffix[] = L".saving";

constexpr wchar_t kGeneral[] = L"General";
constexpr wchar_t kPronunciation[] = L"Pronunciation";
constexpr wchar_t kSpeech[] = L"Speech";
constexpr wchar_t kOptionsWindow[] = L"Options_window";

constexpr ShortCut kDefaultReadingHotKey = 16392;  // Ctrl+BkSp
constexpr ShortCut kDefaultOptionsHotKey = 16506;  // Ctrl+F11
constexpr ShortCut kDefaultStopHotKey = 16507;     // Ctrl+F12
// Asterisk, backslash, slash, double quote, grave accent, underscore, tilde,
// colon and apostrophe.
constexpr wchar_t kDefaultIgnoredCharacters[] = L"*\\/\"`_~:'";
// Marks a speed or pitch that was never saved for a SAPI 5 voice.
constexpr int kNotSaved = 777;
constexpr int kSapi5UnsavedSpeed = 0;
constexpr int kSapi5UnsavedPitch = -2;
constexpr int kSapi5DefaultVolume = 100;

ShortCut ReadHotKey(const ProfileFile& config, const wchar_t* key, ShortCut defaultValue) {
  return static_cast<ShortCut>(config.ReadInteger(kGeneral, key, defaultValue));
}

void WriteHotKey(const ProfileFile& config, const wchar_t* key, const HotKeyEdit& edit) {
  config.WriteInteger(kGeneral, key, edit.Value());
}

int SliderPositionOfSaved(const ProfileFile& config, const wchar_t* key, int unsavedPosition) {
  const int saved = config.ReadInteger(kSpeech, key, kNotSaved);
  return saved == kNotSaved ? unsavedPosition : Sapi5EngineValue(saved);
}

int BoxNumber(const EditBox& box) { return _wtoi(box.Text().c_str()); }

}  // namespace

void TfrmMain::LoadCfg() {
  const ProfileFile config(ProgramFilePath(kConfigFile));
  LoadGeneralSettings(config);
  LoadPronunciationSettings(config);
  SelectSavedDefaultVoice(config);
  LoadDefaultVoiceValues(config);
  config.Flush();
  ActivateFixedHotKeys();
  AutoStart_CheckBox.SetChecked(AutostartEnabled());
  if (firstLoad_) {
    RestoreWindowPlacement(config, kOptionsWindow, Handle(),
                           [this](const std::wstring& name) { FocusControl(name); });
    firstLoad_ = false;
  }
  if (VoicesList.ItemIndex() < 0 && VoicesList.Count() > 0) VoicesList.SetItemIndex(0);
}

void TfrmMain::LoadGeneralSettings(const ProfileFile& config) {
  firstRun_ = config.ReadBool(kGeneral, L"FirstRun", true);
  if (firstRun_) {
    // The very first start turns autostart on. Without a Run key, or in a
    // folder the user may not write to, the rest of the load still goes on:
    // the hot keys matter more.
    CallGuarded([] { EnableAutostart(ProgramPath()); });
    CallGuarded([&] { config.WriteBool(kGeneral, L"FirstRun", false); });
  }
  Reading_HotKey.SetValue(ReadHotKey(config, L"HotKey", kDefaultReadingHotKey));
  Options_HotKey.SetValue(ReadHotKey(config, L"OptHotKey", kDefaultOptionsHotKey));
  Stop_HotKey.SetValue(ReadHotKey(config, L"StopHotKey", kDefaultStopHotKey));
  TrayIcon_CheckBox.SetChecked(config.ReadBool(kGeneral, L"MinimizeToTray", true));
  if (!config.ReadBool(kGeneral, L"WelcomeDlg", false)) showWelcome_ = true;
}

void TfrmMain::LoadPronunciationSettings(const ProfileFile& config) {
  IgnoreCharacters_CheckBox.SetChecked(config.ReadBool(kPronunciation, L"IgnoreCharacters", false));
  Ignored_Characters.SetText(
      config.ReadString(kPronunciation, L"IgnoredCharacters", kDefaultIgnoredCharacters));
  WordsCorr_CheckBox.SetChecked(config.ReadBool(kPronunciation, L"WordsCorrections", false));
}

// The saved voice is selected before its values are set, and its sliders get
// its own ranges first: values saved for a SAPI 4 engine would otherwise be
// cut to the range of whichever voice the list showed before, and saved so.
// When the sliders already belong to it, the engine is left alone: selecting
// a SAPI 4 engine again would end what it is reading.
void TfrmMain::SelectSavedDefaultVoice(const ProfileFile& config) {
  const int index = SavedDefaultVoiceIndex(config);
  if (index < 0) return;
  const int previous = VoicesList.ItemIndex();
  VoicesList.SetItemIndex(index);
  if (index == slidersEntry_) return;
  // Set up now whatever the guard says; the list reports the change only when
  // it is drawn again.
  const int guard = VoicesList.Tag;
  VoicesList.Tag = 0;
  VoicesListChange(previous, index);
  VoicesList.Tag = guard;
}

// The catalogue entry of the saved voice; the first entry when the saved
// voice, or every voice of its family, is gone; -1 for an empty catalogue.
int TfrmMain::SavedDefaultVoiceIndex(const ProfileFile& config) const {
  const std::vector<std::wstring> catalogue = VoicesList.Items();
  if (catalogue.empty()) return -1;
  const int sapi4Count = engines_.Sapi4EngineCount();
  const int family = config.ReadInteger(kSpeech, L"SAPIVersion",
                                        engines_.Sapi5Available() ? kSapi5Family : kSapi4Family);
  int index = -1;
  if (family == kSapi4Family) {
    index = FindCatalogueEntry(catalogue, config.ReadString(kSpeech, L"Voice", catalogue.front()));
  } else if (static_cast<int>(catalogue.size()) > sapi4Count) {
    const std::wstring firstVoice = StoredVoiceName(catalogue[sapi4Count]);
    index = FindCatalogueEntry(catalogue,
                               Sapi5DisplayName(config.ReadString(kSpeech, L"Voice", firstVoice)));
  }
  return index >= 0 ? index : 0;
}

// Values saved for the other family mean nothing to the selected entry (SAPI 5
// positions would pin a SAPI 4 engine to its slowest, lowest voice, and the
// next save would keep it so): the entry then keeps its own values.
void TfrmMain::LoadDefaultVoiceValues(const ProfileFile& config) {
  const int family = config.ReadInteger(kSpeech, L"SAPIVersion", kSapi5Family);
  if ((family == kSapi4Family || family == kSapi5Family) && family != DefaultVoiceFamily()) return;
  if (family == kSapi4Family) {
    Speed_Bar.SetPosition(
        config.ReadInteger(kSpeech, L"Speed", static_cast<int>(engines_.Sapi4().GetSpeed())));
    Pitch_Bar.SetPosition(config.ReadInteger(kSpeech, L"Pitch", engines_.Sapi4().GetPitch()));
    Volume_Bar.SetPosition(
        config.ReadInteger(kSpeech, L"Volume", static_cast<int>(engines_.Sapi4().GetVolume())));
  } else if (family == kSapi5Family) {
    Speed_Bar.SetPosition(SliderPositionOfSaved(config, L"Speed", kSapi5UnsavedSpeed));
    Pitch_Bar.SetPosition(SliderPositionOfSaved(config, L"Pitch", kSapi5UnsavedPitch));
    Volume_Bar.SetPosition(config.ReadInteger(kSpeech, L"Volume", kSapi5DefaultVolume));
  } else {
    return;
  }
  Speed_BarChange();
  Pitch_BarChange();
  Volume_BarChange();
}

// Everything goes into a copy of cfg.ini, which takes the file's place in one
// step once complete and tidied: a failure at any point leaves the old file
// whole. A failure ends the save silently where it happens.
void TfrmMain::SaveCfg() {
  try {
    const std::wstring path = ProgramFilePath(kConfigFile);
    const ProfileFile copy(path + kConfigCopySuffix);
    CopyFileW(path.c_str(), copy.Path().c_str(), FALSE);
    SaveWindowPlacement(copy, kOptionsWindow, Handle(), ActiveControlName());
    WriteSettings(copy);
    copy.Flush();
    ReplaceWholeFile(path, TidyIniText(ReadWholeFile(copy.Path())));
    DeleteFileW(copy.Path().c_str());
    if (AutoStart_CheckBox.Checked()) {
      EnableAutostart(ProgramPath());
    } else {
      DisableAutostart();
    }
  } catch (...) {
    DeleteFileW((ProgramFilePath(kConfigFile) + kConfigCopySuffix).c_str());
  }
}

void TfrmMain::WriteSettings(const ProfileFile& config) const {
  WriteHotKey(config, L"HotKey", Reading_HotKey);
  WriteHotKey(config, L"OptHotKey", Options_HotKey);
  WriteHotKey(config, L"StopHotKey", Stop_HotKey);
  config.WriteBool(kGeneral, L"MinimizeToTray", TrayIcon_CheckBox.Checked());
  config.WriteBool(kPronunciation, L"IgnoreCharacters", IgnoreCharacters_CheckBox.Checked());
  config.WriteString(kPronunciation, L"IgnoredCharacters", Ignored_Characters.Text());
  config.WriteBool(kPronunciation, L"WordsCorrections", WordsCorr_CheckBox.Checked());
  const int index = VoicesList.ItemIndex();
  config.WriteString(kSpeech, L"Voice", index >= 0 ? StoredVoiceName(VoicesList.Item(index)) : L"");
  config.WriteInteger(kSpeech, L"Speed", BoxNumber(Edit1));
  config.WriteInteger(kSpeech, L"Pitch", BoxNumber(Edit2));
  config.WriteInteger(kSpeech, L"Volume", BoxNumber(Edit3));
  config.WriteInteger(kSpeech, L"SAPIVersion", DefaultVoiceFamily());
}
