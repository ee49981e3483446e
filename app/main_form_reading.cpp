// What the application hot keys do: reading with the default voice or a
// slot's voice, pausing and resuming, and following the engines' start and
// end notifications with the tray icon and menu.
#include "app/main_form.h"
#include "app/res/resource.h"
#include "base/exception_guard.h"
#include "reading/reading_rules.h"
#include "speech/ansi_text.h"
#include "speech/voice_catalogue.h"

namespace {

constexpr UINT kTrayAnimationMilliseconds = 500;
// The tray animation frames that show a picture of their own.
constexpr int kWaveFrame1 = 3;
constexpr int kWaveFrame2 = 4;
constexpr int kIdleFrame = 5;

// Runs one step of a reading path; a failure ends the step with the warning
// sound and lets the path go on.
template <class Step>
void Guarded(const std::function<void()>& warningSound, Step&& step) {
  try {
    step();
  } catch (...) {
    warningSound();
  }
}

}  // namespace

void TfrmMain::ConnectEngineEvents() {
  engines_.Sapi5().OnStartStream = [this](long, const VARIANT&) { SpeechAPI5StartStream(); };
  engines_.Sapi5().OnEndStream = [this](long, const VARIANT&) { SpeechAPI5EndStream(); };
  engines_.Sapi5().OnWord = [this](long, const VARIANT&, long, long) { SpeechAPI5Word(); };
  engines_.Sapi4().OnStart = [this](IUnknown*) { SpeechAPI4Start(); };
  engines_.Sapi4().OnStop = [this](IUnknown*) { SpeechAPI4Stop(); };
}

// The text is taken before the voice object is renewed, and the renewed
// object gets the default voice again: nothing queued or paused survives.
void TfrmMain::DefaultHotKeyHotKey(GlobalHotKey&) {
  PitchPrefix.clear();
  Guarded(WarningSound, [&] {
    SelectDefaultVoice();
    if (DefaultVoiceFamily() == kSapi4Family) {
      SpeakWithSapi4(GetSelectedText());
      return;
    }
    const std::wstring text(CutForReading(GetSelectedText()));
    engines_.Sapi5().Disconnect();
    engines_.Sapi5().Connect();
    SelectDefaultVoice();
    PitchPrefix = PitchPrefixText(speechPage_.Picker().Values().pitch);
    engines_.Sapi5().Speak(L"", SVSFPurgeBeforeSpeak);
    SpeakBehindPitchPrefix(text);
  });
}

void TfrmMain::SpeakWithSapi4(const std::wstring& text) {
  engines_.Sapi4().Text = AnsiReadingLines(text, kMaxReadingLength);
  engines_.Sapi4().SpeakText();
}

SlotVoiceSettings TfrmMain::SlotSettings(int slot) const { return slotsPage_.Slot(slot); }

void TfrmMain::SelectSlot(GlobalHotKey& hotKey) {
  SetForegroundWindow(GetForegroundWindow());
  PitchPrefix.clear();
  SlotVoiceSettings slot;
  try {
    slot = SlotSettings(hotKey.Tag());
  } catch (...) {
    WarningSound();
    return;
  }
  if (slot.family == kSapi5Family && engines_.Sapi5Available()) {
    ReadWithSapi5Slot(slot);
  } else if (engines_.Sapi4Available()) {
    ReadWithSapi4Slot(slot);
  }
}

// Three steps that each beep on failure: speech is still tried after a voice
// that could not be set, with the fresh voice object's own voice.
void TfrmMain::ReadWithSapi5Slot(const SlotVoiceSettings& slot) {
  Guarded(WarningSound, [&] {
    if (engines_.Sapi4Available()) engines_.Sapi4().StopSpeech();
    engines_.Sapi5().Pause();
    engines_.Sapi5().Disconnect();
    engines_.Sapi5().Connect();
  });
  Guarded(WarningSound, [&] { PitchPrefix = engines_.SelectSlotVoice(slot); });
  Guarded(WarningSound, [&] {
    engines_.Sapi5().Speak(L"", SVSFPurgeBeforeSpeak);
    SpeakBehindPitchPrefix(CutForReading(GetSelectedText()));
  });
}

// A SAPI 5 slot comes here when no SAPI 5 voice is usable; its voice is then
// looked for among the SAPI 4 engines and not found. The SAPI 5 voice is
// held, emptied and let go again: a pause left behind would keep it silent
// for every later speech that does not reconnect it (the test buttons, the
// welcome greeting).
void TfrmMain::ReadWithSapi4Slot(SlotVoiceSettings slot) {
  Guarded(WarningSound, [&] {
    engines_.Sapi4().StopSpeech();
    if (engines_.Sapi5Available()) {
      engines_.Sapi5().Pause();
      engines_.Sapi5().Speak(L"", SVSFPurgeBeforeSpeak);
      engines_.Sapi5().ResumeEveryPause();
    }
    slot.family = kSapi4Family;
    engines_.SelectSlotVoice(slot);
    SpeakWithSapi4(GetSelectedText());
  });
}

void TfrmMain::OptionsHotKeyHotKey(GlobalHotKey&) { Options1Click(); }

void TfrmMain::StopHotKeyHotKey(GlobalHotKey&) { Stopreading1Click(); }

void TfrmMain::Stopreading1Click() {
  const bool defaultIsSapi5 = DefaultVoiceFamily() == kSapi5Family;
  if (paused) {
    paused = false;
    // The engines' answers to pause and resume are not the user's concern.
    if (defaultIsSapi5 && engines_.Sapi5Available())
      CallGuarded([&] { engines_.Sapi5().Resume(); });
    if (!defaultIsSapi5 && engines_.Sapi4Available() && engines_.Sapi4().Paused()) {
      CallGuarded([&] { engines_.Sapi4().ResumeSpeech(); });
    }
    SetTrayAnimation(true);
    ShowPauseCaption(true);
    reading = true;
  } else if (reading) {
    paused = true;
    if (defaultIsSapi5 && engines_.Sapi5Available()) CallGuarded([&] { engines_.Sapi5().Pause(); });
    // Also holds a reading that a SAPI 4 slot started.
    if (engines_.Sapi4Available()) CallGuarded([&] { engines_.Sapi4().PauseSpeech(); });
    SetTrayAnimation(false);
    TrayIcon->SetIcon(Image5);
    ShowPauseCaption(false);
    reading = false;
  }
}

void TfrmMain::SpeechAPI5StartStream() {
  ShowPauseCaption(true);
  paused = false;
  SetTrayAnimation(true);
  reading = true;
}

void TfrmMain::SpeechAPI4Start() {
  ShowPauseCaption(true);
  paused = false;
  reading = true;
  SetTrayAnimation(true);
}

void TfrmMain::SpeechAPI5EndStream() {
  SetTrayAnimation(false);
  TrayIcon->SetIcon(Image5);
  reading = false;
}

void TfrmMain::SpeechAPI4Stop() { SpeechAPI5EndStream(); }

void TfrmMain::SpeechAPI5Word() { SetTrayAnimation(reading); }

void TfrmMain::TrayAnimation_TimerTimer() {
  TrayIcon->Tag = NextTrayAnimationFrame(TrayIcon->Tag);
  switch (TrayIcon->Tag) {
    case kWaveFrame1:
      TrayIcon->SetIcon(Image3);
      break;
    case kWaveFrame2:
      TrayIcon->SetIcon(Image4);
      break;
    case kIdleFrame:
      TrayIcon->SetIcon(Image5);
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

void TfrmMain::ShowPauseCaption(bool pause) {
  TrayMenu->SetCaption(IDM_STOPREADING1, pause ? kPauseCaption : kResumeCaption);
}
