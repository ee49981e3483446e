// The voice catalogue on the "Default voice" page, its sliders and value
// boxes, and the way from the chosen entry to its engine: for the default
// voice and for a voice slot.
#include "app/main_form.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/exception_guard.h"
#include "base/ansi_code_page.h"
#include "speech/ansi_text.h"
#include "speech/voice_catalogue.h"
#include "ui/list_view.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr int kSapi5SliderMin = -10;
constexpr int kSapi5SliderMax = 10;
constexpr int kVolumeMin = 0;
constexpr int kVolumeMax = 100;
// What a SAPI 5 voice starts with when it is chosen in the list: the engine
// gets these, and the sliders show a little slower and lower than that.
constexpr long kSapi5StartRate = -2;
constexpr long kSapi5StartVolume = 100;
constexpr int kSapi5StartSpeedPosition = -3;
constexpr int kSapi5StartPitchPosition = -5;
constexpr int kSapi5StartVolumePosition = 100;

// The "Pronunciation" column of the corrections table.
constexpr int kPronunciationColumn = 1;

// The name a SAPI 4 engine is listed under. An engine that cannot be
// selected tells nothing of its speaker, so it keeps its mode name rather
// than borrowing the speaker of the engine selected before it.
std::wstring Sapi4EntryName(TMSpeech& speech, const std::string& modeName) {
  speech.SelectEngine(modeName);
  const std::wstring mode = WideFromAnsi(modeName);
  if (!speech.EngineSelected()) return mode;
  return Sapi4DisplayName(mode, WideFromAnsi(speech.EngineInfo().Speaker));
}

// Entry i of the catalogue is engine i of the component's list; an index
// outside it (no selection, a voice no longer there) fails here.
void SelectSapi4Entry(TMSpeech& speech, int entry) {
  speech.SelectEngine(speech.Engines().at(static_cast<size_t>(entry)));
}

// A compliant engine refuses a speed or pitch outside its bounds and keeps
// its own, so a slot stored for another engine, or sliders still set up for a
// SAPI 5 voice, would read at a speed nobody chose; a clamping engine would
// even take -3 as 4294967293, its fastest. The values are therefore brought
// to the nearer of the selected engine's probed bounds while still signed,
// and the volume into the component's percentage.
void SetSapi4Values(TMSpeech& speech, int speed, int pitch, int volume) {
  const TMSpeechEngineInfo& info = speech.EngineInfo();
  const auto within = [](int value, long long low, long long high) {
    return std::max(low, std::min<long long>(value, high));
  };
  speech.SetSpeed(static_cast<DWORD>(within(speed, info.MinSpeed, info.MaxSpeed)));
  speech.SetPitch(static_cast<WORD>(within(pitch, info.MinPitch, info.MaxPitch)));
  speech.SetVolume(static_cast<DWORD>(within(volume, info.MinVolume, info.MaxVolume)));
}

// A SAPI 5 entry's token, whose index in the token collection is the entry's
// index less the SAPI 4 engines before it. The voice rejects a bad index.
void SelectSapi5Token(TSpVoice& voice, int token) {
  ComPtr<ISpeechObjectTokens> tokens = voice.GetVoices(L"", L"");
  voice.PutrefVoice(TokenItem(*tokens.Get(), token).Get());
}

// The sliders take exactly the engine's bounds and its current values.
void ShowSapi4Engine(TfrmMain& form, int entry) {
  TMSpeech& speech = *form.SpeechAPI4;
  form.defaultVoiceIsSapi5 = false;
  SelectSapi4Entry(speech, entry);
  const TMSpeechEngineInfo& info = speech.EngineInfo();
  form.Speed_Bar.SetRange(static_cast<int>(info.MinSpeed), static_cast<int>(info.MaxSpeed));
  form.Pitch_Bar.SetRange(info.MinPitch, info.MaxPitch);
  form.Volume_Bar.SetRange(info.MinVolume, info.MaxVolume);
  form.Speed_Bar.SetPosition(static_cast<int>(speech.GetSpeed()));
  form.Pitch_Bar.SetPosition(speech.GetPitch());
  form.Volume_Bar.SetPosition(static_cast<int>(speech.GetVolume()));
}

// No token is set here: the voice is applied when it speaks.
void ShowSapi5Voice(TfrmMain& form) {
  form.defaultVoiceIsSapi5 = true;
  form.Speed_Bar.SetRange(kSapi5SliderMin, kSapi5SliderMax);
  form.Pitch_Bar.SetRange(kSapi5SliderMin, kSapi5SliderMax);
  form.Volume_Bar.SetRange(kVolumeMin, kVolumeMax);
  // A voice that refuses these keeps its own values; the list and the sliders
  // go on all the same, and the voice's failure shows when it is asked to speak.
  CallGuarded([&] { form.SpeechAPI5.PutRate(kSapi5StartRate); });
  CallGuarded([&] { form.SpeechAPI5.PutVolume(kSapi5StartVolume); });
  form.Speed_Bar.SetPosition(kSapi5StartSpeedPosition);
  form.Pitch_Bar.SetPosition(kSapi5StartPitchPosition);
  form.Volume_Bar.SetPosition(kSapi5StartVolumePosition);
}

}  // namespace

int TfrmMain::Sapi4EngineCount() const { return static_cast<int>(SpeechAPI4->Engines().size()); }

int TfrmMain::DefaultVoiceFamily() const {
  return VoicesList.ItemIndex() < Sapi4EngineCount() ? kSapi4Family : kSapi5Family;
}

// Selecting every engine in turn is the only way to learn its speaker; the
// last one stays selected.
void TfrmMain::LoadVoicesList() {
  VoicesList.Clear();
  std::vector<std::wstring> names;
  for (const std::string& modeName : SpeechAPI4->Engines()) {
    names.push_back(Sapi4EntryName(*SpeechAPI4, modeName));
  }
  VoicesList.SetItems(names);
  if (sapi5Available) {
    ComPtr<ISpeechObjectTokens> tokens = SpeechAPI5.GetVoices(L"", L"");
    const long count = TokenCount(*tokens.Get());
    for (long token = 0; token < count; ++token) {
      VoicesList.AddItem(
          Sapi5DisplayName(TokenDescription(*TokenItem(*tokens.Get(), token).Get())));
    }
  }
  const int initial = InitialCatalogueEntry(VoicesList.Count(), Sapi4EngineCount());
  VoicesList.SetItemIndex(initial);
  VoicesListChange(initial, initial);
}

void TfrmMain::VoicesListChange(int, int newIndex) {
  if (VoicesList.Tag == kVoiceListGuardArmed) return;
  if (VoicesList.Count() == 0) return;
  int entry = newIndex;
  if (VoicesList.ItemIndex() < 0) {
    VoicesList.SetItemIndex(0);
    entry = 0;
  }
  slidersEntry_ = entry;
  if (entry < Sapi4EngineCount()) {
    ShowSapi4Engine(*this, entry);
  } else {
    ShowSapi5Voice(*this);
  }
}

// Only a click lets the list's reports through again after a page change;
// keys move the selection without touching the sliders.
// The click comes before the list moves its selection. Keys may have moved it
// while the guard was armed; its report then went by, and the sliders would
// go on showing another entry's values, which the next reading would hand
// to this one (SAPI 5 positions to a SAPI 4 engine). So that entry is set up
// now; the entry clicked, when another, follows with the list's report.
void TfrmMain::VoicesListClick() {
  VoicesList.Tag = 0;
  const int entry = VoicesList.ItemIndex();
  if (entry >= 0 && entry != slidersEntry_) VoicesListChange(slidersEntry_, entry);
}

void TfrmMain::Speed_BarChange() {
  Edit1.SetText(ValueBoxText(Speed_Bar.Position(), defaultVoiceIsSapi5));
}

void TfrmMain::Pitch_BarChange() {
  Edit2.SetText(ValueBoxText(Pitch_Bar.Position(), defaultVoiceIsSapi5));
}

void TfrmMain::Volume_BarChange() { Edit3.SetText(std::to_wstring(Volume_Bar.Position())); }

// The sliders' positions go to the engine as they are (a SAPI 4 engine's
// within its bounds); a SAPI 5 voice's pitch travels in the pitch prefix when
// it speaks.
void TfrmMain::SelectDefaultVoice() {
  const int entry = VoicesList.ItemIndex();
  if (entry < Sapi4EngineCount()) {
    SelectSapi4Entry(*SpeechAPI4, entry);
    SetSapi4Values(*SpeechAPI4, Speed_Bar.Position(), Pitch_Bar.Position(), Volume_Bar.Position());
    return;
  }
  SelectSapi5Token(SpeechAPI5, entry - Sapi4EngineCount());
  SpeechAPI5.PutRate(Speed_Bar.Position());
  SpeechAPI5.PutVolume(Volume_Bar.Position());
}

void TfrmMain::SpeakWithDefaultVoice(const std::wstring& text, bool purgeFirst) {
  SelectDefaultVoice();
  if (VoicesList.ItemIndex() < Sapi4EngineCount()) {
    SpeechAPI4->Text = AnsiLines(text);
    SpeechAPI4->SpeakText();
    return;
  }
  // What was purged needs no pause any more, and the text must be heard
  // after a reading the user paused too.
  if (purgeFirst) {
    SpeechAPI5.Speak(L"", SVSFPurgeBeforeSpeak);
    SpeechAPI5.ResumeEveryPause();
  }
  PitchPrefix = PitchPrefixText(Pitch_Bar.Position());
  SpeakBehindPitchPrefix(text);
}

// Only the program's own tags are markup. Behind the pitch prefix the text is
// escaped; without a prefix it is marked as plain text, so that a selection
// that starts with "<" is not taken for markup either.
void TfrmMain::SpeakBehindPitchPrefix(std::wstring_view text) {
  if (PitchPrefix.empty()) {
    SpeechAPI5.Speak(std::wstring(text),
                     static_cast<SpeechVoiceSpeakFlags>(SVSFlagsAsync | SVSFIsNotXML));
    return;
  }
  SpeechAPI5.Speak(PitchPrefix + EscapeSpeechMarkup(text), SVSFlagsAsync);
}

void TfrmMain::Test_ButtonClick() {
  std::wstring text = Edit4.Text();
  if (text.empty()) text = kTestSentence;
  SpeakWithDefaultVoice(text, true);
}

void TfrmMain::BitBtn11Click() {
  const auto row = static_cast<int>(SendMessageW(Words_Table, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  if (row < 0) return;
  SpeakWithDefaultVoice(ListViewCellText(Words_Table, row, kPronunciationColumn), true);
}

// Slots keep stored values only; SAPI 5 speed and pitch are turned back into
// the engine's scale, SAPI 4 values go to the engine as stored, within its
// bounds.
void TfrmMain::ApplySlotVoiceSettings(const SlotVoiceSettings& slot) {
  const std::vector<std::wstring> catalogue = VoicesList.Items();
  if (slot.family == kSapi5Family) {
    const int entry = FindCatalogueEntry(catalogue, Sapi5DisplayName(slot.voiceName));
    SelectSapi5Token(SpeechAPI5, entry - Sapi4EngineCount());
    SpeechAPI5.PutRate(Sapi5EngineValue(ParseStoredValue(slot.speed)));
    SpeechAPI5.PutVolume(ParseStoredValue(slot.volume));
    PitchPrefix = PitchPrefixText(Sapi5EngineValue(ParseStoredValue(slot.pitch)));
    return;
  }
  SelectSapi4Entry(*SpeechAPI4, FindCatalogueEntry(catalogue, slot.voiceName));
  SetSapi4Values(*SpeechAPI4, ParseStoredValue(slot.speed), ParseStoredValue(slot.pitch),
                 ParseStoredValue(slot.volume));
}
