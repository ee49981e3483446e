// The default voice: the entry and values of the "Default voice" page's
// picker on their way to the engine, and the test buttons' speech.
#include "app/main_form.h"

#include <string>

#include "speech/ansi_text.h"
#include "speech/voice_catalogue.h"

int TfrmMain::DefaultVoiceFamily() const { return speechPage_.Picker().Family(); }

// The sliders' positions go to the engine as they are (a SAPI 4 engine's
// within its bounds); a SAPI 5 voice's pitch travels in the pitch prefix when
// it speaks.
void TfrmMain::SelectDefaultVoice() {
  const TVoicePicker& picker = speechPage_.Picker();
  engines_.SelectVoice(picker.Entry(), picker.Values());
}

void TfrmMain::SpeakWithDefaultVoice(const std::wstring& text, bool purgeFirst) {
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
  PitchPrefix = PitchPrefixText(speechPage_.Picker().Values().pitch);
  SpeakBehindPitchPrefix(text);
}

// Only the program's own tags are markup. Behind the pitch prefix the text is
// escaped; without a prefix it is marked as plain text, so that a selection
// that starts with "<" is not taken for markup either.
void TfrmMain::SpeakBehindPitchPrefix(std::wstring_view text) {
  if (PitchPrefix.empty()) {
    engines_.Sapi5().Speak(std::wstring(text),
                           static_cast<SpeechVoiceSpeakFlags>(SVSFlagsAsync | SVSFIsNotXML));
    return;
  }
  engines_.Sapi5().Speak(PitchPrefix + EscapeSpeechMarkup(text), SVSFlagsAsync);
}

// The test buttons of the "Default voice" and "Pronunciation" pages.
void TfrmMain::SpeakTestText(const std::wstring& text) { SpeakWithDefaultVoice(text, true); }
