// The main window's GetSelectedText: the selection captured through the
// clipboard, then prepared with the Pronunciation page's settings as the
// controls hold them at this moment, confirmed with OK or not.
#include <windows.h>

#include <commctrl.h>

#include "app/application.h"
#include "app/main_form.h"
#include "reading/selected_text.h"
#include "reading/text_preparation.h"
#include "ui/list_view.h"

namespace {

// The columns of Words_Table: the word, its pronunciation, "Yes" or "No".
constexpr int kWordColumn = 0;
constexpr int kPronunciationColumn = 1;
constexpr int kCaseSensitiveColumn = 2;

std::vector<PronunciationCorrection> Corrections(HWND table) {
  std::vector<PronunciationCorrection> corrections;
  const int rows = ListView_GetItemCount(table);
  for (int row = 0; row < rows; ++row) {
    corrections.push_back({ListViewCellText(table, row, kWordColumn),
                           ListViewCellText(table, row, kPronunciationColumn),
                           ListViewCellText(table, row, kCaseSensitiveColumn)});
  }
  return corrections;
}

}  // namespace

std::wstring TfrmMain::GetSelectedText() {
  std::wstring text =
      CaptureSelectedText(application_.Handle(), [this] { application_.ProcessMessages(); });
  TextPreparationSettings settings;
  settings.ignoreCharacters = IgnoreCharacters_CheckBox.Checked();
  settings.ignoredCharacters = Ignored_Characters.Text();
  settings.correctWords = WordsCorr_CheckBox.Checked();
  if (settings.correctWords) settings.corrections = Corrections(Words_Table);
  return PrepareText(std::move(text), settings);
}
