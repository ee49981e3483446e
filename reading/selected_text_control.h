#pragma once
// Asking the focused control of the foreground program for its selection, as
// screen readers do, so that the clipboard need not be touched.

#include <optional>

#include "reading/selected_text_asker.h"

// Asks the foreground thread's focused control, if it is an edit or rich
// edit control, for its selection and the text up to its end, each question
// with a short timeout. A password field is never asked: it counts as nothing
// selected, since it would not copy either. Answers nothing when there is no
// such control, when it does not answer in time, or when its answers do not
// add up or may not match (selected_text_positions.h).
std::optional<SelectionAnswer> AskFocusedControl();
