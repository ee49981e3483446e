// The voice catalogue on the "Default voice" page, its sliders and value
// boxes, and the way from the chosen entry to its engine: for the default
// voice and for a voice slot.
#include "app/main_form.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "speech/ansi_text.h"
#include "speech/voice_catalogue.h"
#include "ui/list_view.h"

namespace {

// The "Pronunciation" column of the corrections table.
constexpr int kPronunciationColumn = 1;

}  // namespace

int TfrmMain::DefaultVoiceFamily() const { return engines_.FamilyOf(VoicesList.ItemIndex()); }

// The entries listed before a voice failed stay listed.
void TfrmMain::LoadVoicesList() {
  VoicesList.Clear();
  try {
    engines_.LoadCatalogue();
  } catch (...) {
    VoicesList.SetItems(engines_.Catalogue());
    throw;
  }
  VoicesList.SetItems(engines_.Catalogue());
  const int initial = InitialCatalogueEntry(VoicesList.Count(), engines_.Sapi4EngineCount());
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
  const EntrySetup setup = engines_.SetUpEntry(entry);
  defaultVoiceIsSapi5 = setup.sapi5;
  Speed_Bar.SetRange(setup.speed.min, setup.speed.max);
  Pitch_Bar.SetRange(setup.pitch.min, setup.pitch.max);
  Volume_Bar.SetRange(setup.volume.min, setup.volume.max);
  Speed_Bar.SetPosition(setup.values.speed);
  Pitch_Bar.SetPosition(setup.values.pitch);
  Volume_Bar.SetPosition(setup.values.volume);
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
  engines_.SelectVoice(VoicesList.ItemIndex(),
                       {Speed_Bar.Position(), Pitch_Bar.Position(), Volume_Bar.Position()});
}

void TfrmMain::Test_ButtonClick() {
  std::wstring text = Edit4.Text();
  if (text.empty()) text = kTestSentence;
  reading_->SpeakWithDefaultVoice(text, true);
}

void TfrmMain::BitBtn11Click() {
  const auto row = static_cast<int>(SendMessageW(Words_Table, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  if (row < 0) return;
  reading_->SpeakWithDefaultVoice(ListViewCellText(Words_Table, row, kPronunciationColumn), true);
}
