#include "reading/selected_text_control.h"

#include <windows.h>

#include <chrono>
#include <cwctype>
#include <string>
#include <string_view>
#include <vector>

#include "reading/selected_text_positions.h"

namespace {

using namespace std::chrono_literals;

// A control that answers at all answers a small question at once; one that
// takes longer belongs to a busy or hung program, which gets the copy
// keystroke (and the wait that comes with it) instead.
constexpr auto kQuestionPatience = 50ms;
// Measured under Wine: WM_GETTEXT of kMaxTextReach characters from another
// process takes about 25 ms.
constexpr auto kTextPatience = 100ms;

std::optional<LRESULT> Ask(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                           std::chrono::milliseconds patience = kQuestionPatience) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(control, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT,
                           static_cast<UINT>(patience.count()), &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

// Class names are compared as the system compares them, ignoring case.
bool SameName(std::wstring_view name, std::wstring_view expected) {
  if (name.size() != expected.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (std::towlower(name[i]) != std::towlower(expected[i])) return false;
  }
  return true;
}

// The system's edit control, also under another class name that only
// extends it (RealGetWindowClass names the system class); the rich edit
// controls of every version (RICHEDIT, RichEdit20W, RICHEDIT50W, ...).
std::optional<ControlPositions> PositionsOf(HWND control) {
  wchar_t name[64]{};
  wchar_t systemName[64]{};
  GetClassNameW(control, name, 64);
  RealGetWindowClassW(control, systemName, 64);
  if (SameName(name, L"Edit") || SameName(systemName, L"Edit")) {
    return ControlPositions::TextCharacters;
  }
  constexpr std::wstring_view kRichEdit = L"RichEdit";
  if (SameName(std::wstring_view(name).substr(0, kRichEdit.size()), kRichEdit))
    return ControlPositions::CertainBeforeParagraphEnds;
  return std::nullopt;
}

// Nothing of a password field is read, not even by asking. A control that
// does not say whether it is one is not trusted either.
std::optional<bool> IsPasswordField(HWND control) {
  if (GetWindowLongW(control, GWL_STYLE) & ES_PASSWORD) return true;
  const std::optional<LRESULT> passwordChar = Ask(control, EM_GETPASSWORDCHAR, 0, 0);
  if (!passwordChar) return std::nullopt;
  return *passwordChar != 0;
}

struct Positions {
  DWORD start = 0;
  DWORD end = 0;
};

// The positions through pointers, which the system carries across processes:
// the packed return value has only 16 bits for each (and Wine cuts them
// without saying so).
std::optional<Positions> AskSelection(HWND control) {
  Positions selection;
  if (!Ask(control, EM_GETSEL, reinterpret_cast<WPARAM>(&selection.start),
           reinterpret_cast<LPARAM>(&selection.end))) {
    return std::nullopt;
  }
  return selection;
}

// The first `length` characters of the control's text.
std::optional<std::wstring> AskTextHead(HWND control, std::size_t length) {
  std::vector<wchar_t> buffer(length + 1);
  const std::optional<LRESULT> copied = Ask(control, WM_GETTEXT, buffer.size(),
                                            reinterpret_cast<LPARAM>(buffer.data()), kTextPatience);
  if (!copied || *copied < 0 || static_cast<std::size_t>(*copied) > length) return std::nullopt;
  return std::wstring(buffer.data(), static_cast<std::size_t>(*copied));
}

HWND FocusedControlOfForeground() {
  const HWND foreground = GetForegroundWindow();
  if (foreground == nullptr) return nullptr;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

}  // namespace

std::optional<SelectionAnswer> AskFocusedControl() {
  const HWND control = FocusedControlOfForeground();
  if (control == nullptr) return std::nullopt;
  const std::optional<ControlPositions> positions = PositionsOf(control);
  if (!positions) return std::nullopt;
  const std::optional<bool> password = IsPasswordField(control);
  if (!password) return std::nullopt;
  if (*password) return NothingSelected{};
  const std::optional<Positions> selection = AskSelection(control);
  if (!selection) return std::nullopt;
  if (selection->start == selection->end) return NothingSelected{};
  if (selection->start > selection->end || selection->end > kMaxTextReach) return std::nullopt;
  const std::optional<LRESULT> length = Ask(control, WM_GETTEXTLENGTH, 0, 0);
  const std::optional<std::wstring> head = AskTextHead(control, selection->end);
  if (!length || *length < 0 || !head) return std::nullopt;
  std::optional<std::wstring> text = SelectedCharacters(
      *positions, selection->start, selection->end, *head, static_cast<std::size_t>(*length));
  if (!text) return std::nullopt;
  return SelectionAnswer(std::move(*text));
}
