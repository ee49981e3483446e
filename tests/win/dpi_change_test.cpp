// Rebuilding for a new DPI, as a window moved to a monitor of another DPI
// does: the report lists' columns, the About page, and a window of the frame
// with its controls and what it lays out itself. The About page's fixture
// builds the page without a main window, and so holds its links' case too.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "app/res/resource.h"
#include "base/dpi.h"
#include "tests/support/window_class.h"
#include "ui/about_page.h"
#include "ui/controls.h"
#include "ui/link_label.h"
#include "ui/list_view.h"
#include "ui/partner_offer.h"
#include "ui/ui_resources.h"

namespace {

// The owner of the partner offer's link, which opens nothing here.
struct NoLinks : PartnerOfferOwner {
  void OpenEngineListPage() override {}
};

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

// The About page built in a window of the test's own: nothing of the main
// window takes part. It is the owner its links ask to open their pages.
class AboutPageTest : public ::testing::Test, public AboutPageOwner {
 protected:
  // The page's links are link labels, whose class the application registers.
  AboutPageTest() {
    RegisterLinkLabelClass(GetModuleHandleW(nullptr));
    page_.Create(GetModuleHandleW(nullptr), holder_.Handle(), RECT{0, 0, 400, 300});
  }

  void OpenAboutLink(AboutLink link) override { links_.push_back(link); }
  HWND Control(int id) const { return GetDlgItem(page_.Handle(), id); }

  std::vector<AboutLink> links_;
  OwnerWindow holder_;
  TAboutPage page_{*this, IDI_PROGRAM, L"https://example.org/"};
};

}  // namespace

// A click, Enter or Space on a link reaches the page as a button click; Enter
// belongs to a focused link, not to the dialog's default button.
TEST_F(AboutPageTest, EachLinkAsksTheOwnerToOpenItsOwnPage) {
  EXPECT_EQ(WindowText(Control(IDC_HOMEPAGE_LINK)), L"https://example.org/");
  SendMessageW(Control(IDC_SUPPORT_LINK), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageW(Control(IDC_SUPPORT_LINK), WM_KEYDOWN, 'A', 0);
  SendMessageW(Control(IDC_HOMEPAGE_LINK), WM_KEYDOWN, VK_RETURN, 0);
  SendMessageW(Control(IDC_INFORMATION_LINK), WM_KEYDOWN, VK_SPACE, 0);
  MSG enter{Control(IDC_SUPPORT_LINK), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_EQ(SendMessageW(enter.hwnd, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)),
            DLGC_WANTMESSAGE);
  EXPECT_EQ(links_, (std::vector<AboutLink>{AboutLink::TechnicalSupport, AboutLink::HomePage,
                                            AboutLink::ProgramInformation}));
}

// 14 and 9 points, a point being 1/72 inch, in character heights.
TEST_F(AboutPageTest, TakesFontsAndAnIconMadeForANewDpi) {
  ASSERT_EQ(WindowDpi(holder_.Handle()), 96u);
  EXPECT_EQ(FontHeight(Control(IDC_ABOUT_NAME)), -19);
  EXPECT_EQ(FontHeight(Control(IDC_ABOUT_LINE)), -12);
  EXPECT_EQ(IconWidth(Control(IDC_ABOUT_ICON)), 64);

  page_.SetDpi(192);
  EXPECT_EQ(FontHeight(Control(IDC_ABOUT_NAME)), -37);
  EXPECT_EQ(FontHeight(Control(IDC_ABOUT_LINE)), -24);
  EXPECT_EQ(IconWidth(Control(IDC_ABOUT_ICON)), 128);
}

TEST(DpiChange, ReportListColumnsTakeTheirOwnWidthsForTheNewDpi) {
  OwnerWindow holder;
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 300, 200,
                              holder.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
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

// The frame rescales the template's controls and their font and takes the
// rectangle Windows suggests; the window (here the partner offer) makes its
// icon anew for the DPI.
TEST(DpiChange, AWindowTakesTheSuggestedRectangleAndDoublesItsControlsFontAndIcon) {
  NoLinks owner;
  RegisterLinkLabelClass(GetModuleHandleW(nullptr));
  TfrmPartnerOffer offer(GetModuleHandleW(nullptr), nullptr, owner, IDI_PROGRAM);
  HWND icon = GetDlgItem(offer.Handle(), IDC_OFFER_ICON);
  HWND text = GetDlgItem(offer.Handle(), IDC_OFFER_INTRODUCTION);
  EXPECT_EQ(IconWidth(icon), 64);
  const RECT textBefore = WindowRect(text);
  const LONG fontBefore = FontHeight(text);

  const RECT suggested{40, 30, 690, 530};
  SendMessageW(offer.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&suggested));

  const RECT placed = WindowRect(offer.Handle());
  EXPECT_TRUE(EqualRect(&placed, &suggested));
  const RECT textAfter = WindowRect(text);
  EXPECT_NEAR(textAfter.bottom - textAfter.top, 2 * (textBefore.bottom - textBefore.top), 1);
  EXPECT_NEAR(textAfter.right - textAfter.left, 2 * (textBefore.right - textBefore.left), 1);
  EXPECT_EQ(FontHeight(text), 2 * fontBefore);
  EXPECT_EQ(IconWidth(icon), 128);
}
