// Frames with docked and floating bars: layout, docking at each side and
// in rows, floating by dragging, re-docking by double click, the saved
// layout, idle command updates and the close sequence.
#include <gtest/gtest.h>

#include <QEvent>
#include <utility>

#include "afx_test_ids.h"
#include "afx_test_support.h"
#include "platform/base/winctrl.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/profile.h"
#include "ui_test_support.h"

using afx_test::FixedBar;
using afx_test::Pump;
using afx_test::RectIn;

namespace {

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("AfxFrameTest") {}
};

TestApp& App() {
  static TestApp* app = new TestApp;
  return *app;
}

// The frame's client pane, whose rectangle shows what the bars left.
class Pane : public CWnd {};

class TestFrame : public CFrameWnd {
 public:
  FixedBar one, two;
  Pane pane;
  int commands = 0;
  BOOL checked = TRUE;
  void OnTestCommand() { ++commands; }
  void OnUpdateTestCommand(CCmdUI* ui) { ui->Enable(commands < 2); }
  void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(checked); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
ON_UPDATE_COMMAND_UI(ID_TEST_COMMAND, OnUpdateTestCommand)
ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    App();
    frame = new TestFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW, CRect(100, 100, 500, 400)));
    App().m_pMainWnd = frame;
    ASSERT_TRUE(frame->pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame,
                                   AFX_IDW_PANE_FIRST));
    ASSERT_TRUE(frame->one.CreateBar(frame, IDW_BAR_ONE, "One"));
    ASSERT_TRUE(frame->two.CreateBar(frame, IDW_BAR_TWO, "Two"));
    frame->one.EnableDocking(CBRS_ALIGN_ANY);
    frame->two.EnableDocking(CBRS_ALIGN_ANY);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->ShowWindow(SW_SHOW);
    Pump();
  }
  void TearDown() override {
    if (App().m_pMainWnd == frame) {
      frame->DestroyWindow();
      Pump();
    }
    App().m_pMainWnd = nullptr;
  }
  CRect Client() {
    CRect r;
    frame->GetClientRect(&r);
    return r;
  }
  CRect PaneRect() { return RectIn(&frame->pane, frame); }
  void Layout() {
    Pump();
    frame->RecalcLayout();
    Pump();
  }
  TestFrame* frame = nullptr;
};

TEST_F(FrameTest, BarsDockAtEachSideAndThePaneTakesTheRest) {
  struct Case {
    UINT dockBar;
    int left, top, right, bottom;  // how much the pane loses on each side
  } cases[] = {
      {AFX_IDW_DOCKBAR_TOP, 0, 24 - 4 + 2, 0, 0},
      {AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 0, 24 - 4 + 2},
      {AFX_IDW_DOCKBAR_LEFT, 30 - 4 + 2, 0, 0, 0},
      {AFX_IDW_DOCKBAR_RIGHT, 0, 0, 30 - 4 + 2, 0},
  };
  for (const Case& c : cases) {
    frame->DockControlBar(&frame->one, c.dockBar);
    Layout();
    CRect client = Client(), pane = PaneRect();
    EXPECT_EQ(pane.left - client.left, c.left) << std::hex << c.dockBar;
    EXPECT_EQ(pane.top - client.top, c.top) << std::hex << c.dockBar;
    EXPECT_EQ(client.right - pane.right, c.right) << std::hex << c.dockBar;
    EXPECT_EQ(client.bottom - pane.bottom, c.bottom) << std::hex << c.dockBar;
    EXPECT_EQ(frame->one.m_pDockBar, frame->GetControlBar(c.dockBar));
    EXPECT_FALSE(frame->one.IsFloating());
  }
}

TEST_F(FrameTest, BarsDockedWithoutPlaceMakeRowsAndPlacedOnesShareARow) {
  frame->DockControlBar(&frame->one, AFX_IDW_DOCKBAR_TOP);
  frame->DockControlBar(&frame->two, AFX_IDW_DOCKBAR_TOP);
  Layout();
  auto* top = static_cast<CDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  // [NULL, one, NULL, two, NULL]: two rows.
  ASSERT_EQ(top->m_arrBars.GetSize(), 5);
  EXPECT_EQ(top->GetDockedCount(), 2);
  EXPECT_EQ(PaneRect().top, 2 * (24 - 2) - 2 + 2);
  CRect r1 = RectIn(&frame->one, top), r2 = RectIn(&frame->two, top);
  EXPECT_LT(r1.top, r2.top);

  // Dropped at the right of the first bar, the second joins its row.
  CRect target;
  frame->one.GetWindowRect(&target);
  target.OffsetRect(target.Width() + 10, 0);
  frame->DockControlBar(&frame->two, top, &target);
  Layout();
  EXPECT_EQ(top->m_arrBars.GetSize(), 4);  // [NULL, one, two, NULL]
  r1 = RectIn(&frame->one, top);
  r2 = RectIn(&frame->two, top);
  EXPECT_EQ(r1.top, r2.top);
  EXPECT_GT(r2.left, r1.left);
  EXPECT_EQ(PaneRect().top, 24 - 2);
}

TEST_F(FrameTest, DraggingADockedBarAwayFloatsItAndADoubleClickDocksItBack) {
  frame->DockControlBar(&frame->one, AFX_IDW_DOCKBAR_TOP);
  Layout();
  CRect before = PaneRect();
  // Press on the bar, move far into the client area, release.
  frame->one.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  frame->one.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 150));
  frame->one.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(60, 150));
  Pump();
  ASSERT_TRUE(frame->one.IsFloating());
  CFrameWnd* mini = frame->one.GetParentFrame();
  ASSERT_NE(mini, nullptr);
  EXPECT_TRUE(mini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
  EXPECT_TRUE(mini->IsWindowVisible());
  CString title;
  mini->GetWindowText(title);
  EXPECT_EQ(title, "One");
  Layout();
  EXPECT_EQ(PaneRect().top, 0);  // the top dock bar is empty now

  // The floating frame's caption, double-clicked, docks the bar where it was.
  CRect caption;
  mini->GetWindowRect(&caption);
  mini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(caption.left + 10, caption.top + 5));
  Layout();
  EXPECT_FALSE(frame->one.IsFloating());
  EXPECT_EQ(frame->one.m_pDockBar, frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  EXPECT_EQ(PaneRect(), before);

  // A double click on the docked bar floats it again at its last floating place.
  frame->one.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  Pump();
  EXPECT_TRUE(frame->one.IsFloating());
}

TEST_F(FrameTest, DraggingToAnotherSideDocksThereAndCtrlPreventsDocking) {
  frame->DockControlBar(&frame->one, AFX_IDW_DOCKBAR_TOP);
  Layout();
  CRect client = Client();
  frame->ClientToScreen(&client);
  CRect bar;
  frame->one.GetWindowRect(&bar);
  // The bottom edge of the frame, in the bar's client coordinates.
  CPoint bottom(client.left + 40, client.bottom - 5);
  frame->one.ScreenToClient(&bottom);
  frame->one.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  frame->one.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(bottom.x, bottom.y));
  frame->one.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(bottom.x, bottom.y));
  Pump();
  EXPECT_EQ(frame->one.m_pDockBar, frame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM));

  // The same drag back to the top with Ctrl held floats instead.
  CPoint top(client.left + 40, client.top + 2);
  frame->one.ScreenToClient(&top);
  frame->one.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  frame->one.PostMessage(WM_KEYDOWN, VK_CONTROL, 0);
  frame->one.PostMessage(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, MAKELPARAM(top.x, top.y));
  frame->one.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(top.x, top.y));
  Pump();
  EXPECT_TRUE(frame->one.IsFloating());

  // Escape cancels a drag: the bar stays where it is.
  CFrameWnd* mini = frame->one.GetParentFrame();
  CRect was;
  mini->GetWindowRect(&was);
  frame->one.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  frame->one.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(top.x, top.y));
  frame->one.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_TRUE(frame->one.IsFloating());
  CRect now;
  mini->GetWindowRect(&now);
  EXPECT_EQ(now, was);
}

TEST_F(FrameTest, MouseInputFromTheWindowSystemDragsAndToggles) {
  frame->DockControlBar(&frame->one, AFX_IDW_DOCKBAR_TOP);
  Layout();
  HWND bar = frame->one.m_hWnd;
  // Press, move into the client area and release, as the window system delivers them.
  ui_test::Mouse(bar, QEvent::MouseButtonPress, 5, 5, Qt::LeftButton, Qt::LeftButton);
  ui_test::Mouse(bar, QEvent::MouseMove, 80, 160, Qt::NoButton, Qt::LeftButton);
  ui_test::Mouse(bar, QEvent::MouseButtonRelease, 80, 160, Qt::LeftButton, Qt::NoButton);
  Pump();
  ASSERT_TRUE(frame->one.IsFloating());
  // A double click on the floating bar itself docks it again.
  ui_test::Mouse(bar, QEvent::MouseButtonDblClick, 5, 5, Qt::LeftButton, Qt::LeftButton);
  ui_test::Mouse(bar, QEvent::MouseButtonRelease, 5, 5, Qt::LeftButton, Qt::NoButton);
  Pump();
  EXPECT_FALSE(frame->one.IsFloating());
  EXPECT_EQ(frame->one.m_pDockBar, frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
}

TEST_F(FrameTest, HelpRequestsReachTheHelpSystemWithTheFramesContext) {
  static std::vector<std::pair<UINT, DWORD_PTR>> calls;
  calls.clear();
  afx::SetHelpHandler([](LPCSTR, UINT command, DWORD_PTR data) { calls.emplace_back(command, data); });
  frame->m_nIDHelp = 128;
  frame->SendMessage(WM_COMMANDHELP, 0, 0);
  frame->SendMessage(WM_COMMANDHELP, 0, 0x1234);
  afx::SetHelpHandler(nullptr);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0],
            std::make_pair(0x0001u, static_cast<DWORD_PTR>(0x20000 + 128)));  // the frame's own help id
  EXPECT_EQ(calls[1], std::make_pair(0x0001u, static_cast<DWORD_PTR>(0x1234)));
}

TEST_F(FrameTest, HidingAFloatingBarHidesItsFrameAndShowingBringsTheSameFrameBack) {
  frame->FloatControlBar(&frame->one, CPoint(300, 300));
  Pump();
  CFrameWnd* mini = frame->one.GetParentFrame();
  ASSERT_TRUE(mini && mini->IsWindowVisible());
  mini->SendMessage(WM_CLOSE);  // closing the floating frame only hides the bar
  Pump();
  EXPECT_FALSE(frame->one.IsVisible());
  EXPECT_FALSE(mini->IsWindowVisible());
  frame->ShowControlBar(&frame->one, TRUE, FALSE);
  Pump();
  EXPECT_EQ(frame->one.GetParentFrame(), mini);
  EXPECT_TRUE(mini->IsWindowVisible());
}

TEST_F(FrameTest, TheLayoutIsSavedToTheProfileAndRestored) {
  frame->DockControlBar(&frame->one, AFX_IDW_DOCKBAR_LEFT);
  frame->FloatControlBar(&frame->two, CPoint(250, 260));
  Layout();
  frame->SaveBarState("Layout");
  plat::Profile& p = plat::Profile::App();
  // The left dock bar, the floating dock bar and the two bars.
  EXPECT_EQ(p.GetProfileInt("Layout-Summary", "Bars", 0), 4u);
  EXPECT_EQ(static_cast<int>(p.GetProfileInt("Layout-Summary", "ScreenCX", 0)),
            GetSystemMetrics(SM_CXSCREEN));
  // Every record names its bar; the floating dock bar says it floats.
  int floating = 0;
  for (int i = 0; i < 4; ++i) {
    CString section;
    section.Format("Layout-Bar%d", i);
    EXPECT_NE(p.GetProfileInt(section, "BarID", 0), 0u);
    floating += p.GetProfileInt(section, "Floating", 0);
  }
  EXPECT_EQ(floating, 1);

  // Rearranged, then loaded: back as saved.
  frame->DockControlBar(&frame->two, AFX_IDW_DOCKBAR_BOTTOM);
  frame->DockControlBar(&frame->one, AFX_IDW_DOCKBAR_TOP);
  Layout();
  frame->LoadBarState("Layout");
  Layout();
  EXPECT_EQ(frame->one.m_pDockBar, frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  ASSERT_TRUE(frame->two.IsFloating());
  CRect mini;
  frame->two.GetParentFrame()->GetWindowRect(&mini);
  EXPECT_EQ(mini.TopLeft(), CPoint(250, 260));
  EXPECT_EQ(PaneRect().left, 30 - 2);
}

TEST_F(FrameTest, IdleUpdatesReachBarsAndCommandStatesFollowTheirHandlers) {
  frame->DockControlBar(&frame->one, AFX_IDW_DOCKBAR_TOP);
  Layout();
  frame->one.updates.clear();
  Pump(&App());
  ASSERT_FALSE(frame->one.updates.empty());
  EXPECT_EQ(frame->one.updates.back(), frame);

  struct Case {
    UINT id;
    BOOL enabled;
    int check;
  } cases[] = {
      {ID_TEST_COMMAND, TRUE, -1},
      {ID_TEST_CHECKED, FALSE, 1},     // checked, but nothing runs it
      {ID_TEST_UNHANDLED, FALSE, -1},  // no handler: disabled
      {ID_APP_EXIT, TRUE, -1},         // the application's handler counts
  };
  for (const Case& c : cases) {
    CTestCmdUI ui;
    ui.m_nID = c.id;
    ui.DoUpdate(frame, TRUE);
    EXPECT_EQ(ui.m_bEnabled, c.enabled) << c.id;
    EXPECT_EQ(ui.m_nCheck, c.check) << c.id;
  }
  // A disabled command does not run from a menu or accelerator.
  frame->SendMessage(WM_COMMAND, ID_TEST_COMMAND);
  frame->SendMessage(WM_COMMAND, ID_TEST_COMMAND);
  frame->SendMessage(WM_COMMAND, ID_TEST_COMMAND);
  EXPECT_EQ(frame->commands, 2);
}

TEST_F(FrameTest, DelayedShowWaitsForIdleLayout) {
  frame->DockControlBar(&frame->one, AFX_IDW_DOCKBAR_TOP);
  Layout();
  int top = PaneRect().top;
  frame->ShowControlBar(&frame->one, FALSE, TRUE);
  EXPECT_FALSE(frame->one.IsVisible());       // as the user will see it
  EXPECT_TRUE(frame->one.IsWindowVisible());  // not yet applied
  EXPECT_TRUE(frame->m_nIdleFlags & CFrameWnd::idleLayout);
  Pump(&App());
  EXPECT_FALSE(frame->one.IsWindowVisible());
  EXPECT_EQ(PaneRect().top, 0);
  frame->ShowControlBar(&frame->one, TRUE, FALSE);
  Layout();
  EXPECT_EQ(PaneRect().top, top);
}

TEST_F(FrameTest, StatusPromptsGoToTheStatusBarPane) {
  // Any window with the status bar's id takes the prompts.
  CWnd status;
  ASSERT_TRUE(status.Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), frame, AFX_IDW_STATUS_BAR));
  frame->SetMessageText(ID_TEST_COMMAND);
  CString text;
  status.GetWindowText(text);
  EXPECT_EQ(text, "Runs the test command");
  frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
  status.GetWindowText(text);
  EXPECT_EQ(text, "Ready");
  frame->SetMessageText("Literal");
  status.GetWindowText(text);
  EXPECT_EQ(text, "Literal");
  status.DestroyWindow();
}

TEST_F(FrameTest, FloatingFramesFollowTheActivationOfTheirFrame) {
  frame->FloatControlBar(&frame->one, CPoint(300, 300));
  Pump();
  auto* mini = static_cast<CMiniFrameWnd*>(frame->one.GetParentFrame());
  ASSERT_TRUE(mini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
  frame->NotifyFloatingWindows(FS_ACTIVATE);
  EXPECT_TRUE(mini->m_bActive);
  frame->NotifyFloatingWindows(FS_DEACTIVATE);
  EXPECT_FALSE(mini->m_bActive);
  // The small caption and its close box are the floating frame's own.
  CRect w;
  mini->GetWindowRect(&w);
  EXPECT_EQ(mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(w.left + 10, w.top + 6)), HTCAPTION);
  CRect box = mini->CloseBoxRect();
  EXPECT_EQ(mini->SendMessage(WM_NCHITTEST, 0,
                              MAKELPARAM(w.left + box.CenterPoint().x, w.top + box.CenterPoint().y)),
            HTCLOSE);
  CRect client;
  mini->GetClientRect(&client);
  EXPECT_EQ(w.Height() - client.Height(),
            GetSystemMetrics(SM_CYSMCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME));
}

TEST_F(FrameTest, DialogControlsFollowTheirCommandHandlers) {
  CWnd host;
  ASSERT_TRUE(host.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), frame, 1));
  struct Case {
    UINT id;
    DWORD style;
    BOOL enabled;
  } cases[] = {
      {ID_TEST_COMMAND, BS_PUSHBUTTON, TRUE},          // enabled by its update handler
      {ID_TEST_UNHANDLED, BS_PUSHBUTTON, FALSE},       // nothing runs it
      {ID_TEST_UNHANDLED + 1, BS_AUTOCHECKBOX, TRUE},  // check boxes work on their own
  };
  std::vector<HWND> buttons;
  for (const Case& c : cases)
    buttons.push_back(::CreateWindowEx(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | c.style, 0, 0, 50, 20,
                                       host.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(c.id)),
                                       nullptr, nullptr));
  host.UpdateDialogControls(frame, TRUE);
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(::IsWindowEnabled(buttons[i]), cases[i].enabled) << cases[i].id;
  host.DestroyWindow();
}

TEST_F(FrameTest, ClosingTheMainFrameEndsTheThreadsLoop) {
  HWND h = frame->m_hWnd;
  frame->SendMessage(WM_CLOSE);
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_EQ(App().m_pMainWnd, nullptr);
  MSG msg;
  bool quit = false;
  while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message == WM_QUIT) quit = true;
  EXPECT_TRUE(quit);
}

}  // namespace
