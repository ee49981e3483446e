#pragma once
// The "Default voice" page of the options window: the voice picker that
// holds the default voice and its values, the test text with its button, and
// the link to the partner's voices.

#include <string>

#include "reading/reading_controller.h"
#include "settings/main_settings.h"
#include "speech/engines.h"
#include "ui/controls.h"
#include "ui/options_page.h"
#include "ui/test_text_speaker.h"
#include "ui/voice_picker.h"

// What the page asks of the window that holds it.
class SpeechPageOwner : public TestTextSpeaker {
 public:
  // "Get more quality voices right now!"
  virtual void ShowMoreVoices() = 0;

 protected:
  ~SpeechPageOwner() = default;
};

class TSpeechPage : public TOptionsPage {
 public:
  TSpeechPage(Engines& engines, SpeechPageOwner& owner);

  TVoicePicker& Picker() { return picker_; }
  const TVoicePicker& Picker() const { return picker_; }

  void SetDpi(UINT dpi) override;
  // A page change by the user arms the voice list's guard: drawing the list
  // must not replace the values the settings gave the sliders, only the
  // user's click on a voice does.
  void OnShown() override { picker_.ArmGuard(); }

  // Builds the catalogue afresh and starts on its first SAPI 5 voice. The
  // entries listed before a voice failed stay listed.
  void LoadVoicesList();

  // Selects the saved voice and gives the sliders its saved values.
  void Load(const SpeechSettings& settings);
  // The selected entry and the values as the boxes show them, every value
  // present.
  SpeechSettings Current() const;
  // The catalogue entry and the values a reading with the default voice
  // takes, as the controls show them now.
  DefaultVoiceChoice DefaultVoice() const { return {picker_.Entry(), picker_.Values()}; }
  // After a load, a list with voices has one of them chosen: the first when
  // none is.
  void ChooseFirstVoiceUnlessChosen();

  // "&Test": the box's text, or the standard sentence when it is empty.
  void OnTest();

 protected:
  void OnInit() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  int SavedVoiceEntry(const SpeechSettings& settings) const;
  void LoadValues(const SpeechSettings& settings);

  Engines& engines_;
  SpeechPageOwner& owner_;
  TVoicePicker picker_;
  EditBox testTextBox_;
};
