#pragma once
// The "Pronunciation" page of the options window: the characters ignored when
// reading, and the table of pronunciation corrections with its test button.

#include <windows.h>

#include <string>
#include <vector>

#include "settings/main_settings.h"
#include "settings/word_correction.h"
#include "ui/controls.h"
#include "ui/options_page.h"
#include "ui/test_text_speaker.h"

class THints;

class TPronunciationPage : public TOptionsPage {
 public:
  explicit TPronunciationPage(TestTextSpeaker& speaker);

  void Load(const PronunciationSettings& settings);
  PronunciationSettings Current() const;
  // The table's rows from the top down, as the table shows them.
  std::vector<WordCorrection> Corrections() const;

  // "&Test": the selected row's pronunciation; nothing without a selection.
  void OnTestCorrection();

  // The ignored characters' box shows a hint while the mouse rests on it.
  void AddHints(THints& hints) const;

  HWND CorrectionsTable() const { return correctionsTable_; }

  void SetDpi(UINT dpi) override;
  EditBox IgnoredCharactersBox() const { return ignoredCharactersBox_; }

 protected:
  void OnInit() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  TestTextSpeaker& speaker_;
  CheckBox ignoreCharactersBox_;
  EditBox ignoredCharactersBox_;
  CheckBox correctWordsBox_;
  HWND correctionsTable_ = nullptr;
};
