// The list's window: creation, the style split, geometry with the layer's
// fixed font, hit testing and scrolling.
#include "tests/controls/list_fixture.h"

namespace list_test {
namespace {

TEST_F(ListTest, CreationSplitsTheListStylesOffTheWindowStyle) {
  Make(LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, LVXS_HGRIDLINES | WS_EX_CLIENTEDGE);
  EXPECT_EQ(list->GetStyle() & 0xF3FF, 0u);
  EXPECT_EQ(list->GetListStyle(), DWORD(LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS));
  EXPECT_EQ(list->GetListStyleEx(), DWORD(LVXS_HGRIDLINES));
  EXPECT_EQ(list->GetExStyle() & LVXS_HGRIDLINES, 0u);
  EXPECT_EQ(list->GetColumnCount(), 0);
}

TEST_F(ListTest, AListOutsideReportViewHasOneLabelColumnAsWideAsTheWindow) {
  Make(LVS_ICON);
  EXPECT_EQ(list->GetColumnCount(), 1);
  EXPECT_FALSE(list->IsHeaderVisible());
  list->SetWindowPos(nullptr, 0, 0, kListWidth + 20, kListHeight, SWP_NOZORDER | SWP_NOMOVE);
  CRect inside;
  list->GetInsideRect(&inside);
  EXPECT_EQ(list->GetColumnWidth(0), inside.Width());
}

TEST_F(ListTest, RowsTileTheInsideRectangleFromTheTopRow) {
  MakeReport(30);
  CRect inside;
  list->GetInsideRect(&inside);
  EXPECT_EQ(inside.top, list->GetHeaderHeight());
  CRect previous;
  for (int row = 0; row <= list->GetLastFullyVisibleIndex(); ++row) {
    CRect cell;
    ASSERT_TRUE(list->GetCellRect(row, 0, &cell, kSECListRectBounds));
    EXPECT_GT(cell.Height(), 0);
    EXPECT_EQ(cell.top, row == 0 ? inside.top : previous.bottom) << row;
    EXPECT_LE(cell.bottom, inside.bottom);
    previous = cell;
  }
  list->SetTopIndex(3);
  CRect cell;
  EXPECT_FALSE(list->GetCellRect(2, 0, &cell, kSECListRectBounds));
  ASSERT_TRUE(list->GetCellRect(3, 0, &cell, kSECListRectBounds));
  EXPECT_EQ(cell.top, inside.top);
}

TEST_F(ListTest, PageArithmeticFollowsTheRowHeights) {
  MakeReport(30);
  CRect inside, cell;
  list->GetInsideRect(&inside);
  list->GetCellRect(0, 0, &cell, kSECListRectBounds);
  const int perPage = inside.Height() / cell.Height();
  EXPECT_EQ(list->GetCountPerPage(), perPage);
  EXPECT_EQ(list->GetLastFullyVisibleIndex(), perPage - 1);
  EXPECT_EQ(list->GetMaxTopIndex(), 30 - perPage);
  EXPECT_TRUE(list->GetScrollBarState() & WS_VSCROLL);
  list->EnsureVisible(29);
  EXPECT_EQ(list->GetTopIndex(), 30 - perPage);
  EXPECT_EQ(list->GetLastFullyVisibleIndex(), 29);
  list->EnsureVisible(4);
  EXPECT_EQ(list->GetTopIndex(), 4);
  list->SetTopIndex(2);
  list->ScrollRows(-5);
  EXPECT_EQ(list->GetTopIndex(), 0);
}

TEST_F(ListTest, TheMaxTopIndexOfATallLastRowIsTheRowCount) {
  MakeReport(5);
  CRect inside;
  list->GetInsideRect(&inside);
  list->SetItemHeight(4, inside.Height() + 1);
  list->GetItemRecord(4)->m_bDirty = FALSE;
  EXPECT_EQ(list->GetMaxTopIndex(), 5);
}

TEST_F(ListTest, HitTestingFindsDividersButtonsRowsAndLabels) {
  MakeReport(3);
  CRect inside, label;
  list->GetInsideRect(&inside);
  list->GetItemRect(0, &label, kSECListRectLabel);
  constexpr int kDividerX = 100;  // right edge of the first column
  struct Case {
    const char* what;
    int x, y;
    int row;
    UINT flags;
    int col;
  } cases[] = {
      {"on the divider", kDividerX + 4, 5, 0, kSECListHitDivider, 0},
      {"past the divider", kDividerX + 5, 5, 1, kSECListHitHeader, 1},
      {"left of the divider", kDividerX - 4, 5, 0, kSECListHitDivider, 0},
      {"header button", 50, 5, 0, kSECListHitHeader, 0},
      {"inside top is header", 50, int(inside.top), 0, kSECListHitHeader, 0},
      {"label", int(label.CenterPoint().x), int(inside.top) + 1, 0, kSECListHitRow | LVHT_ONITEMLABEL, 0},
      {"left of label", int(label.left) - 1, int(inside.top) + 1, 0, kSECListHitRow | kSECListHitLeftOfLabel,
       0},
      {"right of label", int(label.right), int(inside.top) + 1, 0, kSECListHitRow | kSECListHitRightOfLabel,
       0},
      {"sub-item cell", 150, int(inside.top) + 1, 0, kSECListHitRow, 1},
      {"below the rows", 50, int(inside.bottom) - 2, -1, LVHT_NOWHERE, 0},
      {"above the window", 50, -1, -1, LVHT_ABOVE, -1},
      {"left of the window", -1, 50, -1, LVHT_TOLEFT, -1},
  };
  for (const Case& c : cases) {
    UINT flags = 0;
    int col = -2;
    EXPECT_EQ(list->HitTest(c.x, c.y, &flags, &col), c.row) << c.what;
    EXPECT_EQ(flags, c.flags) << c.what;
    EXPECT_EQ(col, c.col) << c.what;
  }
}

TEST_F(ListTest, AHeaderWithoutColumnsIsOneButtonUnlessTheLabelStretches) {
  Make(LVS_REPORT);
  UINT flags = 0;
  int col = -1;
  EXPECT_EQ(list->HitTest(50, 5, &flags, &col), 0);
  EXPECT_EQ(flags, kSECListHitHeader);
  list->ModifyListStyleEx(0, LVXS_STRETCHLABEL);
  list->HitTest(50, 5, &flags, &col);
  EXPECT_EQ(flags, UINT(LVHT_NOWHERE));
}

TEST_F(ListTest, WheelNotchesAccumulate) {
  MakeReport(40);
  list->SetTopIndex(5);
  constexpr short kHalfNotch = 60;
  list->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, kHalfNotch), 0);
  EXPECT_EQ(list->GetTopIndex(), 5);
  EXPECT_EQ(list->GetWheelDelta(), kHalfNotch);
  list->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, kHalfNotch), 0);
  EXPECT_EQ(list->GetTopIndex(), 4);
  EXPECT_EQ(list->GetWheelDelta(), 0);
  list->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
  EXPECT_EQ(list->GetTopIndex(), 6);
}

TEST_F(ListTest, ScrollBarMessagesMoveTheTopRow) {
  MakeReport(40);
  const int page = list->GetCountPerPage();
  struct Step {
    UINT code;
    int top;
  } steps[] = {{SB_LINEDOWN, 1},       {SB_LINEDOWN, 2},         {SB_LINEUP, 1}, {SB_PAGEDOWN, 1 + page},
               {SB_BOTTOM, 40 - page}, {SB_LINEDOWN, 40 - page}, {SB_TOP, 0},    {SB_LINEUP, 0}};
  for (const Step& s : steps) {
    list->SendMessage(WM_VSCROLL, s.code, 0);
    EXPECT_EQ(list->GetTopIndex(), s.top) << "code " << s.code;
  }
}

TEST_F(ListTest, DestroyingTheWindowLeavesAnEmptyModel) {
  MakeReport(3);
  list->DestroyWindow();
  EXPECT_EQ(list->GetItemCount(), 0);
  EXPECT_EQ(list->GetColumnCount(), 0);
  list->InsertItem(0, "after");
  EXPECT_EQ(list->GetItemCount(), 1);
}

}  // namespace
}  // namespace list_test

namespace list_test {
namespace {

TEST_F(ListTest, ImageListsArePrivateCopiesUnlessShared) {
  CImageList images;
  images.Create(16, 16, ILC_COLOR24, 1, 1);
  images.SetImageCount(2);
  for (DWORD style : {DWORD(0), DWORD(LVS_SHAREIMAGELISTS)}) {
    Make(LVS_REPORT | style);
    EXPECT_EQ(list->SetImageList(&images, LVSIL_SMALL), nullptr);
    CImageList* kept = list->GetImageList(LVSIL_SMALL);
    ASSERT_NE(kept, nullptr);
    if (style) {
      EXPECT_EQ(kept, &images);
    } else {
      EXPECT_NE(kept, &images);
      EXPECT_NE(kept->GetSafeHandle(), images.GetSafeHandle());
      EXPECT_EQ(kept->GetImageCount(), 2);
    }
    EXPECT_EQ(list->SetImageList(nullptr, 7), nullptr);
    delete list;
    list = nullptr;
  }
}

TEST_F(ListTest, ReplacingADialogItemTakesItsPlaceAndId) {
  constexpr UINT kItemId = 200;
  const CRect place(10, 12, 110, 92);
  CStatic placeholder;
  ASSERT_TRUE(placeholder.Create("", WS_CHILD | WS_VISIBLE | LVS_REPORT, place, &owner, kItemId));
  list = new SECListCtrl;
  ASSERT_TRUE(list->ReplaceDlgItem(kItemId, &owner));
  EXPECT_EQ(owner.GetDlgItem(kItemId), list);
  CRect rect;
  list->GetWindowRect(&rect);
  owner.ScreenToClient(&rect);
  EXPECT_EQ(rect, place);
  EXPECT_EQ(list->GetListStyle() & LVS_TYPEMASK, DWORD(LVS_REPORT));
  EXPECT_TRUE(list->GetStyle() & WS_BORDER);
}

}  // namespace
}  // namespace list_test
