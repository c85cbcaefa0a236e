// Columns of the list without a window: sub-item numbering, the cells that
// follow their columns through insertion, deletion and moves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/list_ctrl.h"

namespace {

constexpr int kWidth = 40;

// The sub-item each column shows, left to right.
std::vector<int> ColumnSubItems(const SECListBaseC& list) {
  std::vector<int> subs;
  for (int c = 0; c < list.GetColumnCount(); ++c) subs.push_back(list.GetColumnRecord(c)->iSubItem);
  return subs;
}

// The text a row shows under each column, left to right.
std::vector<std::string> RowCells(const SECListBaseC& list, int row) {
  std::vector<std::string> cells;
  char buffer[64];
  for (int c = 0; c < list.GetColumnCount(); ++c) {
    list.GetItemText(row, list.GetColumnRecord(c)->iSubItem, buffer, sizeof buffer);
    cells.push_back(buffer);
  }
  return cells;
}

// Stores a cell's text in the list itself (sub-items start as callbacks
// that only LVIF_DI_SETITEM replaces).
void SetCell(SECListBaseC& list, int row, int sub, const char* text) {
  LV_ITEM lvi{};
  lvi.mask = LVIF_TEXT | LVIF_DI_SETITEM;
  lvi.iItem = row;
  lvi.iSubItem = sub;
  lvi.pszText = const_cast<char*>(text);
  list.SetItem(&lvi);
}

// A list with the columns "A" (label), "B", "C", "D" and one row "a b c d".
void MakeFourColumns(SECListBaseC& list) {
  for (const char* heading : {"A", "B", "C", "D"}) list.AppendColumn(heading, LVCFMT_LEFT, kWidth);
  list.InsertItem(0, "a");
  SetCell(list, 0, 1, "b");
  SetCell(list, 0, 2, "c");
  SetCell(list, 0, 3, "d");
}

TEST(ListColumns, NewColumnsTakeTheNextSubItemAndAWidth) {
  SECListCtrl list;
  list.AppendColumn("label", LVCFMT_RIGHT, kWidth, 5);
  list.AppendColumn("second", LVCFMT_RIGHT, -1, -1);
  EXPECT_EQ(ColumnSubItems(list), (std::vector<int>{0, 1}));
  EXPECT_EQ(list.GetColumnFormat(0), LVCFMT_LEFT);
  EXPECT_EQ(list.GetColumnWidth(1), 10);
  EXPECT_EQ(list.GetSubItemCount(), 1);
  list.InsertItem(0, "row");
  EXPECT_EQ(list.GetItemRecord(0)->GetSubItemCount(), 1);
}

TEST(ListColumns, ColumnInFrontKeepsEveryCellUnderItsHeading) {
  SECListCtrl list;
  MakeFourColumns(list);
  list.InsertColumn(1, "X", LVCFMT_LEFT, kWidth);
  SetCell(list, 0, list.GetColumnRecord(1)->iSubItem, "x");
  EXPECT_EQ(RowCells(list, 0), (std::vector<std::string>{"a", "x", "b", "c", "d"}));
  list.InsertColumn(0, "L", LVCFMT_RIGHT, kWidth);
  EXPECT_EQ(list.GetColumnRecord(0)->iSubItem, 0);
  EXPECT_EQ(RowCells(list, 0), (std::vector<std::string>{"", "a", "x", "b", "c", "d"}));
  std::vector<int> subs = ColumnSubItems(list);
  std::sort(subs.begin(), subs.end());
  EXPECT_EQ(subs, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(list.GetItemRecord(0)->GetSubItemCount(), list.GetSubItemCount());
}

TEST(ListColumns, DeletingColumnsRenumbersTheRest) {
  SECListCtrl list;
  MakeFourColumns(list);
  list.DeleteColumn("C");
  EXPECT_EQ(ColumnSubItems(list), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(RowCells(list, 0), (std::vector<std::string>{"a", "b", "d"}));
  EXPECT_EQ(list.GetColumnWidth(0), 2 * kWidth);
  list.DeleteColumn(0);  // the label column
  EXPECT_EQ(ColumnSubItems(list), (std::vector<int>{0, 1}));
  EXPECT_EQ(RowCells(list, 0), (std::vector<std::string>{"b", "d"}));
  EXPECT_EQ(list.GetItemRecord(0)->GetSubItemCount(), list.GetSubItemCount());
}

TEST(ListColumns, MovedColumnsTakeTheirCellsAlong) {
  struct Case {
    int from, to;
    std::vector<std::string> headings;
  } cases[] = {
      {1, 3, {"A", "C", "B", "D"}},
      {3, 9, {"A", "B", "C", "D"}},
      {3, 1, {"A", "D", "B", "C"}},
  };
  for (const Case& c : cases) {
    SECListCtrl list;
    MakeFourColumns(list);
    ASSERT_TRUE(list.MoveColumn(c.from, c.to));
    std::vector<std::string> headings;
    for (int i = 0; i < list.GetColumnCount(); ++i) headings.push_back(std::string(list.GetColumnHeading(i)));
    EXPECT_EQ(headings, c.headings) << c.from << " to " << c.to;
    std::vector<std::string> cells = RowCells(list, 0);
    for (size_t i = 0; i < headings.size(); ++i)
      EXPECT_EQ(cells[i], std::string(1, static_cast<char>(headings[i][0] - 'A' + 'a')));
    EXPECT_EQ(ColumnSubItems(list), (std::vector<int>{0, 1, 2, 3}));
  }
  SECListCtrl list;
  MakeFourColumns(list);
  EXPECT_FALSE(list.MoveColumn(0, 2));
  EXPECT_FALSE(list.MoveColumn(2, 0));
}

TEST(ListColumns, SubItemTextsStayWithTheOwnerUnlessStored) {
  SECListCtrl list;
  MakeFourColumns(list);
  list.InsertItem(1, "second");
  list.SetItemText(1, 1, "owner keeps this");
  EXPECT_EQ(list.GetItemRecord(1)->GetSubItem(1)->m_pszText, LPSTR_TEXTCALLBACK);
  EXPECT_TRUE(list.IsCallbackItem(1));
  list.SetItemText(0, 1, "replaced");
  EXPECT_EQ(RowCells(list, 0)[1], "replaced");
}

TEST(ListColumns, HeadingCopiesAreBounded) {
  SECListCtrl list;
  list.AppendColumn("Heading");
  char buffer[5] = {'X', 'X', 'X', 'X', 'X'};
  LV_COLUMN col{};
  col.mask = LVCF_TEXT;
  col.pszText = buffer;
  col.cchTextMax = 4;
  ASSERT_TRUE(list.GetColumn(0, &col));
  EXPECT_STREQ(buffer, "Hea");
  EXPECT_EQ(buffer[4], 'X');
}

}  // namespace
