// Input through the window's messages: the selection rule, drags, keys,
// type-ahead, the label-edit state machine and the notifications.
#include <string>

#include "tests/controls/list_fixture.h"

namespace list_test {
namespace {

std::vector<int> Selected(const SECListBaseC* list) {
  std::vector<int> rows;
  for (DWORD r : list->GetSelection().Rows()) rows.push_back(static_cast<int>(r));
  return rows;
}

// The notifications the owner got, in order, each with its row.
struct Expected {
  UINT code;
  int item;
};
void ExpectNotices(const NotifyOwner& owner, const std::vector<Expected>& expected) {
  ASSERT_EQ(owner.notices.size(), expected.size()) << "notifications";
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(owner.notices[i].code, expected[i].code) << "notification " << i;
    EXPECT_EQ(owner.notices[i].item, expected[i].item) << "notification " << i;
  }
}

TEST_F(ListTest, ClicksFollowTheSelectionRule) {
  struct Step {
    UINT keys;
    int row;
    std::vector<int> selected;
    int focus;
  };
  const std::vector<Step> steps = {
      {0, 2, {2}, 2},           {MK_CONTROL, 4, {2, 4}, 4},
      {MK_CONTROL, 2, {4}, 2},  {MK_SHIFT, 6, {2, 3, 4, 5, 6}, 6},
      {MK_SHIFT, 1, {1, 2}, 1}, {0, 5, {5}, 5},
  };
  MakeReport(8);
  for (const Step& s : steps) {
    Click(WM_LBUTTONDOWN, MK_LBUTTON | s.keys, LabelPoint(s.row));
    Click(WM_LBUTTONUP, s.keys, LabelPoint(s.row));
    EXPECT_EQ(Selected(list), s.selected) << "click on " << s.row << " keys " << s.keys;
    EXPECT_EQ(list->GetFocusIndex(), s.focus) << "click on " << s.row;
  }
}

TEST_F(ListTest, ShiftClickWithoutAnAnchorChangesNothing) {
  MakeReport(5);
  list->SetFocusItem(-1, FALSE);
  list->DeselectAllExcept(-1);
  ASSERT_EQ(list->GetAnchorIndex(), -1);
  Click(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, LabelPoint(3));
  EXPECT_TRUE(Selected(list).empty());
  EXPECT_EQ(list->GetFocusIndex(), -1);
}

TEST_F(ListTest, APlainClickInAMultipleSelectionReducesItAtButtonUp) {
  MakeReport(6);
  list->SelectRange(1, 4, TRUE);
  list->SetFocusIndex(1);
  Click(WM_LBUTTONDOWN, MK_LBUTTON, LabelPoint(3));
  EXPECT_EQ(Selected(list), (std::vector<int>{0, 1, 2, 3, 4}));
  Click(WM_LBUTTONUP, 0, LabelPoint(3));
  EXPECT_EQ(Selected(list), (std::vector<int>{3}));
  EXPECT_EQ(list->GetFocusIndex(), 3);
}

TEST_F(ListTest, RowDragsStartBeyondThreePixels) {
  MakeReport(4);
  const CPoint at = LabelPoint(1);
  for (int distance : {3, 4}) {
    Click(WM_LBUTTONDOWN, MK_LBUTTON, at);
    Click(WM_MOUSEMOVE, MK_LBUTTON, at + CPoint(distance, 0));
    EXPECT_EQ(list->IsRowDragging(), distance > 3) << distance;
    Click(WM_LBUTTONUP, 0, at + CPoint(distance, 0));
    EXPECT_FALSE(list->IsRowDragging());
  }
}

TEST_F(ListTest, HeaderDragsStartBeyondOnePixelAndNeverOnTheFirstColumn) {
  MakeReport(2);
  list->ModifyListStyleEx(0, LVXS_HEADERDRAGDROP);
  struct Case {
    int x;
    int distance;
    bool drags;
  } cases[] = {{140, 1, false}, {140, 2, true}, {50, 5, false}};
  for (const Case& c : cases) {
    Click(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(c.x, 5));
    Click(WM_MOUSEMOVE, MK_LBUTTON, CPoint(c.x + c.distance, 5));
    EXPECT_EQ(list->IsHeaderDragging(), c.drags) << c.x << " by " << c.distance;
    Click(WM_LBUTTONUP, 0, CPoint(c.x + c.distance, 5));
    EXPECT_FALSE(list->IsHeaderDragging());
  }
}

TEST_F(ListTest, DraggingAHeaderButtonMovesItsColumn) {
  MakeReport(2);
  list->ModifyListStyleEx(0, LVXS_HEADERDRAGDROP);
  list->AppendColumn("Extra", LVCFMT_LEFT, 50);
  constexpr int kValueX = 140;  // inside "Value"
  constexpr int kExtraRightHalf = 225;
  Click(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(kValueX, 5));
  Click(WM_MOUSEMOVE, MK_LBUTTON, CPoint(kValueX + 10, 5));
  Click(WM_MOUSEMOVE, MK_LBUTTON, CPoint(kExtraRightHalf, 5));
  EXPECT_EQ(list->GetDropColumn(), 3);
  Click(WM_LBUTTONUP, 0, CPoint(kExtraRightHalf, 5));
  EXPECT_EQ(list->GetColumnHeading(1), CString("Extra"));
  EXPECT_EQ(list->GetColumnHeading(2), CString("Value"));
  char buffer[32];
  list->GetItemText(1, list->GetColumnRecord(2)->iSubItem, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "value 1");
}

TEST_F(ListTest, AHeaderClickNotifiesItsColumn) {
  MakeReport(2);
  list->SetFocus();
  owner.notices.clear();
  Click(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(140, 5));
  Click(WM_LBUTTONUP, 0, CPoint(140, 5));
  ASSERT_FALSE(owner.notices.empty());
  EXPECT_EQ(owner.notices[0].code, UINT(LVN_COLUMNCLICK));
  EXPECT_EQ(owner.notices[0].item, -1);
  EXPECT_EQ(owner.notices[0].subItem, 1);
  EXPECT_EQ(owner.notices.back().code, UINT(NM_CLICK));
}

TEST_F(ListTest, KeysMoveTheFocusAndNotify) {
  MakeReport(3);
  list->SendMessage(WM_KEYDOWN, VK_UP, 0);
  ExpectNotices(owner, {{LVN_KEYDOWN, -1}});
  EXPECT_EQ(owner.notices[0].key, VK_UP);
  owner.notices.clear();
  list->SendMessage(WM_KEYDOWN, VK_DOWN, 0);
  list->SendMessage(WM_KEYDOWN, VK_DOWN, 0);
  list->SendMessage(WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(list->GetFocusIndex(), 2);
  EXPECT_EQ(Selected(list), (std::vector<int>{2}));
  owner.notices.clear();
  list->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  list->SendMessage(WM_KEYDOWN, VK_HOME, 0);
  ExpectNotices(owner, {{LVN_KEYDOWN, -1}, {NM_RETURN, -1}, {LVN_KEYDOWN, -1}});
  EXPECT_EQ(list->GetFocusIndex(), 0);
  list->SendMessage(WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(list->GetFocusIndex(), 2);
  list->SendMessage(WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(Selected(list).empty());
}

TEST_F(ListTest, TypeAheadSearchesFromTheRowAfterTheFocus) {
  Make(LVS_REPORT);
  list->AppendColumn("Name", LVCFMT_LEFT, 100);
  for (const char* label : {"abc", "xab", "abd"}) list->InsertItem(list->GetItemCount(), label);
  ASSERT_EQ(list->GetFocusIndex(), 0);
  list->SendMessage(WM_CHAR, 'a', 0);
  EXPECT_EQ(list->GetFocusIndex(), 2);
  list->SendMessage(WM_CHAR, 'b', 0);
  EXPECT_EQ(list->GetFocusIndex(), 2);
  EXPECT_EQ(list->GetTypeAheadText(), CString("ab"));
  // One tick after a key keeps the text; the next one without a key ends it.
  const UINT_PTR timer = list->GetTypeAheadTimer();
  ASSERT_NE(timer, 0u);
  list->SendMessage(WM_TIMER, timer, 0);
  EXPECT_EQ(list->GetTypeAheadText(), CString("ab"));
  list->SendMessage(WM_TIMER, timer, 0);
  EXPECT_TRUE(list->GetTypeAheadText().IsEmpty());
  EXPECT_EQ(list->GetTypeAheadFlags(), 0u);
}

TEST_F(ListTest, AFailedTypeAheadSwallowsKeysUntilItEnds) {
  MakeReport(3);
  list->SendMessage(WM_CHAR, 'q', 0);
  EXPECT_TRUE(list->GetTypeAheadFlags() & kSECTypeAheadFailed);
  list->SendMessage(WM_CHAR, 'r', 0);
  EXPECT_EQ(list->GetTypeAheadText(), CString("q"));
  EXPECT_EQ(list->GetFocusIndex(), 0);
}

// Owner answers for the label-edit notifications.
struct EditAnswers {
  LRESULT begin = 0;
  LRESULT end = 1;
};

class LabelEditTest : public ListTest {
 protected:
  void MakeEditable(EditAnswers answers, DWORD style = LVS_NOLABELWRAP) {
    MakeReport(3, LVS_EDITLABELS | style);
    owner.answer = [answers](NMHDR* hdr) -> LRESULT {
      if (hdr->code == LVN_BEGINLABELEDITA) return answers.begin;
      if (hdr->code == LVN_ENDLABELEDITA) return answers.end;
      return 0;
    };
  }
  // Two slow clicks on the focused row's label and the delay timer.
  void ClickTwiceAndWait(int row) {
    for (int i = 0; i < 2; ++i) {
      Click(WM_LBUTTONDOWN, MK_LBUTTON, LabelPoint(row));
      Click(WM_LBUTTONUP, 0, LabelPoint(row));
    }
    ASSERT_NE(list->GetLabelEditTimer(), 0u);
    list->SendMessage(WM_TIMER, list->GetLabelEditTimer(), 0);
  }
  CString CellText(int row) { return list->GetCellText(row, 0); }
};

TEST_F(LabelEditTest, TheSecondClickOnASelectedLabelOpensTheEditorAfterTheDelay) {
  MakeEditable({});
  Click(WM_LBUTTONDOWN, MK_LBUTTON, LabelPoint(1));
  Click(WM_LBUTTONUP, 0, LabelPoint(1));
  EXPECT_EQ(list->GetPendingEditIndex(), 1);
  EXPECT_EQ(list->GetLabelEditTimer(), 0u);
  Click(WM_LBUTTONDOWN, MK_LBUTTON, LabelPoint(1));
  Click(WM_LBUTTONUP, 0, LabelPoint(1));
  const UINT_PTR timer = list->GetLabelEditTimer();
  ASSERT_NE(timer, 0u);
  list->SendMessage(WM_TIMER, timer, 0);
  EXPECT_EQ(list->GetEditIndex(), 1);
  ASSERT_NE(list->GetEditControl()->GetSafeHwnd(), nullptr);
  CString text;
  list->GetEditControl()->GetWindowText(text);
  EXPECT_EQ(text, CString("row 1"));
  EXPECT_EQ(owner.notices.back().code, UINT(LVN_BEGINLABELEDITA));
  EXPECT_EQ(owner.notices.back().item, 1);
}

TEST_F(LabelEditTest, ADoubleClickDisarmsThePendingEdit) {
  MakeEditable({});
  Click(WM_LBUTTONDOWN, MK_LBUTTON, LabelPoint(1));
  Click(WM_LBUTTONUP, 0, LabelPoint(1));
  Click(WM_LBUTTONDBLCLK, MK_LBUTTON, LabelPoint(1));
  EXPECT_EQ(list->GetPendingEditIndex(), -1);
  EXPECT_EQ(owner.notices.back().code, UINT(NM_DBLCLK));
}

TEST_F(LabelEditTest, TypingChangesTheCellAndEnterCommits) {
  MakeEditable({});
  ClickTwiceAndWait(1);
  CEdit* edit = list->GetEditControl();
  ASSERT_NE(edit->GetSafeHwnd(), nullptr);
  edit->SetWindowText("renamed");
  list->SendMessage(WM_COMMAND, MAKEWPARAM(kSECListEditId, EN_UPDATE),
                    reinterpret_cast<LPARAM>(edit->m_hWnd));
  EXPECT_EQ(CellText(1), CString("renamed"));
  edit->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(edit->GetSafeHwnd(), nullptr);
  EXPECT_EQ(list->GetEditIndex(), -1);
  EXPECT_EQ(CellText(1), CString("renamed"));
  EXPECT_EQ(owner.notices.back().code, UINT(LVN_ENDLABELEDITA));
  EXPECT_EQ(owner.notices.back().text, "renamed");
}

TEST_F(LabelEditTest, EnterInAWrappingLabelBreaksTheLine) {
  MakeEditable({}, 0);
  ClickTwiceAndWait(1);
  list->GetEditControl()->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_NE(list->GetEditControl()->GetSafeHwnd(), nullptr);
  EXPECT_EQ(list->GetEditIndex(), 1);
}

TEST_F(LabelEditTest, AnOwnerThatRefusesTheNewTextGetsTheOldOneBack) {
  MakeEditable({0, 0});
  ClickTwiceAndWait(1);
  CEdit* edit = list->GetEditControl();
  edit->SetWindowText("refused");
  list->SendMessage(WM_COMMAND, MAKEWPARAM(kSECListEditId, EN_UPDATE),
                    reinterpret_cast<LPARAM>(edit->m_hWnd));
  edit->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(CellText(1), CString("row 1"));
}

TEST_F(LabelEditTest, EscapeCancelsWithoutAText) {
  MakeEditable({});
  ClickTwiceAndWait(1);
  list->GetEditControl()->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(list->GetEditControl()->GetSafeHwnd(), nullptr);
  EXPECT_EQ(owner.notices.back().code, UINT(LVN_ENDLABELEDITA));
  EXPECT_TRUE(owner.notices.back().text.empty());
  EXPECT_EQ(CellText(1), CString("row 1"));
}

TEST_F(LabelEditTest, AnOwnerCanRefuseToStartAnEdit) {
  MakeEditable({1, 1});
  ClickTwiceAndWait(1);
  EXPECT_EQ(list->GetEditControl()->GetSafeHwnd(), nullptr);
  EXPECT_EQ(list->GetEditIndex(), -1);
}

TEST_F(LabelEditTest, ALongCommittedTextIsHandedOverWhole) {
  MakeEditable({});
  ClickTwiceAndWait(1);
  const std::string longText(3000, 'w');
  list->GetEditControl()->SetWindowText(longText.c_str());
  list->GetEditControl()->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(owner.notices.back().text, longText);
  EXPECT_EQ(std::string(CellText(1)).size(), size_t(kSECListTextBufferSize - 1));
}

TEST_F(ListTest, DeletingARowNotifiesTheOwner) {
  MakeReport(3);
  list->DeleteItem(1);
  ExpectNotices(owner, {{LVN_DELETEITEM, 1}});
}

}  // namespace
}  // namespace list_test

namespace list_test {
namespace {

// A divider drag: the moves and the release wait in the queue, and the press
// runs the modal resize loop that takes them.
TEST_F(ListTest, DraggingADividerResizesTheColumn) {
  constexpr int kDivider = 100;  // right edge of "Name"
  constexpr int kMinWidth = 10;
  struct Case {
    const char* what;
    int to;
    UINT end;  // the message that ends the drag
    int width;
  } cases[] = {
      {"wider", 130, WM_LBUTTONUP, 130},
      {"past the left edge", -20, WM_LBUTTONUP, kMinWidth},
      {"cancelled by a right click", 150, WM_RBUTTONDOWN, 100},
      {"cancelled by Escape", 150, WM_KEYDOWN, 100},
  };
  for (const Case& c : cases) {
    MakeReport(2);
    list->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(c.to, 5));
    if (c.end == WM_KEYDOWN)
      list->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    else
      list->PostMessage(c.end, 0, MAKELPARAM(c.to, 5));
    Click(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(kDivider, 5));
    Click(WM_LBUTTONUP, 0, CPoint(c.to, 5));
    EXPECT_EQ(list->GetColumnWidth(0), c.width) << c.what;
    EXPECT_EQ(::GetCapture(), nullptr) << c.what;
    delete list;
    list = nullptr;
  }
}

}  // namespace
}  // namespace list_test
