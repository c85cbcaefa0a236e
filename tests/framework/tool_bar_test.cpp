// The custom tool bar in a frame: loading, button removal, layout per dock
// state, hit testing, command UI, pressing buttons, hover and the toolbar
// control messages.
#include <gtest/gtest.h>

#include "framework/sec_bmp_mgr.h"
#include "framework/sec_custom_tool_bar.h"
#include "tool_bar_fixture.h"

using tb_test::Ids;
using tb_test::Sent;
using tb_test::ToolBarTest;
using namespace tb_test;

namespace {
constexpr int kButtonWidth = 23;   // 16-pixel images + 7
constexpr int kButtonHeight = 22;  // 15-pixel images + 7
constexpr int kSeparatorWidth = 8;

// Every shown button lies inside the bar's client area, and buttons of a row do not overlap.
void ExpectButtonsInside(SECCustomToolBar* bar) {
  CRect client;
  bar->GetClientRect(&client);
  for (int i = 0; i < bar->GetBtnCount(); ++i) {
    SCOPED_TRACE(i);
    const UINT wrappedSeparator = TBBS_SEPARATOR | TBBS_WRAPPED;  // a gap that is not drawn
    if ((bar->GetBtn(i)->m_nStyle & wrappedSeparator) == wrappedSeparator) continue;
    CRect r = bar->GetBtn(i)->GetRect();
    EXPECT_GE(r.left, client.left);
    EXPECT_GE(r.top, client.top);
    EXPECT_LE(r.right, client.right);
    EXPECT_LE(r.bottom, client.bottom);
    if (i > 0 && !(bar->GetBtn(i - 1)->m_nStyle & TBBS_WRAPPED)) {
      EXPECT_EQ(r.left, bar->GetBtn(i - 1)->GetRect().right);
    }
  }
}
}  // namespace

TEST_F(ToolBarTest, LoadsButtonsAndMetricsFromTheResource) {
  SECCustomToolBar* bar = MakeBar(kBarId);
  EXPECT_EQ(Ids(bar), (std::vector<UINT>{kIdNew, kIdOpen, 0, kIdSave}));
  EXPECT_EQ(bar->GetButtonWidth(), kButtonWidth);
  EXPECT_EQ(bar->GetButtonHeight(), kButtonHeight);
  EXPECT_EQ(bar->GetSeparatorWidth(), kSeparatorWidth);
  EXPECT_EQ(bar->GetBtn(1)->m_nImage, 1);
  EXPECT_EQ(bar->GetBtn(3)->m_nImage, 2);
  EXPECT_EQ(bar->GetBtn(2)->GetRect().Width(), kSeparatorWidth);
  EXPECT_FALSE(bar->LoadToolBar(299));  // missing: the bar keeps its buttons
  EXPECT_EQ(bar->GetBtnCount(), 4);
}

TEST_F(ToolBarTest, RemovingMergesSeparators) {
  struct Case {
    const char* name;
    std::vector<UINT> ids;
    int remove;
    BOOL result;
    std::vector<UINT> after;
  };
  const Case cases[] = {
      {"first, separator after it", {1, 0, 2, 3}, 0, TRUE, {2, 3}},
      {"last, separator before it", {1, 2, 0, 3}, 3, TRUE, {1, 2}},
      {"between two separators", {1, 0, 2, 0, 3}, 2, TRUE, {1, 0, 3}},
      {"out of range", {1, 2}, 5, FALSE, {1, 2}},
      {"the only button of a predefined bar", {1}, 0, FALSE, {}},
  };
  SECCustomToolBar* bar = MakeBar(kBarId);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar->SetButtons(c.ids.data(), static_cast<int>(c.ids.size()));
    EXPECT_EQ(bar->RemoveButton(c.remove), c.result);
    EXPECT_EQ(Ids(bar), c.after);
  }
  Pump();
  EXPECT_TRUE(::IsWindow(bar->m_hWnd));  // only customisation bars go with their last button
}

TEST_F(ToolBarTest, AnEmptiedUserBarIsDestroyedAfterItsHandler) {
  SECCustomToolBar* bar = MakeBar(SEC_IDW_FIRST_USER_TOOLBAR);
  const HWND hwnd = bar->m_hWnd;
  const UINT one[] = {kIdNew};
  bar->SetButtons(one, 1);
  EXPECT_FALSE(bar->RemoveButton(0));
  EXPECT_TRUE(::IsWindow(hwnd));  // still there for the code that emptied it
  Pump();
  EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(ToolBarTest, LaysOutPerDockState) {
  SECCustomToolBar* top = MakeBar(kBarId);
  SECCustomToolBar* left = MakeBar(kSecondBarId, 0, AFX_IDW_DOCKBAR_LEFT);
  CRect rTop = afx_test::RectIn(top, frame), rLeft = afx_test::RectIn(left, frame);
  // Horizontal: one row as wide as the buttons and the separator.
  const int row = 3 * kButtonWidth + kSeparatorWidth;
  EXPECT_EQ(top->GetBtn(3)->GetRect().right - top->GetBtn(0)->GetRect().left, row);
  EXPECT_EQ(top->GetBtn(0)->m_y, top->GetBtn(3)->m_y);
  EXPECT_GT(rTop.Width(), row);
  EXPECT_LT(rTop.Width(), row + 30);
  // Vertical: a fixed height gives rows of one button.
  EXPECT_GT(left->GetBtn(3)->m_y, left->GetBtn(0)->m_y);
  EXPECT_LT(rLeft.Width(), 2 * kButtonWidth + 20);
  ExpectButtonsInside(top);
  ExpectButtonsInside(left);
  Picture(frame, "docked_top_and_left");
  // Floating: the bar's floating frame holds it.
  frame->FloatControlBar(top, CPoint(300, 300));
  Layout();
  EXPECT_TRUE(top->IsFloating());
  ExpectButtonsInside(top);
  Picture(top->GetParentFrame(), "floating");
}

TEST_F(ToolBarTest, HitTestFindsButtonsButNeverSeparators) {
  SECCustomToolBar* bar = MakeBar(kBarId);
  for (int i : {0, 1, 3}) {
    SCOPED_TRACE(i);
    CRect rect;
    EXPECT_EQ(bar->HitTestButton(Centre(bar, i).x, Centre(bar, i).y, &rect), i);
    EXPECT_EQ(rect, bar->GetBtn(i)->GetRect());
  }
  EXPECT_EQ(bar->HitTestButton(Centre(bar, 2).x, Centre(bar, 2).y), -1);
  const CRect last = bar->GetBtn(3)->GetRect();
  EXPECT_EQ(bar->HitTestButton(last.right, last.bottom - 1), 3);  // edges count
  EXPECT_EQ(bar->HitTestButton(last.right + 1, last.top), -1);
  EXPECT_EQ(bar->HitTestButton(last.left, last.bottom + kButtonHeight), -1);
}

TEST_F(ToolBarTest, CommandUiSetsTheButtonStates) {
  SECCustomToolBar* bar = MakeBar(kBarId);
  const UINT ids[] = {kIdNew, kIdOpen, kIdSave, kIdPrint};
  bar->SetButtons(ids, 4);
  bar->OnUpdateCmdUI(frame, TRUE);
  EXPECT_FALSE(bar->GetBtn(0)->m_nStyle & TBBS_DISABLED);
  EXPECT_TRUE(bar->GetBtn(1)->m_nStyle & TBBS_DISABLED);
  EXPECT_EQ(bar->GetBtn(2)->m_nStyle & (TBBS_CHECKED | TBBS_CHECKBOX), TBBS_CHECKED | TBBS_CHECKBOX);
  EXPECT_TRUE(bar->GetBtn(3)->m_nStyle & TBBS_DISABLED);  // no handler
  bar->GetBtn(3)->m_nStyle = SEC_TBBS_NOAUTODISABLE;
  bar->OnUpdateCmdUI(frame, TRUE);
  EXPECT_FALSE(bar->GetBtn(3)->m_nStyle & TBBS_DISABLED);
}

TEST_F(ToolBarTest, PressAndReleasePostTheCommandOnce) {
  SECCustomToolBar* bar = MakeBar(kBarId);
  frame->record = true;
  Click(bar, Centre(bar, 0));
  ExpectLog(
      {{WM_SETMESSAGESTRING, kIdNew}, {WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE}, {WM_COMMAND, kIdNew}});
  EXPECT_EQ(frame->commands[0], 1);
  EXPECT_EQ(bar->GetCurrentButton(), -1);
  EXPECT_FALSE(bar->GetBtn(0)->m_nStyle & TBBS_PRESSED);
  // Released outside: no command.
  frame->log.clear();
  const CPoint in = Centre(bar, 0);
  bar->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(in.x, in.y));
  bar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(in.x, in.y + 40));
  bar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(in.x, in.y + 40));
  Pump();
  ExpectLog({{WM_SETMESSAGESTRING, kIdNew}, {WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE}});
  EXPECT_EQ(frame->commands[0], 1);
  // A disabled button does nothing.
  frame->log.clear();
  Click(bar, Centre(bar, 1));
  ExpectLog({});
  EXPECT_EQ(frame->commands[1], 0);
}

TEST_F(ToolBarTest, ADropDownButtonNotifiesInsteadOfACommand) {
  SECCustomToolBar* bar = MakeBar(kBarId);
  bar->GetBtn(0)->m_nStyle |= TBSTYLE_DROPDOWN;
  frame->record = true;
  Click(bar, Centre(bar, 0));
  ExpectLog({{WM_NOTIFY, static_cast<WPARAM>(static_cast<UINT>(TBN_DROPDOWN))}});
  EXPECT_EQ(frame->commands[0], 0);
  EXPECT_FALSE(bar->GetBtn(0)->m_nStyle & TBBS_PRESSED);
}

TEST_F(ToolBarTest, ACheckBoxClickTogglesEveryButtonOfItsCommand) {
  SECCustomToolBar* bar = MakeBar(kBarId);
  const UINT ids[] = {kIdOther, kIdNew, kIdOther};
  bar->SetButtons(ids, 3);
  Layout();
  for (int i : {0, 2}) bar->GetBtn(i)->m_nStyle |= TBBS_CHECKBOX | TBBS_CHECKED | TBBS_INDETERMINATE;
  Click(bar, Centre(bar, 0));
  EXPECT_EQ(frame->commands[3], 1);
  for (int i : {0, 2}) EXPECT_EQ(bar->GetBtn(i)->m_nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE), 0u) << i;
  Click(bar, Centre(bar, 2));
  for (int i : {0, 2}) EXPECT_TRUE(bar->GetBtn(i)->m_nStyle & TBBS_CHECKED) << i;
}

TEST_F(ToolBarTest, HoverFollowsTheCursorThroughTheTimer) {
  SECCustomToolBar* bar = MakeBar(kBarId, SECBAR_FLATBORDERS);
  frame->SetActiveWindow();
  auto hoverAt = [&](CPoint client) {
    CPoint screen = client;
    bar->ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    bar->SendMessage(WM_TIMER, SEC_TOOLBAR_HOVER_TIMER);
  };
  hoverAt(Centre(bar, 0));
  EXPECT_EQ(bar->GetHotButton(), 0);
  EXPECT_TRUE(bar->GetBtn(0)->m_nStyle & SEC_TBBS_HOT);
  Picture(bar, "hover");
  hoverAt(Centre(bar, 1));  // disabled by its update handler: no hot button
  bar->OnUpdateCmdUI(frame, TRUE);
  hoverAt(Centre(bar, 1));
  EXPECT_EQ(bar->GetHotButton(), -1);
  EXPECT_FALSE(bar->GetBtn(0)->m_nStyle & SEC_TBBS_HOT);
  hoverAt(Centre(bar, 3));
  EXPECT_EQ(bar->GetHotButton(), 3);
  hoverAt(CPoint(-50, -50));
  EXPECT_EQ(bar->GetHotButton(), -1);
}

TEST_F(ToolBarTest, ToolbarControlMessagesAddAndDeleteButtons) {
  SECCustomToolBar* bar = MakeBar(kBarId);
  SECTBButton add[2] = {};
  add[0].idCommand = 0;
  add[1].idCommand = kIdOther;
  add[1].fsState = static_cast<BYTE>(TBBS_CHECKED >> 16);
  add[1].fsStyle = static_cast<BYTE>(TBBS_CHECKBOX);
  EXPECT_TRUE(bar->SendMessage(TB_ADDBUTTONS, 2, reinterpret_cast<LPARAM>(add)));
  EXPECT_EQ(Ids(bar), (std::vector<UINT>{kIdNew, kIdOpen, 0, kIdSave, 0, kIdOther}));
  EXPECT_EQ(bar->GetBtn(5)->m_nStyle & (TBBS_CHECKED | TBBS_CHECKBOX), TBBS_CHECKED | TBBS_CHECKBOX);
  EXPECT_TRUE(bar->SendMessage(TB_DELETEBUTTON, 5));
  EXPECT_EQ(Ids(bar), (std::vector<UINT>{kIdNew, kIdOpen, 0, kIdSave}));
}

TEST_F(ToolBarTest, LargeButtonsUseStretchedImages) {
  SECCustomToolBar* bar = MakeBar(kBarId);
  bar->GetBmpMgr()->SetSmallMode(FALSE);
  bar->RecalcButtonSizes();
  Layout();
  const CSize large = bar->GetBmpMgr()->GetLargeSize();
  EXPECT_EQ(bar->GetBtn(0)->GetRect().Size(), CSize(large.cx + 7, large.cy + 7));
  ExpectButtonsInside(bar);
  Picture(frame, "large_buttons");
}
