// The tree's label editing, disabled and hidden subtrees, bold labels,
// moving and sorting by callback, texts of further columns, drag images,
// the drop-target timer and a picture of all of them.
#include <cstring>
#include <string>

#include "tests/controls/tree_fixture.h"
#include "platform/ui/sysmetrics.h"
#include "ui_test_support.h"

namespace tree_test {
namespace {

using Texts = std::vector<std::string>;

constexpr DWORD kEditableTree = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS;

// Replies of the owner to the two edit notifications, and what it saw.
struct EditOwnerScript {
  LRESULT beginReply = 0;
  LRESULT endReply = 0;
  const char* rewrite = nullptr;  // written into the end-edit copy when set
  bool sawText = false;
  std::string seenText;
};

void ScriptEdits(TreeOwner& owner, EditOwnerScript& script) {
  owner.answer = [&script](NMHDR* hdr) -> LRESULT {
    if (hdr->code == static_cast<UINT>(TVN_BEGINLABELEDIT)) return script.beginReply;
    if (hdr->code != static_cast<UINT>(TVN_ENDLABELEDIT)) return 0;
    auto* info = reinterpret_cast<TV_DISPINFO*>(hdr);
    script.sawText = info->item.pszText != nullptr;
    if (script.sawText) script.seenText = info->item.pszText;
    if (script.sawText && script.rewrite) std::strcpy(info->item.pszText, script.rewrite);
    return script.endReply;
  };
}

TEST_F(TreeTest, LabelEditEndsAsTheOwnerAnswers) {
  constexpr const char* kOld = "old name";
  constexpr const char* kTyped = "new name";
  constexpr const char* kRewritten = "owner's name";
  struct Case {
    const char* what;
    LRESULT endReply;
    BOOL commit;
    const char* rewrite;
    const char* label;  // afterwards
    bool ownerSawText;
  };
  const Case kCases[] = {
      {"accepted", 1, TRUE, nullptr, kTyped, true},
      {"refused by the owner", 0, TRUE, nullptr, kOld, true},
      {"cancelled", 1, FALSE, nullptr, kOld, false},
      {"rewritten by the owner", 1, TRUE, kRewritten, kRewritten, true},
  };
  for (const Case& c : kCases) {
    Make(kEditableTree);
    EditOwnerScript script;
    script.endReply = c.endReply;
    script.rewrite = c.rewrite;
    ScriptEdits(owner, script);
    const HTREEITEM item = tree->InsertItem(kOld);
    ASSERT_TRUE(tree->EditLabel(item)) << c.what;
    CEdit* edit = tree->GetEditControl();
    ASSERT_NE(edit->GetSafeHwnd(), nullptr) << c.what;
    edit->SetWindowText(kTyped);
    owner.notices.clear();
    EXPECT_TRUE(tree->EndLabelEdit(c.commit)) << c.what;
    EXPECT_EQ(tree->GetItemText(item), CString(c.label)) << c.what;
    EXPECT_EQ(script.sawText, c.ownerSawText) << c.what;
    if (c.ownerSawText) EXPECT_EQ(script.seenText, kTyped) << c.what;
    ASSERT_EQ(owner.endEdits.size(), 1u) << c.what;
    EXPECT_EQ(owner.endEdits[0], reinterpret_cast<LPARAM>(item)) << c.what;
    owner.endEdits.clear();
    delete tree;
    tree = nullptr;
  }
}

TEST_F(TreeTest, ABeginEditVetoOrAReadOnlyTreeStartsNoEdit) {
  Make(TVS_HASBUTTONS);
  const HTREEITEM item = tree->InsertItem("fixed");
  EXPECT_FALSE(tree->EditLabel(item));
  tree->SetTreeStyle(kEditableTree);
  EditOwnerScript script;
  script.beginReply = 1;
  ScriptEdits(owner, script);
  EXPECT_FALSE(tree->EditLabel(item));
  EXPECT_EQ(tree->GetEditIndex(), -1);
  ExpectNotices({{static_cast<UINT>(TVN_BEGINLABELEDIT), item, TVIF_TEXT}});
}

TEST_F(TreeTest, AnEditedLabelKeepsAtMost2047Bytes) {
  Make(kEditableTree);
  EditOwnerScript script;
  script.endReply = 1;
  ScriptEdits(owner, script);
  const HTREEITEM item = tree->InsertItem("short");
  ASSERT_TRUE(tree->EditLabel(item));
  constexpr int kTypedLength = 3000;
  tree->GetEditControl()->SetWindowText(std::string(kTypedLength, 'x').c_str());
  tree->EndLabelEdit(TRUE);
  EXPECT_EQ(tree->GetItemText(item).GetLength(), kSECTreeLabelBufferSize - 1);
}

// An edit started in one column ends in that column, whichever column is
// current: a label edit ends with TVN_ENDLABELEDIT and the registered
// message, a value edit with the list's end-edit notice for its sub-item.
TEST_F(TreeTest, AnEditEndsInTheColumnItWasStartedIn) {
  constexpr const char* kLabel = "x";
  constexpr const char* kValue = "7";
  constexpr const char* kTyped = "typed";
  constexpr int kRow = 0;
  constexpr int kLabelColumn = 0;
  constexpr int kValueColumn = 1;
  struct Case {
    const char* what;
    int currentColumn;  // made current by a tree edit that is cancelled
    int editColumn;
    UINT endCode;
    const char* label;  // afterwards
    const char* value;
    size_t endEdits;  // registered end-of-edit messages
  };
  const Case kCases[] = {
      {"value edit with the label current", kLabelColumn, kValueColumn, UINT(LVN_ENDLABELEDITA), kLabel,
       kTyped, 0},
      {"label edit with the value current", kValueColumn, kLabelColumn, UINT(TVN_ENDLABELEDIT), kTyped,
       kValue, 1},
  };
  for (const Case& c : kCases) {
    Make(kEditableTree);
    tree->InsertColumn(kValueColumn, "value", LVCFMT_LEFT, 60, kValueColumn, -1, TRUE);
    tree->EnableSubItemTexts(TRUE);
    owner.answer = [](NMHDR* hdr) -> LRESULT {  // every end of an edit accepted
      return hdr->code == static_cast<UINT>(TVN_ENDLABELEDIT) || hdr->code == UINT(LVN_ENDLABELEDITA);
    };
    const HTREEITEM item = tree->InsertItem(kLabel);
    ASSERT_TRUE(tree->SetItemText(item, kValueColumn, kValue)) << c.what;
    ASSERT_TRUE(tree->EditLabel(item, c.currentColumn)) << c.what;
    tree->EndLabelEdit(FALSE);
    ASSERT_EQ(tree->GetCurrentColumn(), c.currentColumn) << c.what;
    owner.notices.clear();
    owner.endEdits.clear();
    ASSERT_NE(tree->EditLabel(kRow, c.editColumn), nullptr) << c.what;
    EXPECT_EQ(tree->GetEditColumn(), c.editColumn) << c.what;
    tree->GetEditControl()->SetWindowText(kTyped);
    EXPECT_TRUE(tree->EndLabelEdit(TRUE)) << c.what;
    std::vector<UINT> ends;
    for (const TreeNotice& n : owner.notices)
      if (n.code == static_cast<UINT>(TVN_ENDLABELEDIT) || n.code == UINT(LVN_ENDLABELEDITA))
        ends.push_back(n.code);
    EXPECT_EQ(ends, std::vector<UINT>{c.endCode}) << c.what;
    EXPECT_EQ(tree->GetItemText(item), CString(c.label)) << c.what;
    EXPECT_EQ(tree->GetItemText(item, kValueColumn), CString(c.value)) << c.what;
    EXPECT_EQ(owner.endEdits.size(), c.endEdits) << c.what;
    delete tree;
    tree = nullptr;
  }
}

// The list's own row setter (used by its edit) writes column 0 into the node.
TEST_F(TreeTest, TheListsRowSetterWritesTheItem) {
  Make();
  const HTREEITEM item = tree->InsertItem("before");
  tree->SECListBaseC::SetItemText(0, 0, "after");
  EXPECT_EQ(tree->GetItemText(item), CString("after"));
  tree->SECListBaseC::SetItemData(0, 99);
  EXPECT_EQ(tree->GetItemData(item), 99);
  EXPECT_EQ(tree->GetItemAt(0), item);
}

// The list measures labels from the cell's left; the tree draws them
// indented, and a click on the drawn label selects its item.
TEST_F(TreeTest, AClickOnAnIndentedShortLabelSelectsItsItem) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  const HTREEITEM inner = tree->InsertItem("in", parent);
  const HTREEITEM deepest = tree->InsertItem("x", inner);
  tree->ExpandAll(TVI_ROOT);
  CRect row;
  ASSERT_TRUE(tree->GetItemRect(2, &row));
  constexpr int kIntoLabel = 4;
  const CPoint at(tree->GetIndentWidth(deepest) + kIntoLabel, row.CenterPoint().y);
  tree->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  tree->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  EXPECT_EQ(tree->GetSelectedItem(), deepest);
  UINT flags = 0;
  EXPECT_EQ(tree->HitTest(at.x, at.y, &flags), deepest);
  EXPECT_EQ(flags, 0x4000u | TVHT_ONITEMLABEL);
}

TEST_F(TreeTest, ADisabledSubtreeIsGreyAndMayBeHidden) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  const HTREEITEM child = tree->InsertItem("child", parent);
  tree->InsertItem("other");
  tree->Expand(parent, TVE_EXPAND);
  EXPECT_TRUE(tree->DisableItem(parent, TRUE));
  EXPECT_TRUE(tree->IsItemDisabled(child));
  EXPECT_EQ(tree->QueryRowStateBits(1, 0x300), 0x100u);
  EXPECT_EQ(tree->GetFirstDisabledItem(), parent);
  EXPECT_EQ(tree->GetNextDisabledItem(parent), nullptr);

  tree->SetHideDisabledItems(TRUE);
  EXPECT_EQ(RowTexts(), (Texts{"other"}));
  EXPECT_EQ(tree->GetFirstHiddenItem(), parent);
  tree->SetHideDisabledItems(FALSE);
  EXPECT_EQ(RowTexts(), (Texts{"parent", "child", "other"}));

  EXPECT_TRUE(tree->HideItem(child, TRUE));
  EXPECT_TRUE(tree->ShowAllItems());
  EXPECT_EQ(tree->GetFirstHiddenItem(), nullptr);
  EXPECT_EQ(RowTexts(), (Texts{"parent", "child", "other"}));
  EXPECT_TRUE(tree->DisableItem(parent, FALSE));
  EXPECT_FALSE(tree->IsItemDisabled(child));
}

// Counts the pixels of one colour in a rectangle of a window.
int CountColour(HWND hwnd, const CRect& area, COLORREF colour) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) count += ui_test::Pixel(hwnd, x, y) == colour ? 1 : 0;
  return count;
}

TEST_F(TreeTest, DisabledRowsAreDrawnInTheDisabledColourAndBoldOnesHeavier) {
  Make(0);  // no lines: their dots share the grey
  constexpr const char* kLabel = "WWWW MMMM";
  tree->InsertItem(kLabel);
  const HTREEITEM second = tree->InsertItem(kLabel);
  const HTREEITEM third = tree->InsertItem(kLabel);
  tree->DisableItem(second, TRUE);
  tree->SetItemState(third, TVIS_BOLD, TVIS_BOLD);
  tree->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const COLORREF grey = tree->GetDisabledTextColor();
  const COLORREF ink = tree->GetTextColor();
  ASSERT_NE(grey, ink);
  CRect rows[3];
  for (int row = 0; row < 3; ++row) ASSERT_TRUE(tree->GetItemRect(row, &rows[row]));
  const HWND hwnd = tree->m_hWnd;
  EXPECT_EQ(CountColour(hwnd, rows[0], grey), 0);
  EXPECT_GT(CountColour(hwnd, rows[1], grey), 0);
  EXPECT_GT(CountColour(hwnd, rows[1], grey), CountColour(hwnd, rows[1], ink));
  SavePicture("bold_and_disabled");
  EXPECT_GT(CountColour(hwnd, rows[2], ink), CountColour(hwnd, rows[0], ink));
}

// Children of a disabled item are grey too, also right after the dotted
// lines and the buttons have been drawn in other colours.
TEST_F(TreeTest, TheDescendantsOfADisabledItemAreGrey) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  const HTREEITEM child = tree->InsertItem("WWWW MMMM", parent);
  tree->InsertItem("WWWW MMMM", child);
  tree->ExpandAll(TVI_ROOT);
  tree->DisableItem(parent, TRUE);
  tree->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const COLORREF ink = tree->GetTextColor();
  for (int row = 1; row < 3; ++row) {
    CRect rect;
    ASSERT_TRUE(tree->GetItemRect(row, &rect));
    rect.left = tree->GetIndentWidth(tree->GetItemAt(row));
    EXPECT_EQ(CountColour(tree->m_hWnd, rect, ink), 0) << "row " << row;
    EXPECT_GT(CountColour(tree->m_hWnd, rect, tree->GetDisabledTextColor()), 0) << "row " << row;
  }
}

// Pixels darker than mid-grey in a rectangle of a window (text ink).
int CountDark(HWND hwnd, const CRect& area) {
  constexpr int kMidGrey = 0x80;
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const COLORREF c = ui_test::Pixel(hwnd, x, y);
      count += GetRValue(c) < kMidGrey && GetGValue(c) < kMidGrey && GetBValue(c) < kMidGrey ? 1 : 0;
    }
  }
  return count;
}

TEST_F(TreeTest, TheIndentMarkerWrapsTheRestInAColumnAfterTheFirstPart) {
  Make(0);  // no lines or buttons: only the label inks the row
  tree->SetExtendedStyle(kSECTreeExLabelWrap);
  constexpr const char* kFirst = "Name:";
  constexpr const char* kRest = "a value long enough to wrap over several lines of its column";
  const HTREEITEM item = tree->InsertItem((std::string(kFirst) + "\\{HI}" + kRest).c_str());
  tree->InsertItem("next");
  tree->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  SavePicture("indent_marker");
  CRect marked, plain;
  ASSERT_TRUE(tree->GetItemRect(0, &marked));
  ASSERT_TRUE(tree->GetItemRect(1, &plain));
  EXPECT_GT(marked.Height(), 2 * plain.Height());
  const auto* node = reinterpret_cast<const _Node*>(item);
  ASSERT_TRUE(node->m_bHasMarker);
  EXPECT_EQ(node->m_strAfterMarker, CString(kRest));
  constexpr int kTextLeft = 6;
  const int column = kTextLeft + node->m_nMarkerWidth;
  const HWND hwnd = tree->m_hWnd;
  const int firstLineBottom = marked.top + plain.Height();
  EXPECT_GT(CountDark(hwnd, CRect(kTextLeft, marked.top, column - 1, firstLineBottom)), 0);
  // Below the first line nothing stands under the first part; the rest does.
  EXPECT_EQ(CountDark(hwnd, CRect(0, firstLineBottom, column - 1, marked.bottom)), 0);
  EXPECT_GT(CountDark(hwnd, CRect(column, firstLineBottom, marked.right, marked.bottom)), 0);
}

TEST_F(TreeTest, MovingAnItemTakesItsSubtreeAndRefusesItsOwnSubtree) {
  Make();
  const HTREEITEM a = tree->InsertItem("a");
  const HTREEITEM a1 = tree->InsertItem("a1", a);
  tree->InsertItem("a1x", a1);
  const HTREEITEM b = tree->InsertItem("b");
  const HTREEITEM b1 = tree->InsertItem("b1", b);
  tree->ExpandAll(TVI_ROOT);
  tree->Select(b, TVGN_CARET);
  EXPECT_EQ(RowTexts(), (Texts{"a", "a1", "a1x", "b", "b1"}));

  EXPECT_FALSE(tree->MoveItem(a, a1));
  EXPECT_FALSE(tree->MoveItem(a, a));
  // An insert-after item under another parent: refused, nothing moves.
  EXPECT_FALSE(tree->MoveItem(a1, b, TRUE, a1));
  EXPECT_EQ(RowTexts(), (Texts{"a", "a1", "a1x", "b", "b1"}));

  EXPECT_TRUE(tree->MoveItem(a1, b, TRUE, b1));
  EXPECT_EQ(tree->GetParentItem(a1), b);
  EXPECT_EQ(tree->GetNextSiblingItem(b1), a1);
  EXPECT_EQ(RowTexts(), (Texts{"a", "b", "b1", "a1", "a1x"}));
  EXPECT_EQ(tree->GetSelectedItem(), b);
  EXPECT_TRUE(tree->MoveItem(b1, TVI_ROOT, TRUE, TVI_FIRST));
  EXPECT_EQ(RowTexts(), (Texts{"b1", "a", "b", "a1", "a1x"}));
}

int CALLBACK CompareData(LPARAM upper, LPARAM lower, LPARAM sign) {
  return static_cast<int>(sign) * (upper < lower ? -1 : upper > lower ? 1 : 0);
}

TEST_F(TreeTest, SortingByCallbackOrdersByItemData) {
  Make();
  struct Item {
    const char* text;
    LPARAM data;
  };
  constexpr Item kItems[] = {{"three", 3}, {"one", 1}, {"two", 2}, {"one again", 1}};
  for (const Item& i : kItems)
    tree->InsertItem(TVIF_TEXT | TVIF_PARAM, i.text, 0, 0, 0, 0, i.data, TVI_ROOT, TVI_LAST);
  TVSORTCB sort{};
  sort.hParent = TVI_ROOT;
  sort.lpfnCompare = CompareData;
  sort.lParam = 1;
  EXPECT_TRUE(tree->SortChildrenCB(&sort));
  EXPECT_EQ(RowTexts(), (Texts{"one", "one again", "two", "three"}));
  EXPECT_TRUE(tree->SortChildrenCB(&sort, FALSE, FALSE));
  EXPECT_EQ(RowTexts(), (Texts{"three", "two", "one", "one again"}));
  EXPECT_FALSE(tree->SortChildrenCB(nullptr));
}

TEST_F(TreeTest, FurtherColumnTextsLiveByItemAndFollowColumnMoves) {
  Make();
  tree->InsertColumn(1, "value", LVCFMT_LEFT, 60, 1, -1, TRUE);
  tree->InsertColumn(2, "type", LVCFMT_LEFT, 60, 2, -1, TRUE);
  tree->EnableSubItemTexts(TRUE);
  ASSERT_TRUE(tree->HasSubItemTexts());
  const HTREEITEM parent = tree->InsertItem("x");
  const HTREEITEM child = tree->InsertItem("x.low", parent);
  EXPECT_TRUE(tree->SetItemText(parent, 1, "7"));
  EXPECT_TRUE(tree->SetItemText(parent, 2, "int"));
  EXPECT_TRUE(tree->SetItemText(child, 1, "3"));  // no row: kept anyway
  EXPECT_FALSE(tree->SetItemText(parent, 4, "beyond the columns"));
  EXPECT_EQ(tree->GetItemText(child, 1), CString("3"));
  // The rows show what the storage holds.
  char shown[64] = {};
  tree->SECListBaseC::GetItemText(0, 1, shown, sizeof shown);
  EXPECT_STREQ(shown, "7");
  tree->MoveColumn(2, 1);
  EXPECT_EQ(tree->GetItemText(parent, 1), CString("int"));
  EXPECT_EQ(tree->GetItemText(parent, 2), CString("7"));
  tree->EnableSubItemTexts(FALSE);
  EXPECT_FALSE(tree->HasSubItemTexts());
}

// A two-image list of 16-pixel squares.
void FillImages(CWnd* wnd, CImageList& images) {
  ui_test::MakeSquareImages(wnd, images, RGB(200, 40, 40), RGB(40, 160, 40));
}

TEST_F(TreeTest, ADragImageShowsTheIconWithTheTextBesideIt) {
  Make();
  const HTREEITEM item = tree->InsertItem("dragged", 1, 1);
  EXPECT_EQ(tree->CreateDragImage(item), nullptr);  // no images yet
  CImageList images;
  FillImages(tree, images);
  tree->SetImageList(&images, LVSIL_SMALL);
  CImageList* drag = tree->CreateDragImage(item);
  ASSERT_NE(drag, nullptr);
  IMAGEINFO info{};
  ASSERT_TRUE(drag->GetImageInfo(0, &info));
  constexpr int kIconWidth = 16;
  constexpr int kGap = 6;
  EXPECT_GT(CRect(info.rcImage).Width(), kIconWidth + kGap);
  delete drag;
  EXPECT_EQ(tree->CreateDragImage(tree->InsertItem("no icon", 7, 7)), nullptr);
}

TEST_F(TreeTest, BesideAnIconTheButtonGrowsWithTheRowUnderTheIconsCentre) {
  Make();
  CImageList images;
  FillImages(tree, images);
  tree->SetImageList(&images, LVSIL_SMALL);
  const HTREEITEM parent = tree->InsertItem("parent", 0, 0);
  tree->InsertItem("child", 1, 1, parent);
  CRect row, plainBox;  // plainBox: the same button without images
  ASSERT_TRUE(tree->GetItemRect(0, &row));
  CRect box;
  ASSERT_TRUE(tree->GetButtonRect(0, &box));
  // The box beside an icon: 20/33 of the row's height, at most 15.
  constexpr int kMaxSide = 15, kBoxShare = 20, kRowShare = 33;
  const int side = std::min(kMaxSide, row.Height() * kBoxShare / kRowShare);
  const int evenExtra = side % 2 == 0 ? 1 : 0;
  EXPECT_EQ(box.Width(), side + evenExtra);
  // The small images sit 2 pixels into the cell and are 16 high: centre 10.
  constexpr int kIconCentre = 10;
  EXPECT_LE(std::abs(box.CenterPoint().y - (row.top + kIconCentre)), 1);
  // Without images the box keeps its fixed size.
  tree->SetImageList(nullptr, LVSIL_SMALL);
  tree->ResetItemHeights();
  ASSERT_TRUE(tree->GetButtonRect(0, &plainBox));
  constexpr int kPlainSide = 8;
  EXPECT_EQ(plainBox.Width(), kPlainSide + 1);
}

TEST_F(TreeTest, HoveringOverADropTargetExpandsItWhenTheTimerFires) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent");
  tree->InsertItem("child", parent);
  tree->SetExtendedStyle(kSECTreeExHoverExpand);
  EXPECT_TRUE(tree->SelectDropTarget(parent));
  EXPECT_EQ(tree->GetNextItem(nullptr, TVGN_DROPHILITE), parent);
  tree->SendMessage(WM_TIMER, kSECTreeHoverTimer, 0);
  EXPECT_TRUE(tree->IsItemExpanded(parent));
  EXPECT_TRUE(tree->SelectDropTarget(nullptr));
  EXPECT_EQ(tree->GetNextItem(nullptr, TVGN_DROPHILITE), nullptr);
}

TEST_F(TreeTest, InsertingSeveralItemsAppendsThemInOneStep) {
  Make();
  const HTREEITEM parent = tree->InsertItem("parent", TVI_ROOT, TVI_LAST);
  tree->InsertItem("old child", parent);
  tree->Expand(parent, TVE_EXPAND);
  constexpr const char* kNames[] = {"x", "y", "z"};
  TV_ITEM items[3] = {};
  TV_ITEM* pointers[3] = {};
  for (int i = 0; i < 3; ++i) {
    items[i].mask = TVIF_TEXT;
    items[i].pszText = const_cast<LPSTR>(kNames[i]);
    pointers[i] = &items[i];
  }
  EXPECT_FALSE(tree->InsertItems(nullptr, parent, 3));
  EXPECT_FALSE(tree->InsertItems(pointers, parent, 0));
  EXPECT_TRUE(tree->InsertItems(pointers, parent, 3));
  EXPECT_EQ(RowTexts(), (Texts{"parent", "old child", "x", "y", "z"}));
  EXPECT_EQ(tree->CountItems(parent, FALSE, FALSE), 4);
}

TEST_F(TreeTest, TheTreeTakesAPlaceholdersPlaceAndTabOrder) {
  constexpr UINT kBeforeId = 11, kPlaceholderId = 12, kAfterId = 13;
  CWnd before, placeholder, after;
  ASSERT_TRUE(before.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &owner, kBeforeId));
  ASSERT_TRUE(placeholder.Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS,
                                 CRect(20, 30, 180, 150), &owner, kPlaceholderId));
  ASSERT_TRUE(after.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &owner, kAfterId));
  tree = new SECTreeCtrl;
  EXPECT_FALSE(tree->CreateFromDlgItem(kPlaceholderId + 100, &owner));
  ASSERT_TRUE(tree->CreateFromDlgItem(kPlaceholderId, &owner));
  EXPECT_EQ(placeholder.GetSafeHwnd(), nullptr);
  EXPECT_EQ(tree->GetDlgCtrlID(), static_cast<int>(kPlaceholderId));
  CRect rect;
  tree->GetWindowRect(&rect);
  owner.ScreenToClient(&rect);
  EXPECT_EQ(rect, CRect(20, 30, 180, 150));
  EXPECT_EQ(tree->GetWindow(GW_HWNDPREV)->GetSafeHwnd(), before.GetSafeHwnd());
  EXPECT_TRUE(tree->GetTreeStyle() & TVS_HASBUTTONS);
  EXPECT_TRUE(tree->GetExtendedStyle() & kSECTreeExLabelTips);
  EXPECT_TRUE(tree->HasListStyleEx(LVXS_LABELTIPS));
}

TEST_F(TreeTest, DragsAreToldToTheOwnerUnlessTurnedOff) {
  Make();
  const HTREEITEM item = tree->InsertItem("dragged");
  tree->SelectItem(item);
  owner.notices.clear();
  struct Case {
    DWORD style;
    bool told;
  };
  const Case kCases[] = {{TVS_HASBUTTONS, true}, {TVS_HASBUTTONS | TVS_DISABLEDRAGDROP, false}};
  for (const Case& c : kCases) {
    tree->SetTreeStyle(c.style);
    CRect row;
    tree->GetItemRect(0, &row);
    const CPoint from(tree->GetIndentWidth(item) + 4, row.CenterPoint().y);
    constexpr int kDragDistance = 30;
    tree->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    tree->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x, from.y + kDragDistance));
    tree->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x, from.y + kDragDistance + 1));
    tree->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(from.x, from.y + kDragDistance + 1));
    int drags = 0;
    for (const TreeNotice& n : owner.notices) drags += n.code == static_cast<UINT>(TVN_BEGINDRAG) ? 1 : 0;
    EXPECT_EQ(drags, c.told ? 1 : 0) << std::hex << c.style;
    EXPECT_FALSE(tree->IsRowDragging());
    owner.notices.clear();
  }
}

TEST_F(TreeTest, WithSingleExpandSelectingOpensTheItemAndClosesTheOneBefore) {
  Make(TVS_HASBUTTONS | TVS_SINGLEEXPAND);
  const HTREEITEM a = tree->InsertItem("a");
  tree->InsertItem("a1", a);
  const HTREEITEM b = tree->InsertItem("b");
  tree->InsertItem("b1", b);
  tree->Select(a, TVGN_CARET);
  auto clickLabel = [this](HTREEITEM item) {
    CRect row;
    tree->GetItemRect(tree->FindRow(item), &row);
    const CPoint at(tree->GetIndentWidth(item) + 4, row.CenterPoint().y);
    tree->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    tree->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  };
  clickLabel(a);  // the selected item: toggled open
  EXPECT_TRUE(tree->IsItemExpanded(a));
  clickLabel(b);
  EXPECT_EQ(tree->GetSelectedItem(), b);
  EXPECT_TRUE(tree->IsItemExpanded(b));
  EXPECT_FALSE(tree->IsItemExpanded(a));
  EXPECT_EQ(RowTexts(), (Texts{"a", "b", "b1"}));
}

TEST_F(TreeTest, PictureWithBoldDisabledAndAnOpenEdit) {
  Make(kEditableTree);
  CImageList images;
  FillImages(tree, images);
  tree->SetImageList(&images, LVSIL_SMALL);
  const HTREEITEM project = tree->InsertItem("project", 0, 0);
  tree->InsertItem("main.c", 1, 1, project);
  const HTREEITEM board = tree->InsertItem("board", 0, 0, project);
  tree->InsertItem("zor.cfg", 1, 1, board);
  const HTREEITEM old = tree->InsertItem("old sources", 0, 0, project);
  tree->InsertItem("legacy.c", 1, 1, old);
  const HTREEITEM notes = tree->InsertItem("notes", 1, 1);
  tree->ExpandAll(TVI_ROOT);
  tree->SetItemState(board, TVIS_BOLD, TVIS_BOLD);
  tree->DisableItem(old, TRUE);
  ASSERT_TRUE(tree->EditLabel(notes));
  SavePicture("bold_disabled_edit");
  tree->EndLabelEdit(FALSE);
}

}  // namespace
}  // namespace tree_test
