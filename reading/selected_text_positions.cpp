#include "reading/selected_text_positions.h"

namespace {

// Where a rich edit control's positions and its text may part: a paragraph
// end (one position, CR LF in the text), a table's cell and row marks, an
// annotation and an embedded object.
constexpr std::wstring_view kUncertainInRichEdit = L"\r\n\a\uFFF9\uFFFA\uFFFB\uFFFC";

}  // namespace

std::optional<std::wstring> SelectedCharacters(ControlPositions positions,
                                               std::size_t selectionStart, std::size_t selectionEnd,
                                               std::wstring_view head, std::size_t textLength) {
  if (selectionStart > selectionEnd || selectionEnd > kMaxTextReach) return std::nullopt;
  if (head.size() > selectionEnd || head.size() > textLength) return std::nullopt;
  std::size_t end = selectionEnd;
  if (positions == ControlPositions::CertainBeforeParagraphEnds) {
    if (head.find_first_of(kUncertainInRichEdit) != std::wstring_view::npos) return std::nullopt;
    // A rich edit control ends with a paragraph mark that its text leaves
    // out; selecting everything takes it too, and it says nothing aloud.
    if (selectionEnd == textLength + 1 && head.size() == textLength) end = textLength;
  }
  if (head.size() != end || selectionStart > end) return std::nullopt;
  return std::wstring(head.substr(selectionStart));
}
