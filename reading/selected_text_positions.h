#pragma once
// Turning what an edit control tells of its selection (two positions) and of
// its text (WM_GETTEXT) into the selected characters, only where the two are
// known to count alike.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How a control's selection positions count against its WM_GETTEXT text.
enum class ControlPositions {
  // A position is a character of the text, a line end its two characters
  // (the system's edit control).
  TextCharacters,
  // A paragraph end may count as one position where the text holds two
  // (CR LF), and objects or table marks may stand for other characters: only
  // positions before the first of those are certain (rich edit controls).
  CertainBeforeParagraphEnds,
};

// The text up to the selection's end is all a control is asked for; beyond
// this many characters the copy keystroke is cheaper than the question.
inline constexpr std::size_t kMaxTextReach = 131072;

// The selected characters, from the start of the control's text (`head`, what
// WM_GETTEXT gave for a buffer of selectionEnd + 1 characters) and the length
// it reports for its whole text. Answers nothing where the answers do not add
// up or the positions may not match the text; the caller then falls back to
// the copy keystroke.
std::optional<std::wstring> SelectedCharacters(ControlPositions positions,
                                               std::size_t selectionStart, std::size_t selectionEnd,
                                               std::wstring_view head, std::size_t textLength);
