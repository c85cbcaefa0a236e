// Painting, read back from the window's pixels: the colour rules, grid
// lines, the header buttons; and pictures of lists for review.
#include <QDir>
#include <QString>

#include "controls/list_tip.h"
#include "tests/controls/list_fixture.h"
#include "tests/support/test_support.h"
#include "ui_test_support.h"

namespace list_test {
namespace {

// A point inside a row's label fill, left of its text.
CPoint FillPoint(SECListBaseC* list, int row) {
  CRect cell;
  list->GetCellRect(row, 0, &cell, kSECListRectBounds);
  return CPoint(cell.left + 2, cell.CenterPoint().y);
}

enum class Focus { kNo, kYes };

TEST_F(ListTest, RowsArePaintedInTheColoursOfTheirState) {
  struct Case {
    const char* what;
    DWORD style;
    Focus focus;
    bool enabled;
    int drop;
    int sysColour;  // of the row's fill
  } cases[] = {
      {"selected with focus", 0, Focus::kYes, true, -1, COLOR_HIGHLIGHT},
      {"selected without focus", 0, Focus::kNo, true, -1, COLOR_WINDOW},
      {"selected without focus, shown always", LVS_SHOWSELALWAYS, Focus::kNo, true, -1, COLOR_MENU},
      {"disabled", 0, Focus::kYes, false, -1, COLOR_MENU},
      {"drop target", 0, Focus::kNo, true, 0, COLOR_HIGHLIGHT},
  };
  for (const Case& c : cases) {
    MakeReport(3, c.style);
    list->SetDropHilightIndex(c.drop);
    if (c.focus == Focus::kYes) list->SetFocus();
    list->EnableWindow(c.enabled);
    Paint();
    const CPoint at = FillPoint(list, 0);
    EXPECT_EQ(Pixel(at.x, at.y), ::GetSysColor(c.sysColour)) << c.what;
    const CPoint plain = FillPoint(list, 1);
    EXPECT_EQ(Pixel(plain.x, plain.y), ::GetSysColor(c.enabled ? COLOR_WINDOW : COLOR_MENU)) << c.what;
    delete list;
    list = nullptr;
  }
}

TEST_F(ListTest, GridLinesRunAlongColumnsAndRows) {
  MakeReport(3, 0, LVXS_HGRIDLINES | LVXS_VGRIDLINES);
  Paint();
  CRect cell;
  list->GetCellRect(1, 1, &cell, kSECListRectBounds);
  const COLORREF grid = ::GetSysColor(COLOR_BTNSHADOW);
  EXPECT_EQ(Pixel(cell.left, cell.CenterPoint().y), grid);
  EXPECT_EQ(Pixel(cell.right, cell.CenterPoint().y), grid);
  EXPECT_EQ(Pixel(cell.left + 3, cell.bottom - 1), grid);
  EXPECT_NE(Pixel(cell.left + 3, cell.CenterPoint().y - 3), grid);
}

TEST_F(ListTest, APressedHeaderButtonLooksPushed) {
  MakeReport(1);
  Paint();
  constexpr int kEdge = 1;
  const COLORREF raised = Pixel(kEdge, kEdge);
  list->DrawHeaderItem(0, TRUE);
  const COLORREF pushed = Pixel(kEdge, kEdge);
  EXPECT_NE(raised, pushed);
  list->DrawHeaderItem(0, FALSE);
  EXPECT_EQ(Pixel(kEdge, kEdge), raised);
  EXPECT_EQ(Pixel(50, list->GetHeaderHeight() / 2 - 6), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(ListTest, TheFocusRectangleOfAFullRowSelectionSpansTheRow) {
  MakeReport(3, 0, LVXS_FULLROWSELECT);
  list->SetFocus();
  list->SetFocusItem(1, TRUE);
  Paint();
  CRect second;
  list->GetCellRect(1, 1, &second, kSECListRectBounds);
  // The selection fills the sub-item cell too; the dotted frame changes the
  // pixels along its top edge.
  EXPECT_EQ(Pixel(second.left + 2, second.CenterPoint().y), ::GetSysColor(COLOR_HIGHLIGHT));
  int framed = 0;
  for (int x = second.left; x < second.right; ++x)
    if (Pixel(x, second.top) != ::GetSysColor(COLOR_HIGHLIGHT)) ++framed;
  EXPECT_GT(framed, 0);
}

TEST_F(ListTest, ALongLabelWithoutWrappingEndsInAnEllipsisOnOneLine) {
  MakeReport(1, LVS_NOLABELWRAP);
  list->SetItemText(0, 0, "a label far too long for its column of one hundred pixels");
  Paint();
  CRect cell;
  list->GetCellRect(0, 0, &cell, kSECListRectBounds);
  EXPECT_LT(cell.Height(), 20);
  SavePicture("ellipsis");
}

// Pictures of the list's looks, for review.
TEST_F(ListTest, Pictures) {
  MakeReport(12, LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_NOLABELWRAP,
             LVXS_HGRIDLINES | LVXS_VGRIDLINES | LVXS_LABELTIPS);
  CImageList images;
  ui_test::MakeSquareImages(list, images, RGB(200, 40, 40), RGB(40, 160, 40));
  list->SetImageList(&images, LVSIL_SMALL);
  for (int i = 0; i < 12; ++i) list->SetItem(i, 0, LVIF_IMAGE, nullptr, i % 2, 0, 0, 0);
  list->SetItemText(2, 0, "a label too long to show whole");
  list->SetFocus();
  list->SelectItem(3, TRUE);
  list->SelectItem(4, TRUE);
  list->SetFocusItem(4, TRUE);
  SavePicture("report");
  list->SetFocusItem(5, TRUE);
  list->EditLabel(5, 0);
  SavePicture("editor");
  list->EndLabelEdit(FALSE);
}

}  // namespace
}  // namespace list_test

namespace list_test {
namespace {

TEST_F(ListTest, ACutOffLabelShowsItsTipUnderTheMouse) {
  MakeReport(3, LVS_NOLABELWRAP, LVXS_LABELTIPS);
  owner.SetActiveWindow();
  constexpr const char* kLong = "a label much too long for the first column";
  list->SetItemText(1, 0, kLong);
  Paint();
  SECListTip* tip = list->GetTipWnd();
  CRect cell;
  list->GetCellRect(1, 0, &cell, kSECListRectBounds);
  Click(WM_MOUSEMOVE, 0, CPoint(cell.left + 30, cell.CenterPoint().y));
  ASSERT_NE(tip->GetSafeHwnd(), nullptr);
  EXPECT_TRUE(tip->IsWindowVisible());
  EXPECT_EQ(tip->GetRow(), 1);
  EXPECT_EQ(tip->GetText(), CString(kLong));
  CRect shown;
  tip->GetWindowRect(&shown);
  EXPECT_GT(shown.Width(), cell.Width());
  const HWND firstTip = tip->GetSafeHwnd();
  Click(WM_MOUSEMOVE, 0, CPoint(cell.left + 40, cell.CenterPoint().y));
  EXPECT_EQ(tip->GetSafeHwnd(), firstTip);
  CRect again;
  tip->GetWindowRect(&again);
  EXPECT_EQ(again, shown);
  {
    const QString dir = QString::fromStdString(mirt_test::ProgramDir()) + "/../pictures/controls";
    QDir().mkpath(dir);
    tip->UpdateWindow();
    ui_test::Picture(tip->m_hWnd).save(dir + "/list_tip.png");
  }
  list->GetCellRect(0, 0, &cell, kSECListRectBounds);
  Click(WM_MOUSEMOVE, 0, CPoint(cell.left + 20, cell.CenterPoint().y));
  EXPECT_FALSE(tip->IsWindowVisible());
  EXPECT_EQ(tip->GetRow(), -1);
}

}  // namespace
}  // namespace list_test
