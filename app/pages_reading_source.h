#pragma once
// The reading controller's questions, answered from the options pages'
// controls as they are at the moment of the call: the controls are the live
// settings.

#include "reading/reading_controller.h"
#include "ui/pronunciation_page.h"
#include "ui/slots_page.h"
#include "ui/speech_page.h"

class PagesReadingSource final : public ReadingSource {
 public:
  PagesReadingSource(const TSpeechPage& speech, const TPronunciationPage& pronunciation,
                     const TSlotsPage& slots)
      : speech_(speech), pronunciation_(pronunciation), slots_(slots) {}

  DefaultVoiceChoice DefaultVoice() const override;
  TextPreparationSettings PreparationSettings() const override;
  VoiceSlot Slot(int slot) const override;

 private:
  const TSpeechPage& speech_;
  const TPronunciationPage& pronunciation_;
  const TSlotsPage& slots_;
};
