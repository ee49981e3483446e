// The options window as a person uses it: showing it, OK and Cancel, turning
// pages, the links, and the About page's colours.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/res/resource.h"
#include "tests/support/keyboard.h"
#include "tests/support/window_class.h"
#include "tests/win/main_form_probe.h"
#include "ui/about_page.h"
#include "ui/controls.h"
#include "ui/link_label.h"
#include "ui/ui_resources.h"

namespace {

class OptionsWindowTest : public main_form_test::MainFormFixture {
 protected:
  MainFormProbe& ShownMainForm() {
    MainFormProbe& frmMain = CreateMainForm();
    frmMain.ShowMainWindow();
    EXPECT_TRUE(PumpApplicationUntil([&] { return frmMain.Visible(); }));
    return frmMain;
  }

  // Keys pressed with the options window in front and a field focused.
  bool Type(MainFormProbe& frmMain, WORD key, const std::vector<WORD>& modifiers = {}) {
    SetForegroundWindow(frmMain.Handle());
    if (!PressKey(key, modifiers)) return false;
    application_.ProcessMessages();
    return true;
  }

  COLORREF AboutPagePixel(MainFormProbe& frmMain, int x, int y) {
    HWND page = frmMain.AboutPage().Handle();
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(page);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(page, dc);
    return colour;
  }
};

// Watches the main window for the menu loop's first idle moment, notes
// where the menu window opened and closes it.
LRESULT CALLBACK NoteOpenedMenu(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR placed) {
  if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
    GetWindowRect(reinterpret_cast<HWND>(lParam), reinterpret_cast<RECT*>(placed));
    EndMenu();
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// What a screen reader hears of a window: its role, then its name.
std::pair<LONG, std::wstring> HeardOf(HWND window) {
  Microsoft::WRL::ComPtr<IAccessible> accessible;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                        reinterpret_cast<void**>(accessible.GetAddressOf())))) {
    return {};
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  std::pair<LONG, std::wstring> heard;
  VARIANT role{};
  if (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4) heard.first = role.lVal;
  BSTR name = nullptr;
  if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
    heard.second = name;
    SysFreeString(name);
  }
  return heard;
}

std::wstring HintOf(HWND tooltip, HWND owner, HWND control) {
  wchar_t text[128]{};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
  return text;
}

}  // namespace

TEST_F(OptionsWindowTest, TheTrayOpensThePagesAndTheIconItsWindowByEnterOrSpaceAndItsMenu) {
  MainFormProbe& frmMain = CreateMainForm();
  SendMessageW(frmMain.Handle(), WM_COMMAND, IDM_TRAY_VOICE_SLOTS, 0);
  EXPECT_TRUE(frmMain.Visible());
  EXPECT_EQ(frmMain.Pages().ActivePage(), kSlotsPage);
  SendMessageW(frmMain.Handle(), WM_HOTKEY, frmMain.OptionsHotKey().Identifier(), 0);
  EXPECT_EQ(frmMain.Pages().ActivePage(), kGeneralPage);
  ShowWindow(frmMain.Handle(), SW_HIDE);

  // The icon: what the notification area sends once it has taken the icon's
  // version 4, the event and the icon's id, with the icon's place on screen.
  const POINT icon{220, 180};
  auto notify = [&](UINT event) {
    SendMessageW(frmMain.Handle(), TRAY_ICON_MESSAGE, MAKEWPARAM(icon.x, icon.y),
                 MAKELPARAM(event, 1));
  };
  // A single click stays without effect.
  notify(WM_LBUTTONDOWN);
  notify(WM_LBUTTONUP);
  notify(NIN_SELECT);
  EXPECT_FALSE(frmMain.Visible());
  for (UINT select : {NIN_KEYSELECT, NIN_SELECT}) {
    frmMain.Pages().SetActivePage(kAboutPage);
    ShowWindow(frmMain.Handle(), SW_HIDE);
    notify(select);
    EXPECT_TRUE(frmMain.Visible()) << select;
    EXPECT_EQ(frmMain.Pages().ActivePage(), kGeneralPage);
  }

  // The right button going up comes before the menu request: only one menu.
  SetCursorPos(600, 500);
  RECT placed{};
  SetWindowSubclass(frmMain.Handle(), NoteOpenedMenu, 1, reinterpret_cast<DWORD_PTR>(&placed));
  notify(WM_RBUTTONUP);
  EXPECT_EQ(placed.right, 0);
  notify(WM_CONTEXTMENU);
  RemoveWindowSubclass(frmMain.Handle(), NoteOpenedMenu, 1);
  ASSERT_EQ(GetSystemMetrics(SM_MENUDROPALIGNMENT), 0);
  EXPECT_EQ(placed.left, icon.x);
  EXPECT_EQ(placed.top, icon.y);
}

TEST_F(OptionsWindowTest, AssistiveTechnologyHearsEachLinkAndListAndTheFieldsHaveHints) {
  MainFormProbe& frmMain = CreateMainForm();
  std::vector<std::pair<LONG, std::wstring>> heard;
  for (HWND link : WindowsOfClass(kLinkLabelClass, frmMain.Handle()))
    heard.push_back(HeardOf(link));
  const std::wstring homePage =
      WindowText(GetDlgItem(frmMain.AboutPage().Handle(), IDC_HOMEPAGE_LINK));
  ASSERT_FALSE(homePage.empty());
  const LONG link = ROLE_SYSTEM_LINK;
  EXPECT_THAT(heard,
              ::testing::UnorderedElementsAre(
                  std::pair{link, std::wstring(L"Get more quality voices right now!")},
                  std::pair{link, homePage}, std::pair{link, std::wstring(L"Program information")},
                  std::pair{link, std::wstring(L"Technical support")}));

  EXPECT_EQ(HeardOf(frmMain.SpeechPage().Picker().List().Handle()).second,
            L"Please, configure default voice:");
  EXPECT_EQ(HeardOf(frmMain.SlotsPage().Table()).second,
            L"Here you can assign hot keys to the custom voices");
  EXPECT_EQ(HeardOf(frmMain.PronunciationPage().Table()).second, L"Pronunciation corrections:");

  // The hot key fields and the ignored characters have hints, shown for
  // seven seconds.
  const std::vector<HWND> tooltips = WindowsOfClass(TOOLTIPS_CLASSW);
  ASSERT_FALSE(tooltips.empty());
  HWND tooltip = tooltips.back();
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 7500);
  for (int field : {IDC_READING_HOTKEY, IDC_OPTIONS_HOTKEY, IDC_STOP_HOTKEY}) {
    EXPECT_EQ(HintOf(tooltip, frmMain.Handle(), frmMain.GeneralControl(field)),
              L"Press the desired key or combination of keys");
  }
  EXPECT_EQ(HintOf(tooltip, frmMain.Handle(),
                   GetDlgItem(frmMain.PronunciationPage().Handle(), IDC_IGNORED_CHARACTERS)),
            L"This characters will be ignored when reading");
}

TEST_F(OptionsWindowTest, TurningPagesArmsTheVoiceListGuardAndEscCancels) {
  MainFormProbe& frmMain = ShownMainForm();
  const TVoicePicker& picker = frmMain.SpeechPage().Picker();
  ASSERT_FALSE(picker.GuardArmed());
  SetFocus(frmMain.GeneralControl(IDC_TRAYICON_CHECKBOX));
  ASSERT_TRUE(Type(frmMain, VK_TAB, {VK_CONTROL}));
  EXPECT_TRUE(PumpApplicationUntil([&] { return frmMain.Pages().ActivePage() == kSpeechPage; }));
  EXPECT_TRUE(picker.GuardArmed());
  EXPECT_TRUE(IsWindowVisible(picker.List().Handle()));
  EXPECT_TRUE(frmMain.GeneralPage().Current().minimizeToTray);

  ASSERT_TRUE(Type(frmMain, VK_TAB, {VK_CONTROL, VK_SHIFT}));
  EXPECT_TRUE(PumpApplicationUntil([&] { return frmMain.Pages().ActivePage() == kGeneralPage; }));

  // In a hot key field the same keys are a hot key to enter.
  SetFocus(frmMain.GeneralControl(IDC_READING_HOTKEY));
  ASSERT_TRUE(Type(frmMain, VK_TAB, {VK_CONTROL}));
  EXPECT_TRUE(PumpApplicationUntil(
      [&] { return frmMain.GeneralPage().Current().readingHotKey == (0x4000 | VK_TAB); }));
  EXPECT_EQ(frmMain.Pages().ActivePage(), kGeneralPage);

  // Esc cancels, from a field that is no hot key field: those take Esc as a
  // key like any other.
  SetFocus(GetDlgItem(frmMain.SpeechPage().Handle(), IDC_TEST_TEXT));
  ASSERT_TRUE(Type(frmMain, VK_ESCAPE));
  EXPECT_TRUE(PumpApplicationUntil([&] { return !frmMain.Visible(); }));
}

// With a SAPI 4 default voice nothing else connects the SAPI 5 voice.
TEST_F(OptionsWindowTest, TheFirstActivationConnectsTheSapi5Voice) {
  WriteConfigText("[Speech]\r\nSAPIVersion=4\r\nVoice=Ann\r\n");
  MainFormProbe& frmMain = CreateMainForm();
  frmMain.SpeechEngines().Sapi5().Disconnect();
  frmMain.ShowMainWindow();
  EXPECT_TRUE(PumpApplicationUntil([&] { return frmMain.SpeechEngines().Sapi5().Connected(); }));

  frmMain.SpeechEngines().Sapi5().Disconnect();
  frmMain.Command(IDCANCEL);
  frmMain.ShowMainWindow();
  ASSERT_TRUE(PumpApplicationUntilQuiet());
  EXPECT_FALSE(frmMain.SpeechEngines().Sapi5().Connected());
}

// The colours rest while nobody can see them: the program idles in the tray
// all day and must not wake twice a second for a hidden page.
TEST_F(OptionsWindowTest, TypingTheMakersNameAnimatesTheAboutPageWhileSeenUntilTypedAgain) {
  MainFormProbe& frmMain = ShownMainForm();
  frmMain.Pages().SetActivePage(kAboutPage);
  SetFocus(GetDlgItem(frmMain.Handle(), IDC_PAGES));
  ASSERT_EQ(AboutPagePixel(frmMain, 0, 10), RGB(255, 255, 255));

  auto typeName = [&] {
    for (char letter : std::string("VANTOREL"))
      ASSERT_TRUE(Type(frmMain, static_cast<WORD>(letter)));
  };
  // The page and the caption show the project's version, which the build
  // writes into the program file's version resource.
  const std::wstring version = L"" TOLVANE_PROJECT_VERSION;
  EXPECT_EQ(WindowText(GetDlgItem(frmMain.AboutPage().Handle(), IDC_ABOUT_VERSION)),
            L"Version " + version);
  typeName();
  EXPECT_TRUE(
      PumpApplicationUntil([&] { return WindowText(frmMain.Handle()) != L"Tolvane! Options"; }));
  EXPECT_EQ(WindowText(frmMain.Handle()), L"Tolvane! version " + version + L" by Vantorel");
  // Each tick paints new colours.
  EXPECT_TRUE(
      PumpApplicationUntil([&] { return AboutPagePixel(frmMain, 0, 10) != RGB(255, 255, 255); }));

  const TAboutPage& page = frmMain.AboutPage();
  COLORREF shown = page.Colours().outer;
  auto changed = [&] { return page.Colours().outer != shown; };
  auto restsUntilShown = [&](const std::function<void()>& hide, const std::function<void()>& show) {
    hide();
    shown = page.Colours().outer;
    EXPECT_FALSE(PumpApplicationUntil(changed, 2s));  // four ticks' time
    show();
    shown = page.Colours().outer;
    EXPECT_TRUE(PumpApplicationUntil(changed));
  };
  // The window closed to the tray, then another tab chosen.
  restsUntilShown([&] { ShowWindow(frmMain.Handle(), SW_HIDE); },
                  [&] { frmMain.ShowMainWindow(); });
  restsUntilShown([&] { frmMain.Pages().SetActivePage(kGeneralPage); },
                  [&] { frmMain.Pages().SetActivePage(kAboutPage); });

  SetFocus(GetDlgItem(frmMain.Handle(), IDC_PAGES));
  typeName();
  EXPECT_TRUE(
      PumpApplicationUntil([&] { return WindowText(frmMain.Handle()) == L"Tolvane! Options"; }));
  EXPECT_EQ(AboutPagePixel(frmMain, 0, 10), RGB(255, 255, 255));
}

// The frame rescales the window and its controls (the DPI case of the
// frame's own test); the window hands the new DPI on to its pages, whose
// tables' columns and the About page's own fonts follow it.
TEST_F(OptionsWindowTest, AMonitorOfTwiceTheDpiReachesThePagesTablesAndFonts) {
  MainFormProbe& frmMain = CreateMainForm();
  HWND table = frmMain.SlotsPage().Table();
  const int columnBefore = ListView_GetColumnWidth(table, 0);
  const RECT suggested = WindowRect(frmMain.Handle());
  SendMessageW(frmMain.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(ListView_GetColumnWidth(table, 0), 2 * columnBefore);
  // 14 points at 192 DPI, a point being 1/72 inch.
  EXPECT_EQ(FontHeight(GetDlgItem(frmMain.AboutPage().Handle(), IDC_ABOUT_NAME)), -37);
}
