#include "reading/reading_controller.h"

#include <stdexcept>

#include "base/exception_guard.h"
#include "reading/case_fold_system.h"
#include "reading/reading_rules.h"
#include "reading/selected_text.h"
#include "speech/ansi_text.h"

ReadingController::ReadingController(Engines& engines, const ReadingSource& source,
                                     ReadingFeedback& feedback, HWND clipboardOwner,
                                     std::function<void()> processMessages,
                                     IntegrityCheck runsAtHigherIntegrity)
    : engines_(engines),
      source_(source),
      feedback_(feedback),
      pendingRestore_(clipboardOwner),
      processMessages_(std::move(processMessages)),
      runsAtHigherIntegrity_(std::move(runsAtHigherIntegrity)) {
  ConnectEngineEvents();
}

ReadingController::~ReadingController() {
  TSpVoice& voice = engines_.Sapi5();
  voice.OnStartStream = nullptr;
  voice.OnEndStream = nullptr;
  engines_.Sapi4().OnStart = nullptr;
  engines_.Sapi4().OnStop = nullptr;
}

void ReadingController::ConnectEngineEvents() {
  TSpVoice& voice = engines_.Sapi5();
  voice.OnStartStream = [this](long, const VARIANT&) { SpeechAPI5StartStream(); };
  voice.OnEndStream = [this](long, const VARIANT&) { SpeechAPI5EndStream(); };
  engines_.Sapi4().OnStart = [this](IUnknown*) { SpeechAPI4Start(); };
  engines_.Sapi4().OnStop = [this](IUnknown*) { SpeechAPI4Stop(); };
}

void ReadingController::Guarded(const std::function<void()>& step) {
  try {
    step();
  } catch (...) {
    feedback_.ReadingFailed();
  }
}

void ReadingController::Report(ReadingState state) { feedback_.ReadingStateChanged(state); }

// Windows drops our keystroke to such a program without a word, and the
// capture would read the clipboard's earlier content instead: text the user
// never selected. The reading fails (the beep); the why is told once a run.
void ReadingController::RequireForegroundWithinReach() {
  if (!runsAtHigherIntegrity_(GetForegroundWindow())) return;
  if (!higherIntegrityNoticeShown_) {
    higherIntegrityNoticeShown_ = true;
    feedback_.ShowNotice(kHigherIntegrityNotice);
  }
  throw std::runtime_error("the foreground program runs at a higher integrity level");
}

std::wstring ReadingController::GetSelectedText() {
  RequireForegroundWithinReach();
  return PrepareCapture(CaptureSelectedText(pendingRestore_, processMessages_),
                        source_.PreparationSettings(), SystemCaseFold);
}

int ReadingController::DefaultVoiceFamily() const {
  return engines_.FamilyOf(source_.DefaultVoice().entry);
}

// The sliders' positions go to the engine as they are (a SAPI 4 engine's
// within its bounds); a SAPI 5 voice's pitch travels in the pitch prefix.
void ReadingController::SelectDefaultVoice() {
  const DefaultVoiceChoice voice = source_.DefaultVoice();
  engines_.SelectVoice(voice.entry, voice.values);
}

// The text is taken before the voice object is renewed, and the renewed
// object gets the default voice again: nothing queued or paused survives.
void ReadingController::DefaultHotKeyHotKey() {
  pitchPrefix_.clear();
  ReadingProgress progress;
  Guarded([&] {
    if (DefaultVoiceFamily() == kSapi4Family) {
      // Selecting the engine again replaces it.
      progress.sapi4Silenced = true;
      SelectDefaultVoice();
      progress.textHandedOver = SpeakWithSapi4(GetSelectedText());
      return;
    }
    SelectDefaultVoice();
    const std::wstring text(CutForReading(GetSelectedText()));
    TSpVoice& voice = engines_.Sapi5();
    progress.sapi5Silenced = true;
    voice.Disconnect();
    voice.Connect();
    SelectDefaultVoice();
    pitchPrefix_ = PitchPrefixText(source_.DefaultVoice().values.pitch);
    voice.Speak(L"", SVSFPurgeBeforeSpeak);
    SpeakBehindPitchPrefix(text);
    progress.textHandedOver = true;
  });
  EndIfNothingFollows(progress);
}

// Only a reading in a silenced family has lost its end; one in the other
// family still reports its own.
void ReadingController::EndIfNothingFollows(const ReadingProgress& progress) {
  if (progress.textHandedOver || !progress.Silenced(speakingFamily_)) return;
  if (!reading_ && !paused_) return;
  paused_ = false;
  Ended();
}

void ReadingController::SpeakWithDefaultVoice(const std::wstring& text, bool purgeFirst) {
  SelectDefaultVoice();
  if (DefaultVoiceFamily() == kSapi4Family) {
    engines_.Sapi4().Text = AnsiLines(text);
    engines_.Sapi4().SpeakText();
    return;
  }
  // What was purged needs no pause any more, and the text must be heard
  // after a reading the user paused too.
  if (purgeFirst) {
    engines_.Sapi5().Speak(L"", SVSFPurgeBeforeSpeak);
    engines_.Sapi5().ResumeEveryPause();
  }
  pitchPrefix_ = PitchPrefixText(source_.DefaultVoice().values.pitch);
  SpeakBehindPitchPrefix(text);
}

// The SAPI 5 voice gets its pitch from the prefix, closed behind the sentence.
void ReadingController::SpeakSlotTest(int entry, const VoiceValues& values) {
  if (entry < 0) return;
  if (engines_.FamilyOf(entry) == kSapi4Family) {
    engines_.SelectVoice(entry, values);
    engines_.Sapi4().Text = AnsiLines(kTestSentence);
    engines_.Sapi4().SpeakText();
    return;
  }
  TSpVoice& voice = engines_.Sapi5();
  if (!voice.Connected()) voice.Connect();
  engines_.SelectVoice(entry, values);
  pitchPrefix_ = PitchPrefixText(values.pitch);
  // As for the default voice's test, a reading the user paused must not keep
  // the sentence from being heard.
  voice.Speak(L"", SVSFPurgeBeforeSpeak);
  voice.ResumeEveryPause();
  voice.Speak(pitchPrefix_ + kTestSentence + L"</pitch>", SVSFlagsAsync);
}

// Only the program's own tags are markup. Behind the pitch prefix the text is
// escaped; without a prefix it is marked as plain text, so that a selection
// that starts with "<" is not taken for markup either.
void ReadingController::SpeakBehindPitchPrefix(std::wstring_view text) {
  if (pitchPrefix_.empty()) {
    engines_.Sapi5().Speak(std::wstring(text),
                           static_cast<SpeechVoiceSpeakFlags>(SVSFlagsAsync | SVSFIsNotXML));
    return;
  }
  engines_.Sapi5().Speak(pitchPrefix_ + EscapeSpeechMarkup(text), SVSFlagsAsync);
}

bool ReadingController::SpeakWithSapi4(const std::wstring& text) {
  engines_.Sapi4().Text = AnsiReadingLines(text, kMaxReadingLength);
  return engines_.Sapi4().SpeakText();
}

void ReadingController::SelectSlot(int slotNumber) {
  SetForegroundWindow(GetForegroundWindow());
  pitchPrefix_.clear();
  VoiceSlot slot;
  try {
    slot = source_.Slot(slotNumber);
  } catch (...) {
    feedback_.ReadingFailed();
    return;
  }
  if (slot.family == kSapi5Family && engines_.Sapi5Available()) {
    ReadWithSapi5Slot(slot);
  } else if (engines_.Sapi4Available()) {
    ReadWithSapi4Slot(slot);
  }
}

// Three steps that each fail on their own: speech is still tried after a
// voice that could not be set, with the fresh voice object's own voice.
void ReadingController::ReadWithSapi5Slot(const VoiceSlot& slot) {
  TSpVoice& voice = engines_.Sapi5();
  ReadingProgress progress;
  Guarded([&] {
    if (engines_.Sapi4Available()) {
      progress.sapi4Silenced = true;
      engines_.Sapi4().StopSpeech();
    }
    voice.Pause();
    progress.sapi5Silenced = true;
    voice.Disconnect();
    voice.Connect();
  });
  Guarded([&] { pitchPrefix_ = engines_.SelectSlotVoice(slot); });
  Guarded([&] {
    voice.Speak(L"", SVSFPurgeBeforeSpeak);
    SpeakBehindPitchPrefix(CutForReading(GetSelectedText()));
    progress.textHandedOver = true;
  });
  EndIfNothingFollows(progress);
}

// A SAPI 5 slot comes here when no SAPI 5 voice is usable; its voice is then
// looked for among the SAPI 4 engines and not found. The SAPI 5 voice is
// held, emptied and let go again: a pause left behind would keep it silent
// for every later speech that does not reconnect it (the test buttons, the
// welcome greeting).
void ReadingController::ReadWithSapi4Slot(VoiceSlot slot) {
  ReadingProgress progress{.sapi4Silenced = true};
  Guarded([&] {
    engines_.Sapi4().StopSpeech();
    if (engines_.Sapi5Available()) {
      progress.sapi5Silenced = true;
      engines_.Sapi5().Pause();
      engines_.Sapi5().Speak(L"", SVSFPurgeBeforeSpeak);
      engines_.Sapi5().ResumeEveryPause();
    }
    slot.family = kSapi4Family;
    engines_.SelectSlotVoice(slot);
    progress.textHandedOver = SpeakWithSapi4(GetSelectedText());
  });
  EndIfNothingFollows(progress);
}

// Every engine is silenced and let go of any pause, so that nothing is left
// for the pause command to resume. A purged or reset stream reports its end
// late or never, so the reading ends here.
void ReadingController::StopReading() {
  if (engines_.Sapi4Available()) CallGuarded([&] { engines_.Sapi4().StopSpeech(); });
  if (engines_.Sapi5Available()) {
    CallGuarded([&] {
      engines_.Sapi5().Speak(L"", SVSFPurgeBeforeSpeak);
      engines_.Sapi5().ResumeEveryPause();
    });
  }
  paused_ = false;
  Ended();
}

void ReadingController::PauseOrResume() {
  const bool defaultIsSapi5 = DefaultVoiceFamily() == kSapi5Family;
  const bool sapi4 = engines_.Sapi4Available();
  const bool sapi5 = engines_.Sapi5Available();
  if (paused_) {
    paused_ = false;
    // The engines' answers to pause and resume are not the user's concern.
    if (defaultIsSapi5 && sapi5) CallGuarded([&] { engines_.Sapi5().Resume(); });
    if (!defaultIsSapi5 && sapi4 && engines_.Sapi4().Paused()) {
      CallGuarded([&] { engines_.Sapi4().ResumeSpeech(); });
    }
    reading_ = true;
    Report(ReadingState::Reading);
  } else if (reading_) {
    paused_ = true;
    if (defaultIsSapi5 && sapi5) CallGuarded([&] { engines_.Sapi5().Pause(); });
    // Also holds a reading that a SAPI 4 slot started.
    if (sapi4) CallGuarded([&] { engines_.Sapi4().PauseSpeech(); });
    reading_ = false;
    Report(ReadingState::Paused);
  }
}

void ReadingController::Started(int family) {
  speakingFamily_ = family;
  paused_ = false;
  reading_ = true;
  Report(ReadingState::Reading);
}

void ReadingController::SpeechAPI5StartStream() { Started(kSapi5Family); }

void ReadingController::SpeechAPI4Start() { Started(kSapi4Family); }

// Some SAPI 4 engines report a pause as the end of their audio: a paused
// reading stays paused, and the menu goes on offering "Resume".
void ReadingController::Ended() {
  reading_ = false;
  Report(paused_ ? ReadingState::Paused : ReadingState::Ended);
}

void ReadingController::SpeechAPI5EndStream() { Ended(); }

void ReadingController::SpeechAPI4Stop() { Ended(); }
