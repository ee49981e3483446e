// What an edit control tells of its selection, turned into the selected
// characters. The rich edit cases are what Wine's RichEdit20W and
// RICHEDIT50W answered, measured from another process: a paragraph end is
// one position there but CR LF in WM_GETTEXT, and selecting everything ends
// one past the text, at the final paragraph mark.
#include "reading/selected_text_positions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr auto kEdit = ControlPositions::TextCharacters;
constexpr auto kRichEdit = ControlPositions::CertainBeforeParagraphEnds;

struct Answers {
  const char* what;
  ControlPositions positions;
  std::size_t start;
  std::size_t end;
  std::wstring head;
  std::size_t length;
  std::optional<std::wstring> selected;
};

TEST(SelectedCharacters, AreTakenOnlyWherePositionsAndTextAgree) {
  const std::wstring paragraphs = L"one\r\ntwo\r\nthree";
  const Answers cases[] = {
      {"an edit control counts a line end as two", kEdit, 5, 8, L"one\r\ntwo", 15, L"two"},
      {"and selects it as two", kEdit, 0, 8, L"one\r\ntwo", 15, L"one\r\ntwo"},
      {"a rich edit control in its first paragraph", kRichEdit, 6, 11, L"Hello world", 25,
       L"world"},
      {"a paragraph end before the selection", kRichEdit, 4, 7, L"one\r\ntw", 15, std::nullopt},
      {"a paragraph end inside it", kRichEdit, 0, 14, paragraphs.substr(0, 14), 15, std::nullopt},
      {"an embedded object", kRichEdit, 2, 4, L"a\uFFFCbc", 6, std::nullopt},
      {"everything up to the final paragraph mark", kRichEdit, 0, 9, L"ab\vcd\tef", 8,
       L"ab\vcd\tef"},
      {"an edit control has no final mark", kEdit, 0, 9, L"ab\vcd\tef", 8, std::nullopt},
      {"a text shorter than the selection", kEdit, 2, 10, L"short", 5, std::nullopt},
      {"a text longer than was asked for", kEdit, 0, 3, L"longer", 6, std::nullopt},
      {"a start after the end", kEdit, 4, 2, L"ab", 6, std::nullopt},
      {"a selection beyond reach", kEdit, 0, kMaxTextReach + 1,
       std::wstring(kMaxTextReach + 1, L'x'), kMaxTextReach + 1, std::nullopt},
  };
  for (const Answers& answers : cases) {
    EXPECT_EQ(SelectedCharacters(answers.positions, answers.start, answers.end, answers.head,
                                 answers.length),
              answers.selected)
        << answers.what;
  }
}

}  // namespace
