// Rebuilding for a new DPI, as a window moved to a monitor of another DPI
// does: the report lists' columns, the About page, and a window of the frame
// with its controls and what it lays out itself.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "app/res/resource.h"
#include "base/dpi.h"
#include "ui/about_page.h"
#include "ui/link_label.h"
#include "ui/list_view.h"
#include "ui/partner_offer.h"
#include "ui/ui_resources.h"

namespace {

// A hidden top-level window to hold the controls under test.
class Holder {
 public:
  Holder() {
    handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~Holder() { DestroyWindow(handle_); }
  Holder(const Holder&) = delete;
  Holder& operator=(const Holder&) = delete;

  HWND Handle() const { return handle_; }
  HWND AddChild(const wchar_t* windowClass, DWORD style, int id) const {
    return CreateWindowExW(0, windowClass, L"", WS_CHILD | style, 0, 0, 300, 200, handle_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  }

 private:
  HWND handle_;
};

LONG FontHeight(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

RECT PlaceIn(HWND control) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

LONG IconWidth(HWND iconControl) {
  auto icon = reinterpret_cast<HICON>(SendMessageW(iconControl, STM_GETICON, 0, 0));
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

}  // namespace

TEST(DpiChange, ReportListColumnsTakeTheirOwnWidthsForTheNewDpi) {
  Holder holder;
  HWND list = holder.AddChild(WC_LISTVIEWW, LVS_REPORT, 100);
  ASSERT_EQ(WindowDpi(list), 96u);
  constexpr ListColumn kColumns[] = {{L"Voice", 115, false}, {L"Hot key", 90, true}};
  SetUpReportList(list, kColumns);
  EXPECT_EQ(ListView_GetColumnWidth(list, 0), 115);
  EXPECT_EQ(ListView_GetColumnWidth(list, 1), 90);

  SetReportListDpi(list, kColumns, 192);
  EXPECT_EQ(ListView_GetColumnWidth(list, 0), 230);
  EXPECT_EQ(ListView_GetColumnWidth(list, 1), 180);

  // A width the user dragged does not carry over.
  ListView_SetColumnWidth(list, 0, 50);
  SetReportListDpi(list, kColumns, 96);
  EXPECT_EQ(ListView_GetColumnWidth(list, 0), 115);
  EXPECT_EQ(ListView_GetColumnWidth(list, 1), 90);
}

TEST(DpiChange, AboutPageTakesFontsAndAnIconMadeForTheNewDpi) {
  struct NoLinks : AboutPageOwner {
    void OpenAboutLink(AboutLink) override {}
  } owner;
  // The page's links are link labels, whose class the application registers.
  RegisterLinkLabelClass(GetModuleHandleW(nullptr));
  Holder holder;
  ASSERT_EQ(WindowDpi(holder.Handle()), 96u);
  TAboutPage about(owner, IDI_PROGRAM, L"https://example.org/");
  about.Create(GetModuleHandleW(nullptr), holder.Handle(), RECT{0, 0, 400, 300});
  HWND icon = GetDlgItem(about.Handle(), IDC_ABOUT_ICON);
  HWND name = GetDlgItem(about.Handle(), IDC_ABOUT_NAME);
  HWND line = GetDlgItem(about.Handle(), IDC_ABOUT_LINE);
  // 14 and 9 points, a point being 1/72 inch, in character heights.
  EXPECT_EQ(FontHeight(name), -19);
  EXPECT_EQ(FontHeight(line), -12);
  EXPECT_EQ(IconWidth(icon), 64);

  about.SetDpi(192);
  EXPECT_EQ(FontHeight(name), -37);
  EXPECT_EQ(FontHeight(line), -24);
  EXPECT_EQ(IconWidth(icon), 128);
}

// The frame rescales the template's controls and their font and takes the
// rectangle Windows suggests; the window (here the partner offer) makes its
// icon anew for the DPI.
TEST(DpiChange, AWindowTakesTheSuggestedRectangleAndDoublesItsControlsFontAndIcon) {
  struct NoLinks : PartnerOfferOwner {
    void OpenEngineListPage() override {}
  } owner;
  RegisterLinkLabelClass(GetModuleHandleW(nullptr));
  TfrmPartnerOffer offer(GetModuleHandleW(nullptr), nullptr, owner, IDI_PROGRAM);
  ASSERT_EQ(WindowDpi(offer.Handle()), 96u);
  HWND icon = GetDlgItem(offer.Handle(), IDC_OFFER_ICON);
  HWND text = GetDlgItem(offer.Handle(), IDC_OFFER_INTRODUCTION);
  EXPECT_EQ(IconWidth(icon), 64);
  const RECT textBefore = PlaceIn(text);
  const LONG fontBefore = FontHeight(text);

  const RECT suggested{40, 30, 690, 530};
  SendMessageW(offer.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&suggested));

  RECT placed{};
  GetWindowRect(offer.Handle(), &placed);
  EXPECT_EQ(placed.left, suggested.left);
  EXPECT_EQ(placed.top, suggested.top);
  EXPECT_EQ(placed.right, suggested.right);
  EXPECT_EQ(placed.bottom, suggested.bottom);
  const RECT textAfter = PlaceIn(text);
  EXPECT_NEAR(textAfter.left, 2 * textBefore.left, 1);
  EXPECT_NEAR(textAfter.top, 2 * textBefore.top, 1);
  EXPECT_NEAR(textAfter.right - textAfter.left, 2 * (textBefore.right - textBefore.left), 1);
  EXPECT_EQ(FontHeight(text), 2 * fontBefore);
  EXPECT_EQ(IconWidth(icon), 128);
}
