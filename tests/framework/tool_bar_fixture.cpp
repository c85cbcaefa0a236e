#include "tool_bar_fixture.h"

#include <QDir>
#include <QImage>

#include "tests/support/test_support.h"
#include "ui_test_support.h"

namespace tb_test {

namespace {
class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("ToolBarTest") {}
};
TestApp& App() {
  static TestApp* app = new TestApp;
  return *app;
}
}  // namespace

BEGIN_MESSAGE_MAP(ToolFrame, CFrameWnd)
ON_COMMAND(kIdNew, OnNew)
ON_COMMAND(kIdOpen, OnOpen)
ON_COMMAND(kIdSave, OnSave)
ON_COMMAND(kIdOther, OnOther)
ON_UPDATE_COMMAND_UI(kIdOpen, OnUpdateOpen)
ON_UPDATE_COMMAND_UI(kIdSave, OnUpdateSave)
END_MESSAGE_MAP()

LRESULT ToolFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == SECGetBarNotifyMessage())
    barNotes.push_back({static_cast<UINT>(wParam), static_cast<WPARAM>(lParam)});
  if (record) {
    if (message == WM_COMMAND || message == WM_SETMESSAGESTRING) log.push_back({message, wParam});
    if (message == WM_NOTIFY) log.push_back({message, reinterpret_cast<NMHDR*>(lParam)->code});
  }
  return CFrameWnd::WindowProc(message, wParam, lParam);
}

void ToolBarTest::SetUp() {
  ui_test::EnsureApp();
  App();
  frame = new ToolFrame;
  ASSERT_TRUE(frame->Create(nullptr, "Tool bars", WS_OVERLAPPEDWINDOW, CRect(100, 100, 740, 580)));
  App().m_pMainWnd = frame;
  SECEnableDocking(frame, CBRS_ALIGN_ANY);
  frame->ShowWindow(SW_SHOW);
  Pump();
}

void ToolBarTest::TearDown() {
  if (frame && ::IsWindow(frame->m_hWnd)) {
    frame->DestroyWindow();
    Pump();
  }
  App().m_pMainWnd = nullptr;
}

void ToolBarTest::Layout() {
  Pump();
  frame->RecalcLayout();
  Pump();
}

SECCustomToolBar* ToolBarTest::MakeBar(UINT id, DWORD exStyle, UINT dockBar) {
  auto* bar = new SECCustomToolBar;
  bar->m_bAutoDelete = TRUE;
  EXPECT_TRUE(bar->CreateEx(
      exStyle, frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS, id, "Standard"));
  EXPECT_TRUE(bar->LoadToolBar(kToolBarRes));
  bar->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(bar, dockBar);
  Layout();
  return bar;
}

CPoint ToolBarTest::Centre(SECCustomToolBar* bar, int index) {
  return bar->GetBtn(index)->GetRect().CenterPoint();
}

void ToolBarTest::Click(CWnd* bar, CPoint at, UINT keys) {
  bar->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(at.x, at.y));
  bar->PostMessage(WM_LBUTTONUP, keys, MAKELPARAM(at.x, at.y));
  Pump();
}

void ToolBarTest::Drag(SECCustomToolBar* bar, CPoint from, CPoint to, UINT keys) {
  CPoint at = to;
  bar->ScreenToClient(&at);
  bar->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(from.x, from.y));
  bar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON | keys, MAKELPARAM(at.x, at.y));
  bar->PostMessage(WM_LBUTTONUP, keys, MAKELPARAM(at.x, at.y));
  Pump();
}

void ToolBarTest::Picture(CWnd* wnd, const std::string& name) {
  QString dir = QString::fromStdString(mirt_test::ProgramDir()) + "/pictures";
  QDir().mkpath(dir);
  wnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  ui_test::Picture(wnd->m_hWnd).save(dir + "/toolbar_" + QString::fromStdString(name) + ".png");
}

void ToolBarTest::ExpectLog(const std::vector<Sent>& expected) {
  ASSERT_EQ(frame->log.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(frame->log[i].message, expected[i].message);
    EXPECT_EQ(frame->log[i].wParam, expected[i].wParam);
  }
}

std::vector<UINT> Ids(const SECCustomToolBar* bar) {
  std::vector<UINT> ids;
  for (int i = 0; i < bar->GetBtnCount(); ++i)
    ids.push_back((bar->GetBtn(i)->m_nStyle & TBBS_SEPARATOR) ? 0 : bar->GetBtn(i)->m_nID);
  return ids;
}

}  // namespace tb_test
