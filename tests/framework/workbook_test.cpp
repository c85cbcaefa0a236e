// The workbook in an application: workbook mode and margins, tab widths and
// slots, clicks on tabs, tool tips, the refresh message, bars floated as
// worksheets, and pictures of the tab strip.
#include <gtest/gtest.h>

#include <vector>

#include "frames_fixture.h"
#include "platform/ui/cdc.h"
#include "ui_test_support.h"

namespace frames_test {
namespace {

CRect ClientWindowRect(SECWorkbook* book) {
  CRect rect;
  ::GetWindowRect(book->m_hWndMDIClient, &rect);
  book->ScreenToClient(&rect);
  return rect;
}

// Where the client area starts in the window's picture (below the menu).
CPoint ClientOrigin(CWnd* wnd) {
  CRect window;
  wnd->GetWindowRect(&window);
  CPoint origin(0, 0);
  wnd->ClientToScreen(&origin);
  return origin - window.TopLeft();
}

TEST_F(WorkbookTest, ModeSetsTheClientMarginsAndOffClearsThem) {
  int left = -1, right = -1, top = -1, bottom = -1;
  book->GetClientWindow()->GetMargins(left, right, top, bottom);
  EXPECT_EQ(left, kSECWorkbookMarginSide);
  EXPECT_EQ(right, kSECWorkbookMarginSide);
  EXPECT_EQ(top, kSECWorkbookMarginTop);
  EXPECT_EQ(bottom, kSECWorkbookMarginBottom);
  EXPECT_TRUE(SECWorkbook::IsWorkbookModeOn());
  CRect area;
  book->GetWorkbookArea(area);
  const CRect withMargins = ClientWindowRect(book);
  EXPECT_EQ(area.bottom - withMargins.bottom, kSECWorkbookMarginBottom);

  book->SetWorkbookMode(FALSE);
  afx_test::Pump();
  book->GetClientWindow()->GetMargins(left, right, top, bottom);
  EXPECT_EQ(left | right | top | bottom, 0);
  EXPECT_FALSE(SECWorkbook::IsWorkbookModeOn());
  const CRect without = ClientWindowRect(book);
  EXPECT_GT(without.Height(), withMargins.Height());
}

TEST_F(WorkbookTest, TabWidthSharesTheClientUpToTheMaximum) {
  Sheet* first = OpenSheet("one");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(book->GetSheetCount(), 1);
  EXPECT_EQ(first->m_nIndex, 0);
  const int clientWidth = ClientWindowRect(book).Width();
  EXPECT_EQ(book->GetTabMetrics().nTabWidth, SECCalcTabWidth(book->GetTabMetrics(), clientWidth, 1));
  for (const char* title : {"two", "three", "four", "five", "six", "seven", "eight", "nine"})
    OpenSheet(title);
  EXPECT_EQ(book->GetSheetCount(), 9);
  EXPECT_EQ(book->GetTabMetrics().nTabWidth,
            std::min((clientWidth + 5) / 9, book->GetTabMetrics().nMaxTabWidth));
}

TEST_F(WorkbookTest, ClickingATabActivatesItsSheet) {
  Sheet* first = OpenSheet("first");
  Sheet* second = OpenSheet("second");
  Sheet* third = OpenSheet("third");
  ASSERT_EQ(book->MDIGetActive(), third);
  for (Sheet* target : {first, second, third, first}) {
    Click(TabPoint(target));
    EXPECT_EQ(book->MDIGetActive(), target);
    EXPECT_FALSE(target->m_bPressed);
  }
}

TEST_F(WorkbookTest, ClicksOutsideTabsOrOutsideWorkbookModeActivateNothing) {
  Sheet* first = OpenSheet("first");
  Sheet* second = OpenSheet("second");
  const CPoint onFirst = TabPoint(first);
  Click(CPoint(onFirst.x, onFirst.y + 60));  // below the strip
  EXPECT_EQ(book->MDIGetActive(), second);
  book->SetWorkbookMode(FALSE);
  afx_test::Pump();
  Click(onFirst);
  EXPECT_EQ(book->MDIGetActive(), second);
}

TEST_F(WorkbookTest, HiddenSheetTakesNoSlot) {
  Sheet* first = OpenSheet("first");
  Sheet* second = OpenSheet("second");
  Sheet* third = OpenSheet("third");
  book->MDIActivate(first);
  afx_test::Pump();
  const CPoint secondPlace = TabPoint(second);
  second->ShowWindow(SW_HIDE);
  afx_test::Pump();
  EXPECT_EQ(TabPoint(third), secondPlace);
  Click(secondPlace);
  EXPECT_EQ(book->MDIGetActive(), third);
}

// A hidden sheet has no tab: its own changes (title, activation) repaint
// nothing, while its showing repaints the strip from its place on.
TEST_F(WorkbookTest, AHiddenSheetRepaintsNoTabUntilItShows) {
  Sheet* first = OpenSheet("first");
  Sheet* second = OpenSheet("second");
  OpenSheet("third");
  book->MDIActivate(first);
  second->ShowWindow(SW_HIDE);
  afx_test::Pump();
  auto updateRect = [this] {
    CRect r;
    return ::GetUpdateRect(book->m_hWnd, &r, FALSE) ? r : CRect();
  };
  ASSERT_TRUE(updateRect().IsRectEmpty());
  book->InvalidateTab(second);
  EXPECT_TRUE(updateRect().IsRectEmpty());
  book->InvalidateTab(first);
  EXPECT_FALSE(updateRect().IsRectEmpty());
  afx_test::Pump();
  second->ShowWindow(SW_SHOWNA);
  const CRect shown = updateRect();
  EXPECT_TRUE(shown.PtInRect(TabPoint(second)));
}

// The tab width follows the number of sheets; with every sheet hidden no
// tab shows, so a new width repaints nothing until a sheet shows.
TEST_F(WorkbookTest, ANewTabWidthRepaintsTheStripOnlyWhenATabShows) {
  constexpr int kSheets = 12;
  std::vector<Sheet*> sheets;
  for (int i = 0; i < kSheets; ++i) sheets.push_back(OpenSheet("sheet"));
  for (Sheet* sheet : sheets) sheet->ShowWindow(SW_HIDE);
  afx_test::Pump();
  // The book keeps what it has to repaint (no paint takes it meanwhile).
  book->SetRedraw(FALSE);
  auto repainting = [this] { return ::GetUpdateRect(book->m_hWnd, nullptr, FALSE) != FALSE; };
  ASSERT_FALSE(repainting());
  auto closeLast = [&sheets] {
    sheets.back()->GetActiveDocument()->OnCloseDocument();
    sheets.pop_back();
  };
  const int width = book->GetTabMetrics().nTabWidth;
  closeLast();
  ASSERT_NE(book->GetTabMetrics().nTabWidth, width) << "the test needs a width that changes";
  EXPECT_FALSE(repainting());
  sheets.front()->ShowWindow(SW_SHOWNA);
  ::ValidateRect(book->m_hWnd, nullptr);
  closeLast();
  EXPECT_TRUE(repainting());
  book->SetRedraw(TRUE);
}

TEST_F(WorkbookTest, ToolTipOnlyForCutTitlesWithTheFullTitle) {
  Sheet* shortSheet = OpenSheet("a.c");
  constexpr auto kLongTitle = "a_rather_long_document_name_for_its_tab.asm";
  for (int i = 0; i < 4; ++i) OpenSheet("x");
  Sheet* longSheet = OpenSheet(kLongTitle);
  EXPECT_TRUE(book->TabLabelFits(shortSheet));
  EXPECT_FALSE(book->TabLabelFits(longSheet));
  TOOLINFO info{};
  EXPECT_EQ(book->OnToolHitTest(TabPoint(shortSheet), &info), -1);
  EXPECT_EQ(book->OnToolHitTest(TabPoint(longSheet), &info), longSheet->m_nIndex + 1);
  EXPECT_EQ(info.uId, static_cast<UINT_PTR>(longSheet->m_nIndex + 1));
  EXPECT_EQ(info.hwnd, book->m_hWnd);
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_STREQ(info.lpszText, kLongTitle);
  free(info.lpszText);
  EXPECT_EQ(book->OnToolHitTest(CPoint(1, 1), &info), -1);
}

TEST_F(WorkbookTest, MenuChangesRefreshTheTabs) {
  OpenSheet("first");
  const int before = book->refreshes;
  EXPECT_EQ(::SendMessage(book->m_hWndMDIClient, WM_SEC_WORKBOOK_SETMENU, static_cast<WPARAM>(-1), -1), 0);
  EXPECT_EQ(book->refreshes, before + 1);
  OpenSheet("second");
  EXPECT_GT(book->refreshes, before + 1);
}

TEST_F(WorkbookTest, ClosingSheetsRenumbersTheRest) {
  Sheet* first = OpenSheet("first");
  Sheet* second = OpenSheet("second");
  Sheet* third = OpenSheet("third");
  second->GetActiveDocument()->OnCloseDocument();
  afx_test::Pump();
  ASSERT_EQ(book->GetSheetCount(), 2);
  EXPECT_EQ(book->GetSheet(0), first);
  EXPECT_EQ(book->GetSheet(1), third);
  EXPECT_EQ(third->m_nIndex, 1);
}

TEST_F(WorkbookTest, SheetsCarryTheirTabIcon) {
  Sheet* sheet = OpenSheet("with icon");
  EXPECT_NE(sheet->m_hIcon, nullptr);
  EXPECT_EQ(book->GetSheetIcon(sheet), sheet->m_hIcon);
  EXPECT_FALSE(book->SetSheetIcon(nullptr, nullptr));
}

TEST_F(WorkbookTest, BarFloatedAsMDIChildGetsATab) {
  const int sheets = book->GetSheetCount();
  book->FloatControlBarInMDIChild(&book->floating, CPoint(-1, -1));
  afx_test::Pump();
  CFrameWnd* child = book->floating.GetParentFrame();
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(child->IsKindOf(RUNTIME_CLASS(SECControlBarWorksheet)));
  EXPECT_EQ(book->GetSheetCount(), sheets + 1);
  CRect placed;
  child->GetWindowRect(&placed);
  ::ScreenToClient(book->m_hWndMDIClient, reinterpret_cast<POINT*>(&placed.left));
  EXPECT_EQ(placed.TopLeft(), CPoint(30, 30));
  CString title;
  child->GetWindowText(title);
  EXPECT_STREQ(title, "Watch");
  // Closing the child hides the bar and keeps it in its child.
  child->SendMessage(WM_CLOSE);
  afx_test::Pump();
  EXPECT_FALSE(book->floating.IsWindowVisible());
  EXPECT_EQ(book->floating.GetParentFrame(), child);
}

TEST_F(WorkbookTest, PicturesOfTheTabStrip) {
  OpenSheet("main.c");
  OpenSheet("a_rather_long_document_name.asm");
  Sheet* active = OpenSheet("board.h");
  OpenSheet("x");
  book->MDIActivate(active);
  afx_test::Pump();
  book->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  afx_test::Pump();
  Picture(book->m_hWnd, "workbook_tabs");
  // The active tab is drawn on top: its black bottom edge lies below the others'.
  POINT* p = nullptr;
  int n = 0;
  book->GetTabPolygon(active, p, n);
  const CPoint origin = ClientOrigin(book);
  const int x = (p[2].x + p[3].x) / 2 + origin.x;
  const COLORREF edge = ui_test::Pixel(book->m_hWnd, x, p[2].y - 1 + origin.y);
  const COLORREF inside = ui_test::Pixel(book->m_hWnd, x, p[0].y + 2 + origin.y);
  delete[] p;
  EXPECT_EQ(edge, RGB(0, 0, 0));
  EXPECT_EQ(inside, ::GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace frames_test
