// The tree control in a window: insertion, deletion, expansion and
// selection notifications, keys, stale handles and a picture.
#include <string>

#include "tests/controls/tree_fixture.h"
#include "platform/ui/sysmetrics.h"
#include "ui_test_support.h"

namespace tree_test {
namespace {

using Texts = std::vector<std::string>;

TEST_F(TreeTest, SortedInsertionIgnoresCaseAndKeepsEqualTextsInOrder) {
  Make();
  constexpr const char* kTexts[] = {"b", "A", "a"};
  for (const char* text : kTexts) tree->InsertItem(text, TVI_ROOT, TVI_SORT);
  EXPECT_EQ(RowTexts(), (Texts{"A", "a", "b"}));
  tree->InsertItem("c", TVI_ROOT, TVI_SORTDESCENDING);
  EXPECT_EQ(RowTexts().front(), "c");
}

TEST_F(TreeTest, SortingChildrenReordersNodesAndRowsAndKeepsTheCaret) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  constexpr const char* kTexts[] = {"pear", "Apple", "fig", "apple"};
  for (const char* text : kTexts) tree->InsertItem(text, parent);
  tree->InsertItem("zeta");
  tree->Expand(parent, TVE_EXPAND);
  const HTREEITEM fig = tree->GetNextSiblingItem(tree->GetNextSiblingItem(tree->GetChildItem(parent)));
  tree->Select(fig, TVGN_CARET);
  EXPECT_TRUE(tree->SortChildren(parent));
  EXPECT_EQ(RowTexts(), (Texts{"parent", "Apple", "apple", "fig", "pear", "zeta"}));
  EXPECT_EQ(tree->GetSelectedItem(), fig);
  EXPECT_TRUE(tree->SortChildren(nullptr, TRUE, FALSE));
  EXPECT_EQ(RowTexts(), (Texts{"zeta", "parent", "pear", "fig", "Apple", "apple"}));
}

TEST_F(TreeTest, NavigationFromTheRootAndTheTopLevel) {
  Make();
  const HTREEITEM first = tree->InsertItem("first");
  const HTREEITEM second = tree->InsertItem("second");
  const HTREEITEM child = tree->InsertItem("child", first);
  EXPECT_EQ(tree->GetChildItem(TVI_ROOT), first);
  EXPECT_EQ(tree->GetChildItem(nullptr), first);
  EXPECT_EQ(tree->GetParentItem(first), nullptr);
  EXPECT_EQ(tree->GetParentItem(child), first);
  EXPECT_EQ(tree->GetNextSiblingItem(first), second);
  EXPECT_EQ(tree->GetPrevSiblingItem(second), first);
  // The child is collapsed away: it has no row, but its visible neighbours are known.
  EXPECT_EQ(tree->FindRow(child), -1);
  EXPECT_EQ(tree->GetNextItem(child, TVGN_NEXTVISIBLE), second);
  EXPECT_EQ(tree->GetNextItem(second, TVGN_PREVIOUSVISIBLE), first);
  EXPECT_EQ(tree->GetCount(), 3);
  // An insert-after handle that is not a child is refused.
  EXPECT_EQ(tree->InsertItem("stray", first, second), nullptr);
  EXPECT_EQ(tree->GetCount(), 3);
}

TEST_F(TreeTest, DeleteAllTellsChildrenBeforeParentsAndLeavesAUsableControl) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  const HTREEITEM child = tree->InsertItem("child", parent);
  const HTREEITEM grandchild = tree->InsertItem("grandchild", child);
  const HTREEITEM other = tree->InsertItem("other");
  owner.notices.clear();
  EXPECT_TRUE(tree->DeleteAllItems());
  ExpectNotices({{TVN_DELETEITEM, grandchild, 0},
                 {TVN_DELETEITEM, child, 0},
                 {TVN_DELETEITEM, parent, 0},
                 {TVN_DELETEITEM, other, 0}});
  EXPECT_EQ(tree->GetItemCount(), 0);
  EXPECT_EQ(tree->GetCount(), 0);
  EXPECT_NE(tree->InsertItem("again"), nullptr);
  EXPECT_EQ(RowTexts(), (Texts{"again"}));
}

TEST_F(TreeTest, ToggleTwiceShowsAndHidesTheChildren) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  tree->InsertItem("one", parent);
  tree->InsertItem("two", parent);
  tree->InsertItem("after");
  owner.notices.clear();
  EXPECT_TRUE(tree->Expand(parent, TVE_TOGGLE));
  EXPECT_EQ(RowTexts(), (Texts{"parent", "one", "two", "after"}));
  EXPECT_TRUE(tree->Expand(parent, TVE_TOGGLE));
  EXPECT_EQ(RowTexts(), (Texts{"parent", "after"}));
  ExpectNotices({{TVN_ITEMEXPANDING, parent, TVE_EXPAND},
                 {TVN_ITEMEXPANDED, parent, TVE_EXPAND},
                 {TVN_ITEMEXPANDING, parent, TVE_COLLAPSE},
                 {TVN_ITEMEXPANDED, parent, TVE_COLLAPSE}});
}

TEST_F(TreeTest, CollapseResetDeletesTheChildrenAfterHidingThem) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  const HTREEITEM child = tree->InsertItem("child", parent);
  const HTREEITEM grandchild = tree->InsertItem("grandchild", child);
  tree->InsertItem("after");
  tree->ExpandAll(parent);
  owner.notices.clear();
  EXPECT_TRUE(tree->Expand(parent, TVE_COLLAPSERESET | TVE_COLLAPSE));
  ExpectNotices({{TVN_ITEMEXPANDING, parent, TVE_COLLAPSERESET | TVE_COLLAPSE},
                 {TVN_DELETEITEM, grandchild, 0},
                 {TVN_DELETEITEM, child, 0},
                 {TVN_ITEMEXPANDED, parent, TVE_COLLAPSERESET | TVE_COLLAPSE}});
  EXPECT_EQ(RowTexts(), (Texts{"parent", "after"}));
  EXPECT_FALSE(tree->ItemHasChildren(parent));
  EXPECT_FALSE(tree->IsValidHandle(child));
}

TEST_F(TreeTest, DoubleClickOnALabelToggles) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  tree->InsertItem("child", parent);
  CRect row;
  ASSERT_TRUE(tree->GetItemRect(0, &row));
  const CPoint at(tree->GetIndentWidth(parent) + 10, row.CenterPoint().y);
  tree->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  EXPECT_TRUE(tree->IsItemExpanded(parent));
  tree->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON | MK_SHIFT, MAKELPARAM(at.x, at.y));
  EXPECT_TRUE(tree->IsItemExpanded(parent));
}

TEST_F(TreeTest, AVetoedExpansionChangesNothing) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  tree->InsertItem("child", parent);
  owner.answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == TVN_ITEMEXPANDING ? 1 : 0; };
  EXPECT_FALSE(tree->Expand(parent, TVE_EXPAND));
  EXPECT_FALSE(tree->IsItemExpanded(parent));
  EXPECT_EQ(tree->GetItemCount(), 1);
}

TEST_F(TreeTest, CallbackChildrenAreAskedForAndFilledInWhileExpanding) {
  Make();
  TV_INSERTSTRUCT insert{};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
  insert.item.pszText = const_cast<LPSTR>("lazy");
  insert.item.cChildren = I_CHILDRENCALLBACK;
  const HTREEITEM lazy = tree->InsertItem(&insert);
  owner.notices.clear();
  owner.answer = [this, lazy](NMHDR* hdr) -> LRESULT {
    if (hdr->code == TVN_GETDISPINFO) reinterpret_cast<TV_DISPINFO*>(hdr)->item.cChildren = 1;
    if (hdr->code == TVN_ITEMEXPANDING) tree->InsertItem("loaded", lazy);
    return 0;
  };
  EXPECT_TRUE(tree->Expand(lazy, TVE_EXPAND));
  EXPECT_EQ(RowTexts(), (Texts{"lazy", "loaded"}));
  ExpectNotices({{TVN_GETDISPINFO, lazy, TVIF_CHILDREN},
                 {TVN_ITEMEXPANDING, lazy, TVE_EXPAND},
                 {TVN_ITEMEXPANDED, lazy, TVE_EXPAND}});
}

TEST_F(TreeTest, CollapsingMovesTheSelectionUpToTheItem) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  const HTREEITEM child = tree->InsertItem("child", parent);
  tree->Expand(parent, TVE_EXPAND);
  ASSERT_TRUE(tree->Select(child, TVGN_CARET));
  EXPECT_EQ(tree->GetSelectedItem(), child);
  owner.notices.clear();
  EXPECT_TRUE(tree->Expand(parent, TVE_COLLAPSE));
  EXPECT_EQ(tree->GetSelectedItem(), parent);
  ExpectNotices({{TVN_ITEMEXPANDING, parent, TVE_COLLAPSE},
                 {TVN_SELCHANGING, parent, TVC_BYMOUSE},
                 {TVN_SELCHANGED, parent, TVC_BYMOUSE},
                 {TVN_ITEMEXPANDED, parent, TVE_COLLAPSE}});
}

TEST_F(TreeTest, SelectingACollapsedItemOpensItsAncestors) {
  Make();
  const HTREEITEM top = tree->InsertItem("top");
  const HTREEITEM middle = tree->InsertItem("middle", top);
  const HTREEITEM leaf = tree->InsertItem("leaf", middle);
  EXPECT_TRUE(tree->Select(leaf, TVGN_CARET));
  EXPECT_EQ(RowTexts(), (Texts{"top", "middle", "leaf"}));
  EXPECT_EQ(tree->GetSelectedItem(), leaf);
}

TEST_F(TreeTest, StaleHandlesAreRefused) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  const HTREEITEM child = tree->InsertItem("child", parent);
  ASSERT_TRUE(tree->DeleteItem(parent));
  EXPECT_FALSE(tree->IsValidHandle(child));
  EXPECT_EQ(tree->GetChildItem(parent), nullptr);
  EXPECT_EQ(tree->GetNextSiblingItem(child), nullptr);
  EXPECT_FALSE(tree->SetItemText(child, "gone"));
  EXPECT_FALSE(tree->DeleteItem(child));
  EXPECT_FALSE(tree->Expand(parent, TVE_EXPAND));
  EXPECT_FALSE(tree->ItemHasChildren(parent));
  EXPECT_EQ(tree->InsertItem("orphan", child), nullptr);
  EXPECT_EQ(tree->GetItemText(child), CString());
}

TEST_F(TreeTest, AnAnimationLimitOfZeroStillCollapsesInSteps) {
  constexpr int kChildren = 12;
  Make();
  tree->SetExtendedStyle(kSECTreeExAnimate);
  tree->SetAnimateLimit(0);
  EXPECT_EQ(tree->GetAnimateLimit(), 1u);
  const HTREEITEM parent = tree->InsertItem("parent");
  for (int i = 0; i < kChildren; ++i) tree->InsertItem(("child " + std::to_string(i)).c_str(), parent);
  tree->Expand(parent, TVE_EXPAND);
  EXPECT_EQ(tree->GetItemCount(), kChildren + 1);
  EXPECT_TRUE(tree->Expand(parent, TVE_COLLAPSE));
  EXPECT_EQ(tree->GetItemCount(), 1);
  // One update after the single step of all rows, and one at the end.
  EXPECT_GE(tree->GetAnimationSteps(), 2);
}

TEST_F(TreeTest, KeysExpandDescendClimbAndCollapse) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  const HTREEITEM child = tree->InsertItem("child", parent);
  ASSERT_TRUE(tree->Select(parent, TVGN_CARET));
  struct Step {
    UINT key;
    HTREEITEM selected;
    BOOL expanded;
  };
  const Step kSteps[] = {
      {VK_RIGHT, parent, TRUE},  // expands
      {VK_RIGHT, child, TRUE},   // goes to the first child
      {VK_LEFT, parent, TRUE},   // a leaf: goes to the parent
      {VK_LEFT, parent, FALSE},  // collapses
      {VK_ADD, parent, TRUE},    // numeric plus expands
      {VK_SUBTRACT, parent, FALSE},
  };
  for (const Step& step : kSteps) {
    tree->SendMessage(WM_KEYDOWN, step.key, 0);
    EXPECT_EQ(tree->GetSelectedItem(), step.selected) << "key " << step.key;
    EXPECT_EQ(tree->IsItemExpanded(parent), step.expanded) << "key " << step.key;
  }
  owner.notices.clear();
  tree->SendMessage(WM_KEYDOWN, VK_MULTIPLY, 0);
  EXPECT_TRUE(tree->IsItemExpanded(parent));
  EXPECT_EQ(owner.notices.front().code, static_cast<UINT>(TVN_KEYDOWN));
  EXPECT_EQ(owner.notices.front().action, static_cast<UINT>(VK_MULTIPLY));
  // '+' and '-' are keys of the tree, not type-ahead text.
  tree->SendMessage(WM_CHAR, '+', 0);
  EXPECT_TRUE(tree->GetTypeAheadText().IsEmpty());
}

// Exactly the calls the watch window makes on its tree.
TEST_F(TreeTest, WatchWindowOperations) {
  Make();
  TV_INSERTSTRUCT insert{};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = const_cast<LPSTR>("counter = 1");
  insert.item.lParam = 7;
  const HTREEITEM watch = tree->InsertItem(&insert);
  insert.hParent = watch;
  insert.item.pszText = const_cast<LPSTR>("low = 1");
  const HTREEITEM low = tree->InsertItem(&insert);
  insert.item.pszText = const_cast<LPSTR>("high = 0");
  const HTREEITEM high = tree->InsertItem(&insert);

  TV_ITEM update{};
  update.mask = TVIF_TEXT | TVIF_HANDLE;
  update.hItem = watch;
  update.pszText = const_cast<LPSTR>("counter = 2");
  EXPECT_TRUE(tree->SetItem(&update));
  EXPECT_EQ(tree->GetItemText(watch), CString("counter = 2"));
  EXPECT_TRUE(tree->ItemHasChildren(watch));
  EXPECT_FALSE(tree->ItemHasChildren(low));
  EXPECT_EQ(tree->GetChildItem(watch), low);
  EXPECT_EQ(tree->GetNextSiblingItem(low), high);
  EXPECT_EQ(tree->GetItemAt(0), watch);
  EXPECT_EQ(tree->GetItemAt(1), nullptr);
  tree->Select(watch, TVGN_CARET);
  EXPECT_EQ(tree->GetSelectedItem(), watch);
  // A refresh drops the children; the old handles are refused afterwards.
  EXPECT_TRUE(tree->DeleteItem(low));
  EXPECT_TRUE(tree->DeleteItem(high));
  EXPECT_FALSE(tree->ItemHasChildren(watch));
  update.hItem = low;
  EXPECT_FALSE(tree->SetItem(&update));
}

TEST_F(TreeTest, SetItemParamOnARowlessItemOnlyChangesTheData) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  const HTREEITEM hidden = tree->InsertItem("hidden", parent);
  EXPECT_TRUE(tree->SetItemData(hidden, 42));
  EXPECT_EQ(tree->GetItemData(hidden), 42);
  EXPECT_EQ(tree->GetItemCount(), 1);
}

TEST_F(TreeTest, HiddenItemsLoseTheirRowsAndComeBack) {
  Make();
  const HTREEITEM a = tree->InsertItem("a");
  tree->InsertItem("b");
  EXPECT_TRUE(tree->HideItem(a, TRUE));
  EXPECT_TRUE(tree->IsItemHidden(a));
  EXPECT_EQ(RowTexts(), (Texts{"b"}));
  EXPECT_TRUE(tree->HideItem(a, FALSE));
  EXPECT_EQ(RowTexts(), (Texts{"a", "b"}));
}

// Counts the pixels of a colour in a rectangle of the tree window.
int CountPixels(HWND hwnd, const CRect& area, COLORREF colour) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) count += ui_test::Pixel(hwnd, x, y) == colour ? 1 : 0;
  return count;
}

TEST_F(TreeTest, HitTestFlagsAcrossARow) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  const HTREEITEM child = tree->InsertItem("child", parent);
  tree->Expand(parent, TVE_EXPAND);
  CRect button;
  ASSERT_TRUE(tree->GetButtonRect(0, &button));
  CRect childRow;
  ASSERT_TRUE(tree->GetItemRect(1, &childRow));
  const int labelX = tree->GetIndentWidth(child) + static_cast<int>(tree->GetIndent());
  struct Case {
    CPoint at;
    HTREEITEM item;
    UINT flags;
  };
  const Case kCases[] = {
      {button.CenterPoint(), parent, 0x4000 | TVHT_ONITEMBUTTON},
      {CPoint(button.left + 1, childRow.CenterPoint().y), child, 0x4000 | TVHT_ONITEMINDENT},
      {CPoint(labelX, childRow.CenterPoint().y), child, 0x4000 | TVHT_ONITEMLABEL},
      {CPoint(labelX, kTreeHeight - 10), nullptr, TVHT_NOWHERE},
      {CPoint(labelX, kTreeHeight + 10), nullptr, TVHT_BELOW},
  };
  for (const Case& c : kCases) {
    UINT flags = 0;
    EXPECT_EQ(tree->HitTest(c.at.x, c.at.y, &flags), c.item) << c.at.x << "," << c.at.y;
    EXPECT_EQ(flags, c.flags) << c.at.x << "," << c.at.y;
  }
}

TEST_F(TreeTest, ClickingTheButtonTogglesTheItem) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  tree->InsertItem("child", parent);
  CRect button;
  ASSERT_TRUE(tree->GetButtonRect(0, &button));
  const CPoint at = button.CenterPoint();
  tree->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  tree->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  EXPECT_TRUE(tree->IsItemExpanded(parent));
  EXPECT_EQ(tree->GetItemCount(), 2);
  tree->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  EXPECT_FALSE(tree->IsItemExpanded(parent));
  EXPECT_EQ(tree->GetItemCount(), 1);
}

TEST_F(TreeTest, ButtonsShowPlusOrMinusAndLinesAreDotted) {
  Make();
  const HTREEITEM open = tree->InsertItem("open");
  tree->InsertItem("inner", open);
  const HTREEITEM closed = tree->InsertItem("closed");
  tree->InsertItem("hidden", closed);
  tree->Expand(open, TVE_EXPAND);
  tree->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const COLORREF ink = ::GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  CRect openBox, closedBox;
  ASSERT_TRUE(tree->GetButtonRect(0, &openBox));
  ASSERT_TRUE(tree->GetButtonRect(2, &closedBox));
  const HWND hwnd = tree->m_hWnd;
  // Minus: ink on the centre row only; plus: also on the centre column.
  const CPoint openCentre((openBox.left + openBox.right - 1) / 2, (openBox.top + openBox.bottom - 1) / 2);
  const CPoint closedCentre((closedBox.left + closedBox.right - 1) / 2,
                            (closedBox.top + closedBox.bottom - 1) / 2);
  EXPECT_EQ(ui_test::Pixel(hwnd, openCentre.x - 1, openCentre.y), ink);
  EXPECT_NE(ui_test::Pixel(hwnd, openCentre.x, openCentre.y - 1), ink);
  EXPECT_EQ(ui_test::Pixel(hwnd, closedCentre.x, closedCentre.y - 1), ink);
  EXPECT_EQ(ui_test::Pixel(hwnd, openBox.left, openBox.top), shadow);
  // The line from "open" down past "inner" to "closed" runs below the open box,
  // every other pixel.
  CRect innerRow;
  ASSERT_TRUE(tree->GetItemRect(1, &innerRow));
  const CRect column(openCentre.x, innerRow.top, openCentre.x + 1, innerRow.bottom);
  const int dots = CountPixels(hwnd, column, shadow);
  EXPECT_GE(dots, innerRow.Height() / 2 - 1);
  EXPECT_LE(dots, innerRow.Height() / 2 + 1);
}

TEST_F(TreeTest, ExtendedStyleBitsSetTheListStyles) {
  Make();
  // A new tree: single selection, no header.
  EXPECT_TRUE(tree->HasListStyle(LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_NOLABELWRAP));
  struct Case {
    DWORD treeEx;
    DWORD listOn;
    DWORD listOff;
    DWORD listExOn;
  };
  const Case kCases[] = {
      {kSECTreeExMultiSelect, 0, LVS_SINGLESEL, 0},
      {kSECTreeExHeader, LVS_NOSORTHEADER, LVS_NOCOLUMNHEADER, 0},
      {kSECTreeExHeader | kSECTreeExHeaderButtons | kSECTreeExHeaderDrag, 0, LVS_NOSORTHEADER,
       LVXS_HEADERDRAGDROP},
      {kSECTreeExLabelTips, LVS_NOCOLUMNHEADER, 0, LVXS_LABELTIPS},
  };
  for (const Case& c : kCases) {
    tree->SetExtendedStyle(c.treeEx);
    EXPECT_EQ(tree->GetListStyle() & (c.listOn | c.listOff), c.listOn) << std::hex << c.treeEx;
    EXPECT_EQ(tree->GetListStyleEx() & c.listExOn, c.listExOn) << std::hex << c.treeEx;
  }
  // Both words at once: the editing and always-shown selection bits live in the list's style.
  tree->ModifyStyles(0, TVS_EDITLABELS | TVS_SHOWSELALWAYS, 0, kSECTreeExMultiSelect);
  DWORD style = 0, exStyle = 0;
  tree->GetStyles(style, exStyle);
  EXPECT_TRUE(tree->HasListStyle(LVS_EDITLABELS | LVS_SHOWSELALWAYS));
  EXPECT_EQ(style & (TVS_EDITLABELS | TVS_SHOWSELALWAYS),
            static_cast<DWORD>(TVS_EDITLABELS | TVS_SHOWSELALWAYS));
  EXPECT_TRUE(exStyle & kSECTreeExMultiSelect);
  EXPECT_FALSE(tree->HasListStyle(LVS_SINGLESEL));
}

TEST_F(TreeTest, Picture) {
  Make();
  const HTREEITEM project = tree->InsertItem("project");
  tree->InsertItem("main.c", project);
  const HTREEITEM board = tree->InsertItem("board", project);
  tree->InsertItem("zor.cfg", board);
  tree->InsertItem("notes");
  tree->ExpandAll(project);
  tree->SetItemState(board, TVIS_BOLD, TVIS_BOLD);
  EXPECT_EQ(tree->GetItemCount(), 5);
  SavePicture("expanded");
}

}  // namespace
}  // namespace tree_test
