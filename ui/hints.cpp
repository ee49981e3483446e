#include "ui/hints.h"

#include <commctrl.h>

#include "base/win32_error.h"

namespace {

constexpr int kHintShowMilliseconds = 7500;
// Longer hint texts wrap instead of running off the screen.
constexpr int kHintWidth = 400;

TTTOOLINFOW ToolInfo(HWND owner, HWND control) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

}  // namespace

THints::THints(HWND owner)
    : owner_(owner),
      tooltip_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                               nullptr, nullptr, nullptr)) {
  if (tooltip_ == nullptr) ThrowLastError("cannot create the hints");
  SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, kHintShowMilliseconds);
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, kHintWidth);
}

THints::~THints() { DestroyWindow(tooltip_); }

void THints::Add(HWND control, const std::wstring& text) {
  TTTOOLINFOW tool = ToolInfo(owner_, control);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}
