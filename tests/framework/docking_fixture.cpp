#include "docking_fixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "tests/support/test_support.h"
#include "ui_test_support.h"

namespace dock_test {

namespace {
class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("DockingTest") {}
};
TestApp& App() {
  static TestApp* app = new TestApp;
  return *app;
}
const char* const kTitles[kBars] = {"Project", "Output", "Watch", "Registers", "Call Stack"};
}  // namespace

void DockingTest::SetUp() {
  ui_test::EnsureApp();
  App();
  frame = new DockFrame;
  ASSERT_TRUE(frame->Create(nullptr, "Docking", WS_OVERLAPPEDWINDOW, CRect(100, 100, 740, 580)));
  App().m_pMainWnd = frame;
  ASSERT_TRUE(frame->pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame,
                                 AFX_IDW_PANE_FIRST));
  SECEnableDocking(frame, CBRS_ALIGN_ANY);
  for (int i = 0; i < kBars; ++i) {
    ASSERT_TRUE(Bar(i).Create(
        frame, kTitles[i], WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS,
        SECBAR_GRIPPER | SECBAR_GRIPPERCLOSE | SECBAR_GRIPPEREXPAND | SECBAR_CONTEXTMENU | SECBAR_3DBORDERS,
        kFirstBarId + i));
    Bar(i).m_szHorzDock = CSize(200, 80);
    Bar(i).m_szVertDock = CSize(120, 200);
    Bar(i).m_szFloat = CSize(180, 120);
    Bar(i).EnableDocking(CBRS_ALIGN_ANY);
  }
  frame->ShowWindow(SW_SHOW);
  afx_test::Pump();
}

void DockingTest::TearDown() {
  if (frame && ::IsWindow(frame->m_hWnd)) {
    frame->DestroyWindow();
    afx_test::Pump();
  }
  App().m_pMainWnd = nullptr;
}

void DockingTest::Layout() {
  afx_test::Pump();
  frame->RecalcLayout();
  afx_test::Pump();
}

CRect DockingTest::Client() {
  CRect r;
  frame->GetClientRect(&r);
  return r;
}

std::vector<CRect> DockingTest::Tiles() {
  std::vector<CRect> tiles;
  for (UINT id = AFX_IDW_DOCKBAR_TOP; id <= AFX_IDW_DOCKBAR_BOTTOM; ++id) {
    SECDockBar* dock = Dock(id);
    for (int i = 0; i < dock->m_arrBars.GetSize(); ++i)
      if (CControlBar* bar = dock->GetDockedControlBar(i); bar && bar->IsWindowVisible())
        tiles.push_back(In(bar));
    CRect origin = In(dock);
    for (int i = 0; i < dock->m_arrSplitters.GetSize(); ++i) {
      CRect r = static_cast<SECDockBar::Splitter*>(dock->m_arrSplitters[i])->m_rect;
      r.OffsetRect(origin.TopLeft());
      tiles.push_back(r);
    }
    for (int i = 0; i < dock->m_arrEdges.GetSize(); ++i) {
      CRect r = static_cast<SECDockBar::ClientEdge*>(dock->m_arrEdges[i])->m_rect;
      r.OffsetRect(origin.TopLeft());
      tiles.push_back(r);
    }
  }
  tiles.push_back(In(&frame->pane));
  return tiles;
}

void DockingTest::Picture(CWnd* wnd, const std::string& name) {
  QString dir = QString::fromStdString(mirt_test::ProgramDir()) + "/pictures";
  QDir().mkpath(dir);
  ui_test::Picture(wnd->m_hWnd).save(dir + "/docking_" + QString::fromStdString(name) + ".png");
}

void DockingTest::Drag(CWnd* wnd, CPoint from, CPoint to, UINT keys) {
  CPoint at = to;
  wnd->ScreenToClient(&at);
  wnd->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  if (keys & MK_CONTROL) wnd->PostMessage(WM_KEYDOWN, VK_CONTROL, 0);
  if (keys & MK_SHIFT) wnd->PostMessage(WM_KEYDOWN, VK_SHIFT, 0);
  wnd->PostMessage(WM_MOUSEMOVE, MK_LBUTTON | keys, MAKELPARAM(at.x, at.y));
  wnd->PostMessage(WM_LBUTTONUP, keys, MAKELPARAM(at.x, at.y));
  afx_test::Pump();
}

}  // namespace dock_test
