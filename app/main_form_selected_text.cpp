// The main window's GetSelectedText: the selection captured through the
// clipboard, then prepared with the Pronunciation page's settings as the
// controls hold them at this moment, confirmed with OK or not.
#include <windows.h>

#include "app/application.h"
#include "app/main_form.h"
#include "reading/selected_text.h"
#include "reading/text_preparation.h"

std::wstring TfrmMain::GetSelectedText() {
  std::wstring text =
      CaptureSelectedText(application_.Handle(), [this] { application_.ProcessMessages(); });
  const PronunciationSettings pronunciation = pronunciationPage_.Current();
  TextPreparationSettings settings;
  settings.ignoreCharacters = pronunciation.ignoreCharacters;
  settings.ignoredCharacters = pronunciation.ignoredCharacters;
  settings.correctWords = pronunciation.wordsCorrections;
  if (settings.correctWords) settings.corrections = pronunciationPage_.Corrections();
  return PrepareText(std::move(text), settings);
}
