#include "ui/word_editor.h"

#include <algorithm>

#include "settings/words_file.h"
#include "ui/controls.h"
#include "ui/message_boxes.h"
#include "ui/modal_dialog.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kAddButton[] = L"&Add word";
constexpr wchar_t kEditButton[] = L"&Save changes";
constexpr wchar_t kCaseSensitive[] = L"Yes";
constexpr wchar_t kCaseInsensitive[] = L"No";

constexpr wchar_t kNoWordText[] = L"Please, type some word for pronunciation correction.";
constexpr wchar_t kCannotStoreText[] =
    L"Sorry, but a word or its pronunciation can't contain \"###***###\", end with \"###***\" "
    L"or hold a line break. Please, change it.";

std::wstring AlreadyExistsText(const std::wstring& word) {
  return L"Sorry, but pronunciation correction for \"" + word + L"\"  already exists.";
}

class TfrmWord final : public TModalDialog {
 public:
  TfrmWord(WordEditorOwner& owner, const WordEditorRequest& request)
      : TModalDialog(IDD_WORD), owner_(owner), request_(request) {}

  const WordCorrection& Row() const { return row_; }

 private:
  void OnInit() override;
  bool OnOk() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  bool AlreadyInTable(const std::wstring& word) const;
  // The first check that fails, with its message; nothing when all pass.
  std::optional<std::wstring> FailedCheck() const;

  WordEditorOwner& owner_;
  const WordEditorRequest& request_;
  EditBox wordBox_;
  EditBox pronunciationBox_;
  CheckBox caseSensitiveBox_;
  WordCorrection row_;
};

void TfrmWord::OnInit() {
  const bool adding = request_.mode == WordEditorMode::Add;
  ShowIcon(adding ? IDI_EDITOR_ADD : IDI_EDITOR_EDIT);
  SetDlgItemTextW(Handle(), IDOK, adding ? kAddButton : kEditButton);
  wordBox_ = EditBox(GetDlgItem(Handle(), IDC_WORD_FIELD));
  pronunciationBox_ = EditBox(GetDlgItem(Handle(), IDC_PRONOUNCE_FIELD));
  caseSensitiveBox_ = CheckBox(GetDlgItem(Handle(), IDC_CASE_SENSITIVE_CHECKBOX));
  if (!adding) {
    wordBox_.SetText(request_.row.word);
    pronunciationBox_.SetText(request_.row.pronunciation);
    caseSensitiveBox_.SetChecked(request_.row.caseFlag == kCaseSensitive);
  }
}

bool TfrmWord::AlreadyInTable(const std::wstring& word) const {
  if (request_.table == nullptr) return false;
  return std::any_of(request_.table->begin(), request_.table->end(),
                     [&](const WordCorrection& row) { return row.word == word; });
}

// A word a row already has is refused only when adding: a changed row may
// take any word.
std::optional<std::wstring> TfrmWord::FailedCheck() const {
  const std::wstring word = wordBox_.Text();
  if (word.empty()) return kNoWordText;
  if (request_.mode == WordEditorMode::Add && AlreadyInTable(word)) return AlreadyExistsText(word);
  if (!CanStoreWordField(word) || !CanStoreWordField(pronunciationBox_.Text())) {
    return kCannotStoreText;
  }
  return std::nullopt;
}

bool TfrmWord::OnOk() {
  if (const std::optional<std::wstring> failed = FailedCheck()) {
    ShowInformation(Handle(), *failed);
    return false;
  }
  row_ = {wordBox_.Text(), pronunciationBox_.Text(),
          caseSensitiveBox_.Checked() ? kCaseSensitive : kCaseInsensitive};
  return true;
}

bool TfrmWord::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_HELP) {
    owner_.ShowHelp(Handle(), HelpTopic::CorrectingPronunciation);
    result = TRUE;
    return true;
  }
  if (message != WM_COMMAND) return false;
  switch (LOWORD(wParam)) {
    case IDC_WORD_EDITOR_TEST_BUTTON:
      owner_.SpeakPronunciation(pronunciationBox_.Text());
      return true;
    case IDC_WORD_HELP_LINK:
      owner_.ShowHelp(Handle(), HelpTopic::CorrectingPronunciation);
      return true;
    default:
      return false;
  }
}

}  // namespace

std::optional<WordCorrection> EditWordCorrection(HINSTANCE instance, HWND owner,
                                                 WordEditorOwner& requests,
                                                 const WordEditorRequest& request) {
  TfrmWord editor(requests, request);
  if (!editor.ShowModal(instance, owner)) return std::nullopt;
  return editor.Row();
}
