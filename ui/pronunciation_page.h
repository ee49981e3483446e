#pragma once
// The "Pronunciation" page of the options window: the characters ignored when
// reading, and the table of pronunciation corrections with its buttons. The
// table is words.ini as it stands: every change of a row is written to the
// file at once.

#include <windows.h>

#include <string>
#include <vector>

#include "settings/main_settings.h"
#include "settings/word_correction.h"
#include "ui/controls.h"
#include "ui/table_page.h"
#include "ui/test_text_speaker.h"
#include "ui/word_editor.h"

class THints;

// What the page and its correction editor ask of the window that holds it.
class PronunciationPageOwner : public TestTextSpeaker, public WordEditorOwner {
 protected:
  ~PronunciationPageOwner() = default;
};

class TPronunciationPage : public TTablePage {
 public:
  // The corrections are kept in the file at `storePath`.
  TPronunciationPage(PronunciationPageOwner& owner, std::wstring storePath);

  void Load(const PronunciationSettings& settings);
  PronunciationSettings Current() const;
  // The table's rows from the top down.
  const std::vector<WordCorrection>& Corrections() const { return rows_; }

  // words.ini into the table; without the file the table stays as it is.
  // Throws when the file cannot be read.
  void RestoreWords();
  // The table into words.ini, in one step; throws when it cannot be written,
  // and the file is then as it was. Until the file has been read (or found
  // missing), nothing is written: a file that could not be read is never
  // replaced by a table that does not hold its rows.
  void SaveWords() const;

  void OnAdd() override;
  void OnEdit() override;
  void OnDelete() override;
  // "&Test": the selected row's pronunciation; nothing without a selection.
  void OnTestCorrection();

  // The ignored characters' box shows a hint while the mouse rests on it.
  void AddHints(THints& hints) const;

  void SetDpi(UINT dpi) override;

 protected:
  void OnInit() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  int RowCount() const override { return static_cast<int>(rows_.size()); }
  std::wstring CellText(int row, int column) const override;
  // The table shows the rows as they are now, its last column making room
  // for the scroll bar that many rows bring.
  void ShowCorrections() const;
  void MakeColumnsWidths() const;
  int SelectedRow() const;
  void SelectRow(int row);
  // SaveWords after a change, saying so when the file could not be written.
  void SaveChangedWords();
  // A change goes into the file's rows: a file that could not be read is
  // read again first. While it still cannot be, the user is told, and the
  // answer is false.
  bool RowsCanChange();

  PronunciationPageOwner& owner_;
  std::wstring storePath_;
  CheckBox ignoreCharactersBox_;
  EditBox ignoredCharactersBox_;
  CheckBox correctWordsBox_;
  std::vector<WordCorrection> rows_;
  // The rows are what words.ini held when it was last read, or what was
  // written to it since.
  bool rowsFromFile_ = false;
};
