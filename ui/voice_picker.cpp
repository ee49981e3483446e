#include "ui/voice_picker.h"

#include <commctrl.h>

#include "speech/voice_catalogue.h"
#include "ui/ui_resources.h"

namespace {

// The value boxes hold at most three digits.
constexpr int kValueBoxLength = 3;

}  // namespace

VoicePickerControls VoicePickerControls::Of(HWND dialog) {
  return {GetDlgItem(dialog, IDC_VOICESLIST),  GetDlgItem(dialog, IDC_SPEED_BAR),
          GetDlgItem(dialog, IDC_PITCH_BAR),   GetDlgItem(dialog, IDC_VOLUME_BAR),
          GetDlgItem(dialog, IDC_SPEED_VALUE), GetDlgItem(dialog, IDC_PITCH_VALUE),
          GetDlgItem(dialog, IDC_VOLUME_VALUE)};
}

void TVoicePicker::Attach(const VoicePickerControls& controls) {
  list_.Attach(
      controls.list, [this](int oldEntry, int newEntry) { OnListChange(oldEntry, newEntry); },
      [this] { OnListClick(); });
  // The design ranges, before the boxes follow the sliders.
  TrackBar(controls.speedBar, {}).SetRange(60, 280);
  TrackBar(controls.pitchBar, {}).SetRange(30, 240);
  TrackBar(controls.volumeBar, {}).SetRange(0, 100);
  speedBar_ = TrackBar(controls.speedBar, [this] { ShowSpeed(); });
  pitchBar_ = TrackBar(controls.pitchBar, [this] { ShowPitch(); });
  volumeBar_ = TrackBar(controls.volumeBar, [this] { ShowVolume(); });
  speedBox_ = EditBox(controls.speedBox);
  pitchBox_ = EditBox(controls.pitchBox);
  volumeBox_ = EditBox(controls.volumeBox);
  for (const EditBox& box : {speedBox_, pitchBox_, volumeBox_}) {
    SendMessageW(box.Handle(), EM_LIMITTEXT, kValueBoxLength, 0);
    box.SetText(L"0");
  }
}

bool TVoicePicker::HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_MEASUREITEM:
      if (!list_.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return false;
      result = TRUE;
      return true;
    case WM_DRAWITEM:
      if (!list_.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return false;
      result = TRUE;
      return true;
    case WM_HSCROLL:
      for (TrackBar* bar : {&speedBar_, &pitchBar_, &volumeBar_}) {
        if (bar->Handle() != reinterpret_cast<HWND>(lParam)) continue;
        bar->Scrolled();
        result = 0;
        return true;
      }
      return false;
    default:
      return false;
  }
}

void TVoicePicker::OnListChange(int, int newEntry) {
  if (guardArmed_) return;
  if (list_.Count() == 0) return;
  int entry = newEntry;
  if (list_.ItemIndex() < 0) {
    list_.SetItemIndex(0);
    entry = 0;
  }
  SetUp(entry);
}

void TVoicePicker::SetUp(int entry) {
  slidersEntry_ = entry;
  const EntrySetup setup = engines_.SetUpEntry(entry, sapi5SetUp_);
  sapi5_ = setup.sapi5;
  speedBar_.SetRange(setup.speed.min, setup.speed.max);
  pitchBar_.SetRange(setup.pitch.min, setup.pitch.max);
  volumeBar_.SetRange(setup.volume.min, setup.volume.max);
  SetValues(setup.values);
  if (onEntrySetUp_) onEntrySetUp_(entry);
}

// Only a click lets the list's reports through again after a page change;
// keys move the selection without touching the sliders.
// The click comes before the list moves its selection. Keys may have moved it
// while the guard was armed; its report then went by, and the sliders would
// go on showing another entry's values, which the next reading would hand
// to this one (SAPI 5 positions to a SAPI 4 engine). So that entry is set up
// now; the entry clicked, when another, follows with the list's report.
void TVoicePicker::OnListClick() {
  guardArmed_ = false;
  const int entry = list_.ItemIndex();
  if (entry >= 0 && entry != slidersEntry_) OnListChange(slidersEntry_, entry);
}

// The saved voice is selected before its values are set, and its sliders get
// its own ranges first: values saved for a SAPI 4 engine would otherwise be
// cut to the range of whichever voice the list showed before.
void TVoicePicker::SelectEntry(int entry) {
  const int previous = list_.ItemIndex();
  list_.SetItemIndex(entry);
  if (entry == slidersEntry_) return;
  // Set up now whatever the guard says; the list reports the change only when
  // it is drawn again.
  const bool guard = guardArmed_;
  guardArmed_ = false;
  OnListChange(previous, entry);
  guardArmed_ = guard;
}

VoiceValues TVoicePicker::Values() const {
  return {speedBar_.Position(), pitchBar_.Position(), volumeBar_.Position()};
}

void TVoicePicker::SetValues(const VoiceValues& values) {
  speedBar_.SetPosition(values.speed);
  pitchBar_.SetPosition(values.pitch);
  volumeBar_.SetPosition(values.volume);
}

ValueBoxTexts TVoicePicker::BoxTexts() const {
  return {speedBox_.Text(), pitchBox_.Text(), volumeBox_.Text()};
}

void TVoicePicker::ShowSpeed() const {
  speedBox_.SetText(ValueBoxText(speedBar_.Position(), sapi5_));
}

void TVoicePicker::ShowPitch() const {
  pitchBox_.SetText(ValueBoxText(pitchBar_.Position(), sapi5_));
}

void TVoicePicker::ShowVolume() const {
  volumeBox_.SetText(std::to_wstring(volumeBar_.Position()));
}
