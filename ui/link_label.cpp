#include "ui/link_label.h"

#include <oleacc.h>

#include <memory>

#include "base/exception_guard.h"
#include "base/gdi.h"
#include "ui/accessible_name.h"
#include "ui/controls.h"

namespace {

// What one label keeps between messages; it lives from WM_NCCREATE to
// WM_NCDESTROY.
struct LinkState {
  HFONT font = nullptr;  // the dialog's font, not owned
  bool hot = false;
  bool focused = false;
};

LinkState* StateOf(HWND window) {
  return reinterpret_cast<LinkState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The label draws no background, so the parent repaints the label's area
// first: the old underline must not stay behind.
void Repaint(HWND window) {
  HWND parent = GetParent(window);
  RECT area;
  GetWindowRect(window, &area);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
  RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SetHot(HWND window, LinkState& state, bool hot) {
  if (state.hot == hot) return;
  state.hot = hot;
  if (hot) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
  }
  Repaint(window);
}

void Click(HWND window) {
  SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
               reinterpret_cast<LPARAM>(window));
}

void Paint(HWND window, const LinkState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  const bool centred = (GetWindowLongPtrW(window, GWL_STYLE) & SS_CENTER) != 0;
  DrawLinkLabel(dc, client, WindowText(window), state.font, LinkLook(state.hot), centred);
  if (state.focused && (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0) {
    DrawFocusRect(dc, &client);
  }
  EndPaint(window, &paint);
}

bool IsActivationKey(WPARAM key) { return key == VK_RETURN || key == VK_SPACE; }

LRESULT LinkLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LinkState* state = StateOf(window);
  if (state == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete state;
      return 0;
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam) != 0) Repaint(window);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state->font);
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      Repaint(window);
      return result;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(window, *state);
      return 0;
    case WM_MOUSEMOVE:
      SetHot(window, *state, true);
      return 0;
    case WM_MOUSELEAVE:
      SetHot(window, *state, false);
      return 0;
    case WM_LBUTTONUP:
      Click(window);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      state->focused = message == WM_SETFOCUS;
      Repaint(window);
      return 0;
    case WM_GETDLGCODE: {
      // Enter on a focused label follows the label, not the default button.
      const auto* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN)
        return DLGC_WANTMESSAGE;
      return DLGC_WANTCHARS;
    }
    case WM_KEYDOWN:
      if (IsActivationKey(wParam)) Click(window);
      return 0;
    case WM_CHAR:
      return 0;
    // Assistive technology reads the label as a link named by its text.
    case WM_GETOBJECT:
      return AnswerGetObject(
          window, wParam, lParam,
          {ROLE_SYSTEM_LINK, WindowText(window), L"Click", [window] { Click(window); }});
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK LinkLabelThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new LinkState));
  }
  return CallGuarded(LRESULT{0}, [&] { return LinkLabelProc(window, message, wParam, lParam); });
}

}  // namespace

void RegisterLinkLabelClass(HINSTANCE instance) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, kLinkLabelClass, &existing)) return;
  WNDCLASSEXW link{};
  link.cbSize = sizeof link;
  link.lpfnWndProc = LinkLabelThunk;
  link.hInstance = instance;
  link.hCursor = LoadCursorW(nullptr, IDC_HAND);
  link.lpszClassName = kLinkLabelClass;
  RegisterClassExW(&link);
}

LinkLabelLook LinkLook(bool hot) {
  return hot ? LinkLabelLook{kLinkHotColour, true} : LinkLabelLook{kLinkColour, false};
}

void DrawLinkLabel(HDC dc, const RECT& area, const std::wstring& text, HFONT baseFont,
                   const LinkLabelLook& look, bool centred) {
  LOGFONTW logFont{};
  GetObjectW(baseFont != nullptr ? baseFont : GetStockObject(DEFAULT_GUI_FONT), sizeof logFont,
             &logFont);
  logFont.lfWeight = FW_BOLD;
  logFont.lfUnderline = look.underlined ? TRUE : FALSE;
  OwnedFont font = MakeFont(logFont);
  SavedDcState saved(dc);
  SelectObject(dc, font.get());
  SetTextColor(dc, look.colour);
  SetBkMode(dc, TRANSPARENT);
  RECT textArea = area;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
            (centred ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
