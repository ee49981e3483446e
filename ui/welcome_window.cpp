#include "ui/welcome_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <utility>

#include "base/dpi.h"
#include "ui/link_label.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kTitle[] = L"Welcome to Tolvane!";
constexpr wchar_t kGreeting[] =
    L"Tolvane can read the selected text from any Windows application. Just select desired text, "
    L"press hot key, and enjoy! Make your documents, emails, web pages, books and thoughts "
    L"sound! Configure volume, speed and pitch of speech. Create Voice Slots to use different hot "
    L"keys for different voices! Thank you for trying Tolvane! I am sure, this program will "
    L"become your best friend. Enjoy!";
constexpr wchar_t kContinue[] = L"Continue";

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(49, 106, 197);       // #316AC5
constexpr COLORREF kLightBlue = RGB(64, 159, 255);  // #409FFF

// The layout in pixels at 96 DPI.
constexpr SIZE kClientSize{328, 187};
constexpr int kStripHeight = 8;
constexpr int kBandHeight = 27;
constexpr POINT kTitlePlace{16, 16};
constexpr RECT kGreetingPlace{10, 48, 10 + 311, 48 + 97};
constexpr POINT kContinuePlace{239, 162};
// Room around the link's text for its focus rectangle: the text stays where
// the layout puts it, centred in the control.
constexpr int kLinkMargin = 2;
constexpr int kTitleFontHeight = 21;
constexpr int kTextFontHeight = 11;
constexpr wchar_t kTitleFace[] = L"Arial";
constexpr wchar_t kTextFace[] = L"MS Sans Serif";
// How near an edge of the work area a dragged window jumps onto it.
constexpr int kSnapDistance = 20;

// The title and the greeting keep the mouse (SS_NOTIFY): a press on them does
// not drag the window.
constexpr DWORD kTextStyle = SS_LEFT | SS_NOPREFIX | SS_NOTIFY;

OwnedFont PixelFont(const wchar_t* face, int heightAt96Dpi, LONG weight, UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -ScaleForDpi(heightAt96Dpi, dpi);  // character height, not cell height
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(font.lfFaceName, face, std::size(font.lfFaceName) - 1);
  return MakeFont(font);
}

SIZE TextSize(HWND window, HFONT font, const wchar_t* text) {
  WindowDc dc(window);
  SavedDcState saved(dc.Get());
  SelectObject(dc.Get(), font);
  SIZE size{};
  GetTextExtentPoint32W(dc.Get(), text, static_cast<int>(wcslen(text)), &size);
  return size;
}

// Along one direction: moves the window's span from `low` to `high` so that
// an end lying within `distance` of the work area's matching end meets it;
// the left or top end comes first.
void Snap(LONG& low, LONG& high, LONG workLow, LONG workHigh, int distance) {
  LONG shift = 0;
  if (std::abs(low - workLow) <= distance) {
    shift = workLow - low;
  } else if (std::abs(high - workHigh) <= distance) {
    shift = workHigh - high;
  }
  low += shift;
  high += shift;
}

}  // namespace

TfrmWelcome::TfrmWelcome(HINSTANCE instance, HWND owner, HWND centreOn, WelcomeOwner& requests)
    : TForm(instance, owner, IDD_WELCOME), centreOn_(centreOn), requests_(requests) {
  Create();
}

void TfrmWelcome::OnInit() {
  CreateControls();
  Layout();
}

void TfrmWelcome::CreateControls() {
  SetWindowTextW(Handle(), kTitle);
  AddControl(IDC_WELCOME_TITLE, WC_STATICW, kTextStyle, kTitle);
  AddControl(IDC_WELCOME_GREETING, WC_STATICW, kTextStyle, kGreeting);
  AddControl(IDC_WELCOME_CONTINUE, kLinkLabelClass, WS_TABSTOP | SS_CENTER, kContinue);
}

void TfrmWelcome::AddControl(int id, const wchar_t* windowClass, DWORD style, const wchar_t* text) {
  CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, Handle(),
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
}

// A greeting higher than the layout's box pushes the link and the window's
// foot down by as much.
void TfrmWelcome::Layout() {
  SetFonts();
  const int growth = GreetingGrowth();
  PlaceControls(growth);
  SetWindowPos(Handle(), nullptr, 0, 0, Scale(kClientSize.cx), Scale(kClientSize.cy) + growth,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(Handle(), nullptr, TRUE);
}

// The controls take the new fonts before the old ones are deleted.
void TfrmWelcome::SetFonts() {
  OwnedFont titleFont = PixelFont(kTitleFace, kTitleFontHeight, FW_NORMAL, Dpi());
  OwnedFont textFont = PixelFont(kTextFace, kTextFontHeight, FW_NORMAL, Dpi());
  OwnedFont linkFont = PixelFont(kTextFace, kTextFontHeight, FW_BOLD, Dpi());
  SendDlgItemMessageW(Handle(), IDC_WELCOME_TITLE, WM_SETFONT,
                      reinterpret_cast<WPARAM>(titleFont.get()), FALSE);
  SendDlgItemMessageW(Handle(), IDC_WELCOME_GREETING, WM_SETFONT,
                      reinterpret_cast<WPARAM>(textFont.get()), FALSE);
  SendDlgItemMessageW(Handle(), IDC_WELCOME_CONTINUE, WM_SETFONT,
                      reinterpret_cast<WPARAM>(linkFont.get()), FALSE);
  titleFont_ = std::move(titleFont);
  textFont_ = std::move(textFont);
  linkFont_ = std::move(linkFont);
}

// The greeting wrapped to its box's width as the static control wraps it: a
// font a little wider than the one the layout was made for (another system's,
// or Wine's without its fonts) takes a line more, which must not be cut off.
int TfrmWelcome::GreetingGrowth() const {
  WindowDc dc(Handle());
  SavedDcState saved(dc.Get());
  SelectObject(dc.Get(), textFont_.get());
  RECT text{0, 0, Scale(kGreetingPlace.right - kGreetingPlace.left), 0};
  DrawTextW(dc.Get(), kGreeting, -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return std::max(
      0, static_cast<int>(text.bottom) - Scale(kGreetingPlace.bottom - kGreetingPlace.top));
}

// The title and the link are as large as their texts, so that a press beside
// them still drags the window.
void TfrmWelcome::PlaceControls(int greetingGrowth) const {
  const SIZE title = TextSize(Handle(), titleFont_.get(), kTitle);
  Place(IDC_WELCOME_TITLE, {Scale(kTitlePlace.x), Scale(kTitlePlace.y), title.cx, title.cy});
  Place(IDC_WELCOME_GREETING, {Scale(kGreetingPlace.left), Scale(kGreetingPlace.top),
                               Scale(kGreetingPlace.right - kGreetingPlace.left),
                               Scale(kGreetingPlace.bottom - kGreetingPlace.top) + greetingGrowth});
  const SIZE link = TextSize(Handle(), linkFont_.get(), kContinue);
  const int margin = Scale(kLinkMargin);
  Place(IDC_WELCOME_CONTINUE,
        {Scale(kContinuePlace.x) - margin, Scale(kContinuePlace.y) + greetingGrowth - margin,
         link.cx + 2 * margin, link.cy + 2 * margin});
}

int TfrmWelcome::Scale(int pixelsAt96Dpi) const { return ScaleForDpi(pixelsAt96Dpi, Dpi()); }

void TfrmWelcome::Place(int id, const ControlPlace& place) const {
  SetWindowPos(GetDlgItem(Handle(), id), nullptr, place.left, place.top, place.width, place.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Top strip, main area, lower band and bottom strip, each shading from left
// to right.
void TfrmWelcome::DrawBackground(HDC dc) const {
  RECT client;
  GetClientRect(Handle(), &client);
  const LONG mainTop = client.top + Scale(kStripHeight);
  const LONG bottomStripTop = client.bottom - Scale(kStripHeight);
  const LONG bandTop = bottomStripTop - Scale(kBandHeight);
  constexpr auto kAcross = GradientDirection::LeftToRight;
  FillReflectedGradient(dc, {client.left, client.top, client.right, mainTop}, kWhite, kBlue,
                        kAcross);
  FillSmoothGradient(dc, {client.left, mainTop, client.right, bandTop}, kBlue, kLightBlue, kAcross);
  FillSmoothGradient(dc, {client.left, bandTop, client.right, bottomStripTop}, kLightBlue, kWhite,
                     kAcross);
  FillReflectedGradient(dc, {client.left, bottomStripTop, client.right, client.bottom}, kBlue,
                        kWhite, kAcross);
}

// Each edge pair moves on its own, so the window can sit in a corner.
void TfrmWelcome::SnapToWorkArea(RECT& proposed) const {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromRect(&proposed, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const int distance = Scale(kSnapDistance);
  Snap(proposed.left, proposed.right, work.left, work.right, distance);
  Snap(proposed.top, proposed.bottom, work.top, work.bottom, distance);
}

// The greeting follows the window becoming visible however it was shown, and
// stops whenever it is hidden.
void TfrmWelcome::PositionChanged(const WINDOWPOS& position) {
  if ((position.flags & SWP_SHOWWINDOW) != 0) Greet();
  if ((position.flags & SWP_HIDEWINDOW) != 0) requests_.SilenceGreeting();
}

// A greeting that cannot be spoken costs only the speech: a beep, and the
// window stays.
void TfrmWelcome::Greet() {
  SetForegroundWindow(Handle());
  SendMessageW(Handle(), WM_NEXTDLGCTL,
               reinterpret_cast<WPARAM>(GetDlgItem(Handle(), IDC_WELCOME_CONTINUE)), TRUE);
  try {
    requests_.SpeakGreeting(kGreeting);
  } catch (...) {
    MessageBeep(MB_ICONEXCLAMATION);
  }
}

bool TfrmWelcome::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND:
      DrawBackground(reinterpret_cast<HDC>(wParam));
      result = TRUE;
      return true;
    case WM_CTLCOLORSTATIC: {
      auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, kWhite);
      SetBkMode(dc, TRANSPARENT);
      result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      return true;
    }
    case WM_NCHITTEST:
      // Only the gradients get here: the controls answer for themselves.
      result = HTCAPTION;
      return true;
    case WM_MOVING:
      SnapToWorkArea(*reinterpret_cast<RECT*>(lParam));
      result = TRUE;
      return true;
    case WM_SHOWWINDOW:
      if (wParam != FALSE) CentreWindowOn(Handle(), centreOn_);
      return false;
    case WM_WINDOWPOSCHANGED:
      PositionChanged(*reinterpret_cast<const WINDOWPOS*>(lParam));
      return false;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDC_WELCOME_CONTINUE) return false;
      Hide();
      return true;
    default:
      return false;
  }
}
