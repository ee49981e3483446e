// The main window's side of reading: it answers the reading controller with
// the options window's controls as they are at that moment, and shows the
// reading in the tray icon and menu.
#include <windows.h>

#include <commctrl.h>

#include "app/main_form.h"
#include "app/res/resource.h"
#include "reading/reading_rules.h"
#include "ui/list_view.h"

namespace {

constexpr UINT kTrayAnimationMilliseconds = 500;
// The tray animation frames that show a picture of their own.
constexpr int kWaveFrame1 = 3;
constexpr int kWaveFrame2 = 4;
constexpr int kIdleFrame = 5;

// The columns of SlotsList: the voice, then speed, pitch and volume as stored.
constexpr int kSlotSpeedColumn = 1;
constexpr int kSlotPitchColumn = 2;
constexpr int kSlotVolumeColumn = 3;

// The columns of Words_Table: the word, its pronunciation, "Yes" or "No".
constexpr int kWordColumn = 0;
constexpr int kPronunciationColumn = 1;
constexpr int kCaseSensitiveColumn = 2;

std::vector<PronunciationCorrection> Corrections(HWND table) {
  std::vector<PronunciationCorrection> corrections;
  const int rows = ListView_GetItemCount(table);
  for (int row = 0; row < rows; ++row) {
    corrections.push_back({ListViewCellText(table, row, kWordColumn),
                           ListViewCellText(table, row, kPronunciationColumn),
                           ListViewCellText(table, row, kCaseSensitiveColumn)});
  }
  return corrections;
}

}  // namespace

DefaultVoiceChoice TfrmMain::DefaultVoice() const {
  return {VoicesList.ItemIndex(),
          {Speed_Bar.Position(), Pitch_Bar.Position(), Volume_Bar.Position()}};
}

TextPreparationSettings TfrmMain::PreparationSettings() const {
  TextPreparationSettings settings;
  settings.ignoreCharacters = IgnoreCharacters_CheckBox.Checked();
  settings.ignoredCharacters = Ignored_Characters.Text();
  settings.correctWords = WordsCorr_CheckBox.Checked();
  if (settings.correctWords) settings.corrections = Corrections(Words_Table);
  return settings;
}

SlotVoiceSettings TfrmMain::Slot(int slot) const {
  SlotVoiceSettings settings;
  settings.voiceName = ListViewCellText(SlotsList, slot, 0);
  settings.family = SlotFamilies.at(static_cast<size_t>(slot));
  settings.speed = ListViewCellText(SlotsList, slot, kSlotSpeedColumn);
  settings.pitch = ListViewCellText(SlotsList, slot, kSlotPitchColumn);
  settings.volume = ListViewCellText(SlotsList, slot, kSlotVolumeColumn);
  return settings;
}

// The menu offers what the pause hot key would do next: "Resume" only while
// a reading is paused.
void TfrmMain::ReadingStateChanged(ReadingState state) {
  SetTrayAnimation(state == ReadingState::Reading);
  if (state != ReadingState::Reading) trayIcon_->SetIcon(IdleIcon());
  if (state != ReadingState::Ended) {
    trayMenu_->SetCaption(IDM_STOPREADING1,
                          state == ReadingState::Paused ? kResumeCaption : kPauseCaption);
  }
}

// A failed reading says so by the system's warning sound, never by a box.
void TfrmMain::ReadingFailed() { MessageBeep(MB_ICONEXCLAMATION); }

void TfrmMain::AdvanceTrayAnimation() {
  trayAnimationFrame_ = NextTrayAnimationFrame(trayAnimationFrame_);
  switch (trayAnimationFrame_) {
    case kWaveFrame1:
      trayIcon_->SetIcon(WaveIcon1());
      break;
    case kWaveFrame2:
      trayIcon_->SetIcon(WaveIcon2());
      break;
    case kIdleFrame:
      trayIcon_->SetIcon(IdleIcon());
      break;
    default:
      break;
  }
}

// Setting the timer again would restart its countdown: with the words of a
// reading coming faster than a tick, the animation would never move.
void TfrmMain::SetTrayAnimation(bool running) {
  if (running == trayAnimationRunning_) return;
  trayAnimationRunning_ = running;
  if (running) {
    SetTimer(Handle(), kTrayAnimationTimer, kTrayAnimationMilliseconds, nullptr);
  } else {
    KillTimer(Handle(), kTrayAnimationTimer);
  }
}
