#include "ui/pronunciation_page.h"

#include <commctrl.h>

#include "ui/hints.h"
#include "ui/list_view.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kCaption[] = L"Pronunciation";
constexpr wchar_t kIgnoredCharactersHint[] = L"This characters will be ignored when reading";
// The design text holds the first seven of the default characters; the
// configuration load puts in the saved ones.
constexpr wchar_t kIgnoredCharactersDesign[] = L"*\\/\"`_~";

// The columns of the table: the word, its pronunciation, "Yes" or "No".
constexpr int kWordColumn = 0;
constexpr int kPronunciationColumn = 1;
constexpr int kCaseSensitiveColumn = 2;
constexpr ListColumn kColumns[] = {
    {L"         Word", 90, false}, {L"Pronunciation", 90, false}, {L"Case sensitive", 96, false}};

}  // namespace

TPronunciationPage::TPronunciationPage(TestTextSpeaker& speaker)
    : TOptionsPage(IDD_PAGE_PRONUNCIATION, kCaption), speaker_(speaker) {}

void TPronunciationPage::OnInit() {
  ignoreCharactersBox_ = CheckBox(Control(IDC_IGNORECHARACTERS_CHECKBOX));
  ignoredCharactersBox_ = EditBox(Control(IDC_IGNORED_CHARACTERS));
  ignoredCharactersBox_.SetText(kIgnoredCharactersDesign);
  correctWordsBox_ = CheckBox(Control(IDC_WORDSCORR_CHECKBOX));
  correctionsTable_ = Control(IDC_WORDS_TABLE);
  SetUpReportList(correctionsTable_, kColumns);
}

bool TPronunciationPage::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  if (message != WM_COMMAND || LOWORD(wParam) != IDC_WORD_TEST_BUTTON) return false;
  OnTestCorrection();
  return true;
}

void TPronunciationPage::Load(const PronunciationSettings& settings) {
  ignoreCharactersBox_.SetChecked(settings.ignoreCharacters);
  ignoredCharactersBox_.SetText(settings.ignoredCharacters);
  correctWordsBox_.SetChecked(settings.wordsCorrections);
}

PronunciationSettings TPronunciationPage::Current() const {
  return {ignoreCharactersBox_.Checked(), ignoredCharactersBox_.Text(), correctWordsBox_.Checked()};
}

std::vector<WordCorrection> TPronunciationPage::Corrections() const {
  std::vector<WordCorrection> corrections;
  const int rows = ListView_GetItemCount(correctionsTable_);
  for (int row = 0; row < rows; ++row) {
    corrections.push_back({ListViewCellText(correctionsTable_, row, kWordColumn),
                           ListViewCellText(correctionsTable_, row, kPronunciationColumn),
                           ListViewCellText(correctionsTable_, row, kCaseSensitiveColumn)});
  }
  return corrections;
}

void TPronunciationPage::OnTestCorrection() {
  const int row = ListView_GetNextItem(correctionsTable_, -1, LVNI_SELECTED);
  if (row < 0) return;
  speaker_.SpeakTestText(ListViewCellText(correctionsTable_, row, kPronunciationColumn));
}

void TPronunciationPage::AddHints(THints& hints) const {
  hints.Add(ignoredCharactersBox_.Handle(), kIgnoredCharactersHint);
}

void TPronunciationPage::SetDpi(UINT dpi) { SetReportListDpi(correctionsTable_, kColumns, dpi); }
