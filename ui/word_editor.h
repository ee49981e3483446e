#pragma once
// The pronunciation correction editor: one word and the text spoken in its place.

#include <windows.h>

#include "settings/word_correction.h"

// Shows the editor over `owner` for `correction`, modal. Answers whether the
// user confirmed it; only then does `correction` take the edited values.
bool EditWordCorrection(HINSTANCE instance, HWND owner, WordCorrection& correction);
