// Framework bars in a frame with framework dock bars: layout, rows and
// shares, dragging to float and dock, the floating frame, gripper buttons,
// splitters, the context menu and proportional children.
#include <gtest/gtest.h>

#include "docking_fixture.h"
#include "framework/sec_control_bar_info.h"
#include "framework/sec_dock_context.h"
#include "framework/sec_res.h"
#include "platform/ui/modal.h"
#include "ui_test_support.h"

using afx_test::Pump;

namespace dock_test {
namespace {

// Docks bar j into the row of bar i, after it.
void DockBeside(DockFrame* frame, SECControlBar& i, SECControlBar& j, SECDockBar* dock) {
  CRect target;
  i.GetWindowRect(&target);
  target.OffsetRect(target.Width() / 2 + 1, 0);
  frame->DockControlBar(&j, dock, &target);
}

// The point of a bar's gripper strip, away from its buttons (bar client coordinates).
CPoint GripperPoint(SECControlBar& bar) {
  CRect client;
  bar.GetClientRect(&client);
  return bar.IsDockedHorz() ? CPoint(8, client.Height() - 8) : CPoint(client.Width() / 2 - 20, 8);
}

TEST_F(DockingTest, BarsSplittersEdgesAndThePaneTileTheClientArea) {
  frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
  Layout();
  DockBeside(frame, Bar(0), Bar(1), Dock(AFX_IDW_DOCKBAR_TOP));
  frame->DockControlBar(&Bar(2), AFX_IDW_DOCKBAR_LEFT);
  frame->DockControlBar(&Bar(3), AFX_IDW_DOCKBAR_BOTTOM);
  frame->DockControlBar(&Bar(4), AFX_IDW_DOCKBAR_RIGHT);
  Layout();
  std::vector<CRect> tiles = Tiles();
  long long area = 0;
  const CRect client = Client();
  for (size_t a = 0; a < tiles.size(); ++a) {
    area += static_cast<long long>(tiles[a].Width()) * tiles[a].Height();
    CRect inside;
    inside.IntersectRect(&tiles[a], &client);
    EXPECT_EQ(inside, tiles[a]) << "tile " << a << " inside the client area";
    for (size_t b = a + 1; b < tiles.size(); ++b) {
      CRect meet;
      EXPECT_FALSE(meet.IntersectRect(&tiles[a], &tiles[b])) << "tiles " << a << " and " << b << " overlap";
    }
  }
  EXPECT_EQ(area, static_cast<long long>(Client().Width()) * Client().Height());
  // The two top bars share one row; the later one took 95 % of it.
  CRect r0 = In(&Bar(0)), r1 = In(&Bar(1));
  EXPECT_EQ(r0.top, r1.top);
  EXPECT_NEAR(Bar(1).m_fPctWidth, 0.95, 1e-4);
  EXPECT_NEAR(r1.Width(), 0.95 * (Client().Width() - sec_dock::kSplitter), 2);
  Picture(frame, "docked_five_bars");
}

TEST_F(DockingTest, DoubleClicksFloatABarAndDockItBackWithItsShare) {
  frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
  Layout();
  DockBeside(frame, Bar(0), Bar(1), Dock(AFX_IDW_DOCKBAR_TOP));
  Bar(0).m_fPctWidth = Bar(1).m_fPctWidth = 0.5f;
  Layout();
  CRect before = In(&Bar(0));
  CPoint grip = GripperPoint(Bar(0));
  Bar(0).SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(grip.x, grip.y));
  Layout();
  ASSERT_TRUE(Bar(0).IsFloating());
  CFrameWnd* mini = Bar(0).GetParentFrame();
  ASSERT_TRUE(mini && mini->IsKindOf(RUNTIME_CLASS(SECMiniDockFrameWnd)));
  CString title;
  mini->GetWindowText(title);
  EXPECT_EQ(title, "Project");
  EXPECT_EQ(In(&Bar(1)).Width(), Client().Width());  // alone in its row now
  Picture(mini, "floating_frame");
  Picture(frame, "one_bar_floating");

  CRect caption;
  mini->GetWindowRect(&caption);
  mini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(caption.left + 10, caption.top + 5));
  Layout();
  EXPECT_FALSE(Bar(0).IsFloating());
  EXPECT_EQ(Bar(0).m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
  EXPECT_NEAR(Bar(0).m_fPctWidth, 0.5, 1e-4);
  EXPECT_EQ(In(&Bar(0)), before);
}

TEST_F(DockingTest, DraggingAwayFloatsAndCtrlNeverDocks) {
  frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
  Layout();
  CRect client = Client();
  frame->ClientToScreen(&client);
  Drag(&Bar(0), GripperPoint(Bar(0)), client.CenterPoint());
  Layout();
  ASSERT_TRUE(Bar(0).IsFloating());
  EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP)->GetDockedVisibleCount(), 0);

  // Docked on the bottom by a drag there; with Ctrl held, the same drag to the top floats.
  frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_BOTTOM);
  Layout();
  Drag(&Bar(0), GripperPoint(Bar(0)), CPoint(client.left + 60, client.top + 2), MK_CONTROL);
  Layout();
  EXPECT_TRUE(Bar(0).IsFloating());
  frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_BOTTOM);
  Layout();
  Drag(&Bar(0), GripperPoint(Bar(0)), CPoint(client.left + 60, client.top + 2));
  Layout();
  EXPECT_EQ(Bar(0).m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
}

TEST_F(DockingTest, AFloatingBarMovedFourPixelsOrLessStaysFloating) {
  frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
  Layout();
  CRect client = Client();
  frame->ClientToScreen(&client);
  frame->FloatControlBar(&Bar(0), CPoint(client.left + 50, client.top + 100));
  Layout();
  ASSERT_TRUE(Bar(0).IsFloating());
  // Move the floating frame so that the bar's top lies just above the client area.
  CFrameWnd* mini = Bar(0).GetParentFrame();
  CRect frameRect, barRect;
  mini->GetWindowRect(&frameRect);
  Bar(0).GetWindowRect(&barRect);
  frame->FloatControlBar(&Bar(0), CPoint(client.left + 50, client.top - 3 - (barRect.top - frameRect.top)));
  Layout();
  mini->GetWindowRect(&frameRect);
  CPoint caption(frameRect.left + 20, frameRect.top + 4);
  struct Case {
    int dx;
    bool docks;
  } cases[] = {{2, false}, {4, false}, {30, true}};
  for (const Case& c : cases) {
    if (!Bar(0).IsFloating()) break;
    CPoint to(caption.x + c.dx, caption.y);
    Bar(0).ScreenToClient(&to);
    mini->PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(caption.x, caption.y));
    Bar(0).PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    Bar(0).PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    Pump();
    EXPECT_EQ(!Bar(0).IsFloating(), c.docks) << "moved " << c.dx;
    mini = Bar(0).GetParentFrame();
    if (Bar(0).IsFloating()) {
      mini->GetWindowRect(&frameRect);
      caption = CPoint(frameRect.left + 20, frameRect.top + 4);
    }
  }
  EXPECT_EQ(Bar(0).m_pDockBar, Dock(AFX_IDW_DOCKBAR_TOP));
}

TEST_F(DockingTest, GripperCloseHidesTheBarAndExpandGivesItTheRow) {
  frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_LEFT);
  Layout();
  Bar(0).RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_FALSE(Bar(0).m_bExpandEnabled);  // alone in its row: nothing to expand over
  CRect target;
  Bar(0).GetWindowRect(&target);
  target.OffsetRect(0, target.Height() / 2 + 1);
  frame->DockControlBar(&Bar(1), Dock(AFX_IDW_DOCKBAR_LEFT), &target);
  Bar(0).m_fPctWidth = Bar(1).m_fPctWidth = 0.5f;
  Layout();
  ASSERT_EQ(In(&Bar(0)).left, In(&Bar(1)).left);  // one row, one above the other
  Bar(0).RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_TRUE(Bar(0).m_bExpandEnabled);
  Picture(frame, "two_bars_in_a_row");

  CPoint expand = Bar(0).m_rcExpandBtn.CenterPoint();
  Bar(0).SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(expand.x, expand.y));
  Bar(0).SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(expand.x, expand.y));
  Layout();
  EXPECT_TRUE(Dock(AFX_IDW_DOCKBAR_LEFT)->IsBarExpanded(&Bar(0)));
  EXPECT_EQ(In(&Bar(1)).Height(), sec_dock::kMinBarLength);
  Dock(AFX_IDW_DOCKBAR_LEFT)->ExpandBar(&Bar(0), SECDockBar::contract);
  Layout();
  EXPECT_NEAR(Bar(0).m_fPctWidth, Bar(1).m_fPctWidth, 1e-5);

  Bar(0).RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  CPoint close = Bar(0).m_rcCloseBtn.CenterPoint();
  Bar(0).SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(close.x, close.y));
  Bar(0).SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(close.x, close.y));
  Layout();
  EXPECT_FALSE(Bar(0).IsWindowVisible());
  EXPECT_EQ(In(&Bar(1)).top, In(Dock(AFX_IDW_DOCKBAR_LEFT)).top);
  frame->ShowControlBar(&Bar(0), TRUE, FALSE);
  Layout();
  EXPECT_TRUE(Bar(0).IsWindowVisible());
  EXPECT_EQ(Bar(0).m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
}

TEST_F(DockingTest, SplittersMoveTheBorderBetweenBarsAndEscapeLeavesItAlone) {
  frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
  Layout();
  DockBeside(frame, Bar(0), Bar(1), Dock(AFX_IDW_DOCKBAR_TOP));
  Bar(0).m_fPctWidth = Bar(1).m_fPctWidth = 0.5f;
  Layout();
  SECDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
  CRect split = In(&Bar(0));
  CPoint at(split.right + sec_dock::kSplitter / 2, split.top + 10);
  frame->MapWindowPoints(top, &at, 1);
  ASSERT_NE(top->SplitterAt(at), nullptr);
  constexpr int kMove = 40;
  const int before = In(&Bar(0)).Width();
  // Escape: nothing changes.
  top->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  top->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x + kMove, at.y));
  top->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  Layout();
  EXPECT_EQ(In(&Bar(0)).Width(), before);
  top->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  top->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x + kMove, at.y));
  top->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x + kMove, at.y));
  Pump();
  Layout();
  EXPECT_NEAR(In(&Bar(0)).Width(), before + kMove, 1);

  // The row splitter below the row makes the row thicker.
  const int thick = In(&Bar(0)).Height();
  CPoint row(In(&Bar(0)).left + 20, In(&Bar(0)).bottom + sec_dock::kSplitter / 2);
  frame->MapWindowPoints(top, &row, 1);
  ASSERT_NE(top->SplitterAt(row), nullptr);
  top->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row.x, row.y));
  top->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(row.x, row.y + kMove));
  top->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(row.x, row.y + kMove));
  Pump();
  Layout();
  EXPECT_EQ(In(&Bar(0)).Height(), thick + kMove);
  EXPECT_EQ(In(&Bar(1)).Height(), thick + kMove);
}

TEST_F(DockingTest, ContextMenuHidesAndSwitchesDockingOffAndBackOn) {
  frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
  Layout();
  plat::ClearModalRecords();
  plat::PushMenuAnswer(ID_SEC_HIDE);
  Bar(0).SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Bar(0).m_hWnd), MAKELPARAM(-1, -1));
  Layout();
  EXPECT_FALSE(Bar(0).IsWindowVisible());
  ASSERT_FALSE(plat::ModalRecords().empty());
  EXPECT_EQ(plat::ModalRecords().back().caption, "Allow Docking|Hide");

  frame->ShowControlBar(&Bar(0), TRUE, FALSE);
  Bar(0).EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT);
  plat::PushMenuAnswer(ID_SEC_ALLOWDOCKING);
  Bar(0).SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Bar(0).m_hWnd), MAKELPARAM(-1, -1));
  Layout();
  EXPECT_TRUE(Bar(0).IsFloating());
  EXPECT_EQ(Bar(0).m_dwDockStyle, 0u);
  plat::PushMenuAnswer(ID_SEC_ALLOWDOCKING);
  Bar(0).SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Bar(0).m_hWnd), MAKELPARAM(-1, -1));
  Layout();
  EXPECT_EQ(Bar(0).m_dwDockStyle, static_cast<DWORD>(CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT));
}

TEST_F(DockingTest, ChildWindowsKeepTheirProportions) {
  SECControlBar& bar = Bar(0);
  bar.ModifyExBarStyle(SECBAR_GRIPPER, 0, FALSE);
  bar.SetWindowPos(nullptr, 0, 0, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  CWnd child;
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(20, 10, 120, 60), &bar, 1));
  EXPECT_EQ(bar.GetChildRectCount(), 0);
  bar.ModifyExBarStyle(0, SECBAR_SIZECHILDREN, FALSE);
  EXPECT_EQ(bar.GetChildRectCount(), 2);
  bar.SetWindowPos(nullptr, 0, 0, 400, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(afx_test::RectIn(&child, &bar), CRect(40, 20, 240, 120));
  // A size with a zero side moves nothing.
  bar.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(0, 200));
  EXPECT_EQ(afx_test::RectIn(&child, &bar), CRect(40, 20, 240, 120));
  bar.ModifyExBarStyle(SECBAR_SIZECHILDREN, 0, FALSE);
  EXPECT_EQ(bar.GetChildRectCount(), 0);
}

TEST_F(DockingTest, GripperIsDrawnWhileDockedOnly) {
  frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
  Layout();
  Bar(0).RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Picture(&Bar(0), "bar_with_gripper");
  // Top-docked: the gripper strip is at the left, inside the two-pixel
  // border; its first raised line starts 1 + 4 pixels further.
  constexpr int kBorder = 2;
  const int line = kBorder + 1 + Bar(0).m_gripperInfo.m_cxOffset;
  CRect barClient;
  Bar(0).GetClientRect(&barClient);
  const int y = barClient.bottom - 10;
  EXPECT_EQ(ui_test::Pixel(Bar(0).m_hWnd, line, y), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(ui_test::Pixel(Bar(0).m_hWnd, line + 2, y + 1), ::GetSysColor(COLOR_BTNSHADOW));
  CRect inside;
  Bar(0).GetInsideRect(inside);
  EXPECT_EQ(inside.left, Bar(0).m_gripperInfo.GetWidth());
  // Floating, it has no gripper and no button tips.
  Bar(0).SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(8, 30));
  Layout();
  ASSERT_TRUE(Bar(0).IsFloating());
  Bar(0).GetInsideRect(inside);
  EXPECT_EQ(inside.left, 0);
  EXPECT_EQ(Bar(0).OnToolHitTest(Bar(0).m_rcCloseBtn.CenterPoint(), nullptr), -1);
}

TEST_F(DockingTest, BarInfoCarriesSizesShareStylesAndNamesBack) {
  frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
  Layout();
  Bar(0).m_fPctWidth = 0.25f;  // alone in its row, a layout would make it 1
  Bar(0).m_dwMRUDockingState = CBRS_ALIGN_LEFT;
  SECControlBarInfo info;
  Bar(0).GetBarInfo(&info);
  EXPECT_EQ(info.m_nBarID, kFirstBarId);
  EXPECT_TRUE(info.m_bDocking);
  EXPECT_EQ(info.m_strClassName, "SECControlBar");
  EXPECT_EQ(info.m_strWindowName, "Project");
  EXPECT_EQ(info.m_dwExStyle, Bar(0).m_dwExStyle);
  const CSize horz = Bar(0).m_szHorzDock, vert = Bar(0).m_szVertDock, flt = Bar(0).m_szFloat;

  Bar(0).m_szHorzDock = Bar(0).m_szVertDock = Bar(0).m_szFloat = CSize(1, 1);
  Bar(0).m_fPctWidth = 1.0f;
  Bar(0).m_dwMRUDockingState = 0;
  info.m_bVisible = FALSE;
  Bar(0).SetBarInfo(&info, frame);
  EXPECT_EQ(Bar(0).m_szHorzDock, horz);
  EXPECT_EQ(Bar(0).m_szVertDock, vert);
  EXPECT_EQ(Bar(0).m_szFloat, flt);
  EXPECT_FLOAT_EQ(Bar(0).m_fPctWidth, 0.25f);
  EXPECT_EQ(Bar(0).m_dwMRUDockingState, static_cast<DWORD>(CBRS_ALIGN_LEFT));
  EXPECT_FALSE(Bar(0).IsWindowVisible());
}

}  // namespace
}  // namespace dock_test
