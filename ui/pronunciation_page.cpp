#include "ui/pronunciation_page.h"

#include <commctrl.h>

#include "base/dpi.h"
#include "settings/file_replace.h"
#include "settings/words_store.h"
#include "ui/accessible_name.h"
#include "ui/hints.h"
#include "ui/message_boxes.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kCaption[] = L"Pronunciation";
// The names under which cfg.ini keeps the focused control.
constexpr NamedControl kFocusNames[] = {
    {L"IgnoreCharacters_CheckBox", IDC_IGNORECHARACTERS_CHECKBOX},
    {L"Ignored_Characters", IDC_IGNORED_CHARACTERS},
    {L"WordsCorr_CheckBox", IDC_WORDSCORR_CHECKBOX},
    {L"Words_Table", IDC_WORDS_TABLE},
};
constexpr wchar_t kIgnoredCharactersHint[] = L"This characters will be ignored when reading";
// The design text holds the first seven of the default characters; the
// configuration load puts in the saved ones.
constexpr wchar_t kIgnoredCharactersDesign[] = L"*\\/\"`_~";
constexpr wchar_t kCannotSaveText[] = L"Can't save pronunciation corrections.";

std::wstring DeleteQuestion(const std::wstring& word) {
  return L"Are you sure to delete pronunciation correction for word \"" + word + L"\"?";
}

// The columns of the table: the word, its pronunciation, "Yes" or "No".
constexpr int kWordColumn = 0;
constexpr int kPronunciationColumn = 1;
constexpr int kCaseSensitiveColumn = 2;
constexpr ListColumn kColumns[] = {
    {L"         Word", 90, false}, {L"Pronunciation", 90, false}, {L"Case sensitive", 96, false}};
// From this many rows on, the table shows its vertical scroll bar, and the
// last column makes room for it.
constexpr int kRowsBeforeScrollBar = 8;
constexpr int kNarrowCaseSensitiveWidth = 80;

}  // namespace

TPronunciationPage::TPronunciationPage(PronunciationPageOwner& owner, std::wstring storePath)
    : TTablePage(IDD_PAGE_PRONUNCIATION, kCaption, kFocusNames, IDC_WORDS_TABLE,
                 {IDC_WORD_ADD_BUTTON, IDC_WORD_EDIT_BUTTON, IDC_WORD_DELETE_BUTTON, 0}),
      owner_(owner),
      storePath_(std::move(storePath)) {}

void TPronunciationPage::OnInit() {
  ignoreCharactersBox_ = CheckBox(Control(IDC_IGNORECHARACTERS_CHECKBOX));
  ignoredCharactersBox_ = EditBox(Control(IDC_IGNORED_CHARACTERS));
  ignoredCharactersBox_.SetText(kIgnoredCharactersDesign);
  correctWordsBox_ = CheckBox(Control(IDC_WORDSCORR_CHECKBOX));
  SetUpReportList(Table(), kColumns);
  // The check box before the table says what it holds.
  NameAfterLabel(Table(), Control(IDC_WORDSCORR_CHECKBOX));
}

bool TPronunciationPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
  if (HandleTableMessage(message, wParam, lParam)) return true;
  if (message != WM_COMMAND || LOWORD(wParam) != IDC_WORD_TEST_BUTTON) return false;
  OnTestCorrection();
  return true;
}

std::wstring TPronunciationPage::CellText(int row, int column) const {
  const WordCorrection& correction = rows_[static_cast<size_t>(row)];
  return column == kWordColumn            ? correction.word
         : column == kPronunciationColumn ? correction.pronunciation
                                          : correction.caseFlag;
}

void TPronunciationPage::ShowCorrections() const {
  ShowRows();
  MakeColumnsWidths();
}

void TPronunciationPage::MakeColumnsWidths() const {
  const int width = static_cast<int>(rows_.size()) < kRowsBeforeScrollBar
                        ? kColumns[kCaseSensitiveColumn].widthAt96Dpi
                        : kNarrowCaseSensitiveWidth;
  ListView_SetColumnWidth(Table(), kCaseSensitiveColumn, ScaleForWindow(Table(), width));
}

void TPronunciationPage::Load(const PronunciationSettings& settings) {
  ignoreCharactersBox_.SetChecked(settings.ignoreCharacters);
  ignoredCharactersBox_.SetText(settings.ignoredCharacters);
  correctWordsBox_.SetChecked(settings.wordsCorrections);
}

PronunciationSettings TPronunciationPage::Current() const {
  return {ignoreCharactersBox_.Checked(), ignoredCharactersBox_.Text(), correctWordsBox_.Checked()};
}

void TPronunciationPage::RestoreWords() {
  std::optional<std::vector<WordCorrection>> rows;
  try {
    rows = ReadWordsFile(storePath_);
  } catch (...) {
    rowsFromFile_ = false;
    throw;
  }
  rowsFromFile_ = true;
  if (!rows) return;
  // The rows read are other ones than those shown: no selection stays on them.
  rows_ = *std::move(rows);
  ShowOtherRows();
  MakeColumnsWidths();
}

void TPronunciationPage::SaveWords() const {
  if (rowsFromFile_) WriteWordsFile(storePath_, rows_);
}

bool TPronunciationPage::RowsCanChange() {
  if (rowsFromFile_) return true;
  try {
    RestoreWords();
    return true;
  } catch (...) {
    ShowWarning(Handle(), kCannotSaveText);
    return false;
  }
}

void TPronunciationPage::SaveChangedWords() {
  try {
    SaveWords();
  } catch (...) {
    ShowWarning(Handle(), kCannotSaveText);
  }
}

int TPronunciationPage::SelectedRow() const {
  return ListView_GetNextItem(Table(), -1, LVNI_SELECTED);
}

void TPronunciationPage::SelectRow(int row) {
  if (row >= 0 && row < static_cast<int>(rows_.size())) SelectOnlyRow(Table(), row);
}

// Whether the user added a row or not, the last row ends selected.
void TPronunciationPage::OnAdd() {
  if (!RowsCanChange()) return;
  const WordEditorRequest request{.mode = WordEditorMode::Add, .row = {}, .table = &rows_};
  if (const std::optional<WordCorrection> row =
          EditWordCorrection(Instance(), Handle(), owner_, request)) {
    rows_.push_back(*row);
    ShowCorrections();
    SaveChangedWords();
  }
  SelectRow(static_cast<int>(rows_.size()) - 1);
  SetFocus(Table());
}

// Without a selection the first row is the one edited; a row keeps its place.
void TPronunciationPage::OnEdit() {
  if (!RowsCanChange()) return;
  if (rows_.empty()) {
    SetFocus(Table());
    return;
  }
  int row = SelectedRow();
  if (row < 0) {
    row = 0;
    SelectRow(row);
  }
  SetFocus(Table());
  const WordEditorRequest request{
      .mode = WordEditorMode::Edit, .row = rows_[static_cast<size_t>(row)], .table = &rows_};
  if (const std::optional<WordCorrection> edited =
          EditWordCorrection(Instance(), Handle(), owner_, request)) {
    rows_[static_cast<size_t>(row)] = *edited;
    ShowCorrections();
    SaveChangedWords();
  }
  SelectRow(row);
  SetFocus(Table());
}

// Whatever the answer, the row above ends selected; with the last row the
// file goes.
void TPronunciationPage::OnDelete() {
  const int row = SelectedRow();
  if (row < 0 || !RowsCanChange() || row >= static_cast<int>(rows_.size())) return;
  if (AskYesNo(Handle(), DeleteQuestion(rows_[static_cast<size_t>(row)].word), MB_ICONQUESTION)) {
    rows_.erase(rows_.begin() + row);
    ShowCorrections();
    SaveChangedWords();
  }
  if (row > 0) SelectRow(row - 1);
  if (rows_.empty()) {
    try {
      DeleteWholeFile(storePath_);
    } catch (...) {
      ShowWarning(Handle(), kCannotSaveText);
    }
  }
}

void TPronunciationPage::OnTestCorrection() {
  const int row = SelectedRow();
  if (row < 0) return;
  owner_.SpeakTestText(rows_[static_cast<size_t>(row)].pronunciation);
}

void TPronunciationPage::AddHints(THints& hints) const {
  hints.Add(ignoredCharactersBox_.Handle(), kIgnoredCharactersHint);
}

void TPronunciationPage::SetDpi(UINT dpi) {
  SetReportListDpi(Table(), kColumns, dpi);
  MakeColumnsWidths();
}
