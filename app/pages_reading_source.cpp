#include "app/pages_reading_source.h"

DefaultVoiceChoice PagesReadingSource::DefaultVoice() const { return speech_.DefaultVoice(); }

TextPreparationSettings PagesReadingSource::PreparationSettings() const {
  const PronunciationSettings pronunciation = pronunciation_.Current();
  TextPreparationSettings settings;
  settings.ignoreCharacters = pronunciation.ignoreCharacters;
  settings.ignoredCharacters = pronunciation.ignoredCharacters;
  settings.correctWords = pronunciation.wordsCorrections;
  if (settings.correctWords) settings.corrections = pronunciation_.Corrections();
  return settings;
}

VoiceSlot PagesReadingSource::Slot(int slot) const { return slots_.Slot(slot); }
