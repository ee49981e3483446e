// The main window's side of reading: it answers the reading controller with
// the options window's controls as they are at that moment, and shows the
// reading in the tray icon and menu.
#include <windows.h>

#include "app/main_form.h"
#include "app/res/resource.h"
#include "reading/reading_rules.h"

namespace {

constexpr UINT kTrayAnimationMilliseconds = 500;
// The tray animation frames that show a picture of their own.
constexpr int kWaveFrame1 = 3;
constexpr int kWaveFrame2 = 4;
constexpr int kIdleFrame = 5;

}  // namespace

DefaultVoiceChoice TfrmMain::DefaultVoice() const {
  const TVoicePicker& picker = speechPage_.Picker();
  return {picker.Entry(), picker.Values()};
}

TextPreparationSettings TfrmMain::PreparationSettings() const {
  const PronunciationSettings pronunciation = pronunciationPage_.Current();
  TextPreparationSettings settings;
  settings.ignoreCharacters = pronunciation.ignoreCharacters;
  settings.ignoredCharacters = pronunciation.ignoredCharacters;
  settings.correctWords = pronunciation.wordsCorrections;
  if (settings.correctWords) settings.corrections = pronunciationPage_.Corrections();
  return settings;
}

VoiceSlot TfrmMain::Slot(int slot) const { return slotsPage_.Slot(slot); }

// The test buttons of the "Default voice" and "Pronunciation" pages.
void TfrmMain::SpeakTestText(const std::wstring& text) {
  reading_->SpeakWithDefaultVoice(text, true);
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

// Setting the timer again would restart its countdown: a reading reported
// again while the animation runs (the next stream, a resume) leaves it alone.
void TfrmMain::SetTrayAnimation(bool running) {
  if (running == trayAnimationRunning_) return;
  trayAnimationRunning_ = running;
  if (running) {
    SetTimer(Handle(), kTrayAnimationTimer, kTrayAnimationMilliseconds, nullptr);
  } else {
    KillTimer(Handle(), kTrayAnimationTimer);
  }
}
