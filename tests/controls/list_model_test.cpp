// The list as a model, without a window: items, selection, focus, search,
// callbacks and the records.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "controls/list_ctrl.h"
#include "controls/subitem_text_storage.h"

namespace {

// A list that records what it hands to its hooks.
class ModelList : public SECListCtrl {
 public:
  void OnSetItem(const LV_ITEM* pItem) override { setItems.push_back(*pItem); }
  std::vector<LV_ITEM> setItems;
};

void AddRows(SECListBaseC& list, int count) {
  for (int i = 0; i < count; ++i) list.InsertItem(list.GetItemCount(), ("row " + std::to_string(i)).c_str());
}

std::vector<int> SelectedRows(const SECListBaseC& list) {
  std::vector<int> rows;
  for (DWORD r : list.GetSelection().Rows()) rows.push_back(static_cast<int>(r));
  return rows;
}

TEST(ListModel, NewListIsEmptyWithItsDefaults) {
  SECListCtrl list;
  EXPECT_EQ(list.GetItemCount(), 0);
  EXPECT_EQ(list.GetColumnCount(), 0);
  EXPECT_EQ(list.GetSubItemCount(), 0);
  EXPECT_EQ(list.GetTopIndex(), 0);
  EXPECT_EQ(list.GetFocusIndex(), -1);
  EXPECT_EQ(list.GetAnchorIndex(), -1);
  EXPECT_EQ(list.GetDropHilightIndex(), -1);
  EXPECT_EQ(list.GetHeaderHeight(), 20);
  EXPECT_EQ(list.GetTypeAheadPeriod(), 250u);
  EXPECT_EQ(list.GetEditControl()->GetSafeHwnd(), nullptr);
}

TEST(ListModel, FirstRowIsFocusedAndSelected) {
  SECListCtrl list;
  list.InsertItem(0, "first");
  EXPECT_EQ(list.GetFocusIndex(), 0);
  EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED | LVIS_FOCUSED), UINT(LVIS_SELECTED | LVIS_FOCUSED));
}

TEST(ListModel, InsertingAboveTheFocusKeepsTheSameRecordFocused) {
  SECListCtrl list;
  AddRows(list, 5);
  list.SetFocusItem(3, TRUE);
  list.SelectItem(4, TRUE);
  list.SelectItem(1, TRUE);
  SECListItem* focused = list.GetItemRecord(3);
  list.InsertItem(2, "new");
  EXPECT_EQ(list.GetItemRecord(list.GetFocusIndex()), focused);
  EXPECT_EQ(SelectedRows(list), (std::vector<int>{0, 1, 4, 5}));
}

TEST(ListModel, DeletingTheFocusedLastRowFocusesAndSelectsTheRowAbove) {
  SECListCtrl list;
  AddRows(list, 4);
  list.DeselectAllExcept(-1);
  list.SetFocusItem(3, TRUE);
  list.DeleteItem(3);
  EXPECT_EQ(list.GetFocusIndex(), 2);
  EXPECT_EQ(SelectedRows(list), (std::vector<int>{2}));
}

TEST(ListModel, DeletingARangeMovesLaterStateDown) {
  SECListCtrl list;
  AddRows(list, 10);
  list.DeselectAllExcept(-1);
  for (int row : {1, 3, 4, 8}) list.SelectItem(row, TRUE);
  list.SetFocusItem(9, TRUE);
  list.SetDropHilightIndex(7);
  list.DeleteItem(3, 3);  // rows 3, 4, 5
  EXPECT_EQ(list.GetItemCount(), 7);
  EXPECT_EQ(SelectedRows(list), (std::vector<int>{1, 5, 6}));
  EXPECT_EQ(list.GetFocusIndex(), 6);
  EXPECT_EQ(list.GetDropHilightIndex(), 4);
}

TEST(ListModel, InsertionPlacesOutsideTheRowsAreClampedOrRefused) {
  constexpr int kBeyond = 50;
  SECListCtrl list;
  AddRows(list, 3);
  EXPECT_EQ(list.InsertItem(kBeyond, "end"), 3);
  EXPECT_EQ(list.GetItemCount(), 4);
  EXPECT_EQ(list.InsertItem(-5, "nowhere"), -1);
  EXPECT_EQ(list.GetItemCount(), 4);
  LV_ITEM lvi{};
  lvi.mask = LVIF_TEXT;
  lvi.pszText = const_cast<char*>("before first");
  EXPECT_EQ(list.InsertItemBefore(list.GetItemRecord(0), &lvi), 0);
  EXPECT_EQ(list.GetItemCount(), 5);
}

TEST(ListModel, CallbackTextIsKeptAndHandedToTheHook) {
  ModelList list;
  list.InsertItem(0, LPSTR_TEXTCALLBACK);
  list.setItems.clear();
  LV_ITEM lvi{};
  lvi.mask = LVIF_TEXT;
  lvi.pszText = const_cast<char*>("owner text");
  list.SetItem(&lvi);
  ASSERT_EQ(list.setItems.size(), 1u);
  EXPECT_EQ(list.setItems[0].mask, UINT(LVIF_TEXT));
  EXPECT_TRUE(list.IsCallbackItem(0));
  lvi.mask = LVIF_TEXT | LVIF_DI_SETITEM;
  list.SetItem(&lvi);
  char buffer[32];
  EXPECT_EQ(list.GetItemText(0, 0, buffer, sizeof buffer), 10);
  EXPECT_STREQ(buffer, "owner text");
  EXPECT_FALSE(list.IsCallbackItem(0));
}

TEST(ListModel, GetItemReportsTheControlsOwnStateBits) {
  SECListCtrl list;
  AddRows(list, 2);
  list.SetItemState(1, LVIS_CUT, LVIS_CUT);
  list.SetFocusItem(1, TRUE);
  LV_ITEM lvi{};
  lvi.mask = LVIF_STATE;
  lvi.iItem = 1;
  lvi.stateMask = LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT;
  ASSERT_TRUE(list.GetItem(&lvi));
  EXPECT_EQ(lvi.state, UINT(LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT));
  EXPECT_EQ(list.GetItemRecord(1)->m_state, UINT(LVIS_CUT));
}

TEST(ListModel, TextCopiesAreBoundedAndTerminated) {
  constexpr const char* kText = "abcdefgh";
  SECListCtrl list;
  list.InsertItem(0, kText);
  struct Case {
    int size;
    const char* expect;
  } cases[] = {{1, ""}, {4, "abc"}, {8, "abcdefg"}, {9, "abcdefgh"}, {20, "abcdefgh"}};
  for (const Case& c : cases) {
    std::vector<char> buffer(static_cast<size_t>(c.size) + 1, 'X');
    list.GetItemText(0, 0, buffer.data(), c.size);
    EXPECT_STREQ(buffer.data(), c.expect) << "size " << c.size;
    EXPECT_EQ(buffer[static_cast<size_t>(c.size)], 'X') << "wrote past the buffer, size " << c.size;
  }
}

TEST(ListModel, GetNextItemFollowsItsFlags) {
  SECListCtrl list;
  AddRows(list, 6);
  list.DeselectAllExcept(-1);
  list.SelectItem(2, TRUE);
  list.SelectItem(4, TRUE);
  list.SetFocusItem(3, FALSE);
  list.SetDropHilightIndex(5);
  struct Case {
    int from;
    int flags;
    int expect;
  } cases[] = {
      {-1, LVNI_SELECTED, 2},
      {2, LVNI_SELECTED, 4},
      {4, LVNI_SELECTED, -1},
      {5, LVNI_SELECTED | LVNI_ABOVE, 4},
      {2, LVNI_SELECTED | LVNI_ABOVE, -1},
      {-1, LVNI_FOCUSED, 3},
      {-1, LVNI_DROPHILITED, 5},
      {3, LVNI_ALL, 4},
      {5, LVNI_ALL, -1},
      {3, LVNI_ABOVE, 2},
      {0, LVNI_ABOVE, -1},
      {1, LVNI_BELOW, 2},
      {1, 0x1000, -1},
      {1, LVNI_TORIGHT, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(list.GetNextItem(c.from, c.flags), c.expect) << "from " << c.from << " flags " << c.flags;
}

TEST(ListModel, SingleSelectionKeepsOneRowAndSwitchingOffMultiClearsThem) {
  SECListCtrl list;
  AddRows(list, 5);
  for (int row : {1, 2, 3}) list.SelectItem(row, TRUE);
  EXPECT_EQ(list.GetSelectedCount(), 4);  // row 0 came with the first insertion
  list.EnableMultiSelect(FALSE);
  EXPECT_EQ(list.GetSelectedCount(), 0);
  EXPECT_TRUE(list.HasListStyle(LVS_SINGLESEL));
  list.SelectItem(1, TRUE);
  list.SelectItem(3, TRUE);
  EXPECT_EQ(SelectedRows(list), (std::vector<int>{3}));
}

// The scan of short arrays and the bisection of long ones must give the
// same answers as a plain set, whatever the order of changes.
TEST(ListSelection, AgreesWithASetUnderRandomChanges) {
  constexpr int kRows = 64;
  constexpr int kSteps = 20000;
  std::mt19937 random(23);
  SECListSelection selection;
  std::set<DWORD> expected;
  for (int step = 0; step < kSteps; ++step) {
    const DWORD row = random() % kRows;
    switch (random() % 4) {
      case 0:
      case 1:
        EXPECT_EQ(selection.Add(row), expected.insert(row).second);
        break;
      case 2:
        EXPECT_EQ(selection.Remove(row), expected.erase(row) == 1);
        break;
      default: {
        const auto pos = selection.Find(row);
        const auto it = expected.lower_bound(row);
        EXPECT_EQ(pos.found, it != expected.end() && *it == row);
        EXPECT_EQ(pos.index, std::distance(expected.begin(), it));
      }
    }
    // Now and then the array is cut back below the scan limit.
    if (random() % 500 == 0)
      while (expected.size() > 3) {
        selection.Remove(*expected.begin());
        expected.erase(expected.begin());
      }
    ASSERT_EQ(selection.Rows(), std::vector<DWORD>(expected.begin(), expected.end())) << "step " << step;
  }
}

TEST(ListSelection, ScanAndBisectionMeetAtTheLimit) {
  for (int size : {SECListSelection::kScanLimit, SECListSelection::kScanLimit + 1}) {
    SECListSelection selection;
    for (int i = 0; i < size; ++i) selection.Add(static_cast<DWORD>(i * 2));
    for (int probe = -1; probe <= size * 2; ++probe) {
      if (probe < 0) continue;
      const auto pos = selection.Find(static_cast<DWORD>(probe));
      EXPECT_EQ(pos.found, probe % 2 == 0 && probe < size * 2) << size << " " << probe;
      EXPECT_EQ(pos.index, (probe + 1) / 2) << size << " " << probe;
    }
  }
}

// The running height sums against plain sums, through appends, inserts,
// erasures and height changes in any order.
TEST(ListHeightIndex, AgreesWithPlainSums) {
  constexpr int kSteps = 3000;
  constexpr int kMaxHeight = 30;
  std::mt19937 random(7);
  SECListHeightIndex index;
  std::vector<int> heights;
  for (int step = 0; step < kSteps; ++step) {
    const int height = static_cast<int>(random() % kMaxHeight) + 1;
    const int count = static_cast<int>(heights.size());
    switch (random() % 5) {
      case 0:
      case 1:
        index.Append(height);
        heights.push_back(height);
        break;
      case 2: {
        const int at = count ? static_cast<int>(random() % count) : 0;
        index.Insert(at, height);
        heights.insert(heights.begin() + at, height);
        break;
      }
      case 3:
        if (count) {
          const int at = static_cast<int>(random() % count);
          const int n = std::min(count - at, static_cast<int>(random() % 3) + 1);
          index.Erase(at, n);
          heights.erase(heights.begin() + at, heights.begin() + at + n);
        }
        break;
      default:
        if (count) {
          const int at = static_cast<int>(random() % count);
          index.Set(at, height);
          heights[static_cast<size_t>(at)] = height;
        }
    }
    if (step % 97 != 0) continue;
    long long sum = 0;
    for (int row = 0; row <= static_cast<int>(heights.size()); ++row) {
      ASSERT_EQ(index.Before(row), sum) << "step " << step << " row " << row;
      if (row < static_cast<int>(heights.size())) {
        EXPECT_EQ(index.RowAt(sum), row);
        EXPECT_EQ(index.RowAt(sum + heights[static_cast<size_t>(row)] - 1), row);
        sum += heights[static_cast<size_t>(row)];
      }
    }
  }
}

TEST(ListRecords, SubItemsCountFromOne) {
  SECListItem item;
  EXPECT_EQ(item.AddSubItem(), 0);
  EXPECT_EQ(item.AddSubItem(), 1);
  EXPECT_EQ(item.GetSubItem(0), nullptr);
  ASSERT_NE(item.GetSubItem(2), nullptr);
  EXPECT_EQ(item.GetSubItem(3), nullptr);
  EXPECT_EQ(item.GetSubItem(1)->m_pszText, LPSTR_TEXTCALLBACK);
}

TEST(SubItemTextStorage, StoresGrowsAndMovesTexts) {
  SECSubItemTextStorage storage;
  const auto node = reinterpret_cast<HTREEITEM>(0x10);
  storage.SetSubItemText(node, 3, "C");
  char buffer[8];
  EXPECT_TRUE(storage.GetSubItemText(node, 1, buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "");
  storage.SetSubItemText(node, 1, "A");
  storage.SetSubItemText(node, 2, "B");
  EXPECT_TRUE(storage.MoveSubItemText(node, 1, 3));
  std::string order;
  for (int n = 1; n <= 3; ++n) {
    storage.GetSubItemText(node, n, buffer, sizeof buffer);
    order += buffer;
  }
  EXPECT_EQ(order, "BCA");
  EXPECT_FALSE(storage.GetSubItemText(node, 4, buffer, sizeof buffer));
  EXPECT_FALSE(storage.MoveSubItemText(reinterpret_cast<HTREEITEM>(0x20), 1, 2));
  storage.RemoveItem(node);
  EXPECT_FALSE(storage.GetSubItemText(node, 1, buffer, sizeof buffer));
}

TEST(SubItemTextStorage, ALongTextIsCutAndTerminated) {
  SECSubItemTextStorage storage;
  const auto node = reinterpret_cast<HTREEITEM>(0x10);
  storage.SetSubItemText(node, 1, "abcdef");
  char buffer[5] = {'X', 'X', 'X', 'X', 'X'};
  storage.GetSubItemText(node, 1, buffer, 4);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(buffer[4], 'X');
}

}  // namespace
