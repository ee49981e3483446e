#include "ui/speech_page.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "settings/voice_slot.h"
#include "speech/voice_catalogue.h"
#include "ui/accessible_name.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kCaption[] = L"Default voice";
// The names under which cfg.ini keeps the focused control.
constexpr NamedControl kFocusNames[] = {
    {L"VoicesList", IDC_VOICESLIST},   {L"Edit4", IDC_TEST_TEXT},
    {L"Test_Button", IDC_TEST_BUTTON}, {L"Speed_Bar", IDC_SPEED_BAR},
    {L"Pitch_Bar", IDC_PITCH_BAR},     {L"Volume_Bar", IDC_VOLUME_BAR},
};
// Where a SAPI 5 voice's speed and pitch start when none was saved.
constexpr int kSapi5UnsavedSpeed = 0;
constexpr int kSapi5UnsavedPitch = -2;
constexpr int kSapi5DefaultVolume = 100;

int SliderPositionOfSaved(const std::optional<int>& saved, int unsavedPosition) {
  const int value = saved.value_or(kSapi5NeverSaved);
  return value == kSapi5NeverSaved ? unsavedPosition : Sapi5EngineValue(value);
}

int BoxNumber(const std::wstring& text) { return _wtoi(text.c_str()); }

}  // namespace

TSpeechPage::TSpeechPage(Engines& engines, SpeechPageOwner& owner)
    : TOptionsPage(IDD_PAGE_SPEECH, kCaption, kFocusNames),
      engines_(engines),
      owner_(owner),
      picker_(engines) {}

void TSpeechPage::OnInit() {
  picker_.Attach(VoicePickerControls::Of(Handle()));
  NameAfterLabel(Control(IDC_VOICESLIST), Control(IDC_SPEECH_LABEL));
  testTextBox_ = EditBox(Control(IDC_TEST_TEXT));
  testTextBox_.SetText(kTestSentence);
}

bool TSpeechPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (picker_.HandleMessage(message, wParam, lParam, result)) return true;
  if (message != WM_COMMAND) return false;
  switch (LOWORD(wParam)) {
    case IDC_TEST_BUTTON:
      OnTest();
      return true;
    case IDC_MOREVOICES_LINK:
      owner_.ShowMoreVoices();
      return true;
    default:
      return false;
  }
}

void TSpeechPage::LoadVoicesList() {
  picker_.Clear();
  try {
    engines_.LoadCatalogue();
  } catch (...) {
    picker_.SetEntries(engines_.Catalogue());
    throw;
  }
  picker_.SetEntries(engines_.Catalogue());
  const int initial = InitialCatalogueEntry(picker_.Count(), engines_.Sapi4EngineCount());
  picker_.SetEntry(initial);
  picker_.OnListChange(initial, initial);
}

// The saved voice is selected before its values are set, and its sliders get
// its own ranges first: values saved for a SAPI 4 engine would otherwise be
// cut to the range of whichever voice the list showed before, and saved so.
void TSpeechPage::Load(const SpeechSettings& settings) {
  const int entry = SavedVoiceEntry(settings);
  if (entry >= 0) picker_.SelectEntry(entry);
  LoadValues(settings);
}

// The catalogue entry of the saved voice; the first entry when the saved
// voice, or every voice of its family, is gone; -1 for an empty catalogue.
int TSpeechPage::SavedVoiceEntry(const SpeechSettings& settings) const {
  const std::vector<std::wstring> catalogue = picker_.Entries();
  if (catalogue.empty()) return -1;
  const int sapi4Count = engines_.Sapi4EngineCount();
  const int family =
      settings.sapiVersion.value_or(engines_.Sapi5Available() ? kSapi5Family : kSapi4Family);
  int entry = -1;
  if (family == kSapi4Family) {
    entry = FindCatalogueEntry(catalogue, settings.voice.value_or(catalogue.front()));
  } else if (static_cast<int>(catalogue.size()) > sapi4Count) {
    const std::wstring firstVoice = StoredVoiceName(catalogue[sapi4Count]);
    entry = FindCatalogueEntry(catalogue, Sapi5DisplayName(settings.voice.value_or(firstVoice)));
  }
  return entry >= 0 ? entry : 0;
}

// Values saved for the other family mean nothing to the selected entry (SAPI 5
// positions would pin a SAPI 4 engine to its slowest, lowest voice, and the
// next save would keep it so): the entry then keeps its own values.
void TSpeechPage::LoadValues(const SpeechSettings& settings) {
  const int family = settings.sapiVersion.value_or(kSapi5Family);
  if ((family == kSapi4Family || family == kSapi5Family) && family != picker_.Family()) return;
  if (family == kSapi4Family) {
    // Each value the file lacks is the engine's own, asked for in turn.
    TMSpeech& engine = engines_.Sapi4();
    picker_.SpeedBar().SetPosition(settings.speed.value_or(static_cast<int>(engine.GetSpeed())));
    picker_.PitchBar().SetPosition(settings.pitch.value_or(engine.GetPitch()));
    picker_.VolumeBar().SetPosition(settings.volume.value_or(static_cast<int>(engine.GetVolume())));
  } else if (family == kSapi5Family) {
    picker_.SetValues({SliderPositionOfSaved(settings.speed, kSapi5UnsavedSpeed),
                       SliderPositionOfSaved(settings.pitch, kSapi5UnsavedPitch),
                       settings.volume.value_or(kSapi5DefaultVolume)});
  }
}

void TSpeechPage::ChooseFirstVoiceUnlessChosen() {
  if (picker_.Entry() < 0 && picker_.Count() > 0) picker_.SetEntry(0);
}

SpeechSettings TSpeechPage::Current() const {
  SpeechSettings settings;
  const int entry = picker_.Entry();
  settings.voice = entry >= 0 ? StoredVoiceName(picker_.EntryName(entry)) : L"";
  const ValueBoxTexts boxes = picker_.BoxTexts();
  settings.speed = BoxNumber(boxes.speed);
  settings.pitch = BoxNumber(boxes.pitch);
  settings.volume = BoxNumber(boxes.volume);
  settings.sapiVersion = picker_.Family();
  return settings;
}

void TSpeechPage::OnTest() {
  std::wstring text = testTextBox_.Text();
  if (text.empty()) text = kTestSentence;
  owner_.SpeakTestText(text);
}

void TSpeechPage::SetDpi(UINT dpi) { picker_.List().SetDpi(dpi); }
