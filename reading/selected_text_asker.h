#pragma once
// One way of learning what the user selected. The capture asks its askers in
// order (the focused control itself, then the copy keystroke) until one can
// tell; another way (UI Automation, say) is one more asker in that list.

#include <functional>
#include <optional>
#include <string>
#include <variant>

// Nothing is selected, or nothing that may be read: the capture reads the
// clipboard's earlier text, as a copy keystroke with nothing to copy would.
struct NothingSelected {};

// The selected text, or the news that there is none.
using SelectionAnswer = std::variant<NothingSelected, std::wstring>;

// Answers nothing when it cannot tell, and the next asker is asked.
using SelectionAsker = std::function<std::optional<SelectionAnswer>()>;
