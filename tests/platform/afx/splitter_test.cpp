// Splitter windows: a view split in panes that all follow the document,
// scroll together along shared axes and resize by dragging the bar.
#include <gtest/gtest.h>

#include "afx_test_support.h"
#include "platform/ui/cdc.h"
#include "ui_test_support.h"

using afx_test::Pump;

namespace {

class NoteDoc : public CDocument {
  DECLARE_DYNCREATE(NoteDoc)
};
IMPLEMENT_DYNCREATE(NoteDoc, CDocument)

class PaneView : public CScrollView {
  DECLARE_DYNCREATE(PaneView)
 public:
  int updates = 0;
  void OnInitialUpdate() override {
    SetScrollSizes(MM_TEXT, CSize(2000, 3000), CSize(100, 100), CSize(10, 10));
    CScrollView::OnInitialUpdate();
  }
  void OnUpdate(CView* sender, LPARAM hint, CObject* obj) override {
    ++updates;
    CScrollView::OnUpdate(sender, hint, obj);
  }
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(PaneView, CScrollView)

class SplitFrame : public CFrameWnd {
 public:
  CSplitterWnd split;
  bool dynamic = false;
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    if (dynamic) return split.Create(this, 2, 2, CSize(20, 20), context);
    if (!split.CreateStatic(this, 2, 2)) return FALSE;
    for (int r = 0; r < 2; ++r)
      for (int c = 0; c < 2; ++c)
        if (!split.CreateView(r, c, RUNTIME_CLASS(PaneView), CSize(150, 100), context)) return FALSE;
    return TRUE;
  }
};

class SplitterTest : public ::testing::Test {
 protected:
  void Open(bool dynamic) {
    ui_test::EnsureApp();
    doc = new NoteDoc;
    frame = new SplitFrame;
    frame->dynamic = dynamic;
    CCreateContext context;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = RUNTIME_CLASS(PaneView);
    ASSERT_TRUE(frame->Create(nullptr, "Split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 420, 320), nullptr, nullptr,
                              0, &context));
    frame->InitialUpdateFrame(doc, TRUE);
    Pump();
  }
  void TearDown() override {
    if (frame && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();  // the document goes with its last view
    Pump();
  }
  PaneView* Pane(int r, int c) { return static_cast<PaneView*>(frame->split.GetPane(r, c)); }
  NoteDoc* doc = nullptr;
  SplitFrame* frame = nullptr;
};

TEST_F(SplitterTest, EveryPaneFollowsAnUpdateAndPanesKnowTheirPlace) {
  Open(false);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c) ASSERT_NE(Pane(r, c), nullptr);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c) Pane(r, c)->updates = 0;
  doc->UpdateAllViews(Pane(0, 0));
  EXPECT_EQ(Pane(0, 0)->updates, 0);
  EXPECT_EQ(Pane(0, 1)->updates + Pane(1, 0)->updates + Pane(1, 1)->updates, 3);

  int row = -1, col = -1;
  EXPECT_TRUE(frame->split.IsChildPane(Pane(1, 0), &row, &col));
  EXPECT_EQ(row, 1);
  EXPECT_EQ(col, 0);
  EXPECT_FALSE(frame->split.IsChildPane(frame, &row, &col));
  frame->split.SetActivePane(0, 1);
  EXPECT_EQ(frame->split.GetActivePane(&row, &col), Pane(0, 1));
  EXPECT_EQ(col, 1);
  EXPECT_EQ(frame->GetActiveDocument(), doc);
}

TEST_F(SplitterTest, PanesShareTheScrollPositionOfTheirRowAndColumn) {
  Open(false);
  Pane(0, 0)->ScrollToPosition(CPoint(40, 70));
  EXPECT_EQ(Pane(0, 0)->GetScrollPosition(), CPoint(40, 70));
  EXPECT_EQ(Pane(0, 1)->GetScrollPosition().y, 70);  // same row
  EXPECT_EQ(Pane(0, 1)->GetScrollPosition().x, 0);
  EXPECT_EQ(Pane(1, 0)->GetScrollPosition().x, 40);  // same column
  EXPECT_EQ(Pane(1, 0)->GetScrollPosition().y, 0);
  EXPECT_EQ(Pane(1, 1)->GetScrollPosition(), CPoint(0, 0));
  // Scrolling by the bar's messages works the same way.
  Pane(1, 1)->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Pane(1, 1)->GetScrollPosition().y, 10);
  EXPECT_EQ(Pane(1, 0)->GetScrollPosition().y, 10);
}

TEST_F(SplitterTest, DraggingTheBarResizesThePanesAndEscapeLeavesThem) {
  Open(false);
  int cur = 0, min = 0;
  frame->split.GetColumnInfo(0, cur, min);
  EXPECT_EQ(cur, 150);
  // The vertical bar starts at x = 150.
  frame->split.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(152, 50));
  frame->split.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(202, 50));
  frame->split.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(202, 50));
  Pump();
  frame->split.GetColumnInfo(0, cur, min);
  EXPECT_EQ(cur, 200);
  CRect pane;
  Pane(0, 1)->GetWindowRect(&pane);
  frame->split.ScreenToClient(&pane);
  EXPECT_EQ(pane.left, 200 + frame->split.m_cxSplitterGap);

  frame->split.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(202, 50));
  frame->split.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 50));
  frame->split.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  frame->split.GetColumnInfo(0, cur, min);
  EXPECT_EQ(cur, 200);
}

TEST_F(SplitterTest, ADynamicSplitterMakesAndDropsPanesOnDemand) {
  Open(true);
  EXPECT_EQ(frame->split.GetRowCount(), 1);
  ASSERT_TRUE(frame->split.SplitRow(80));
  EXPECT_EQ(frame->split.GetRowCount(), 2);
  ASSERT_NE(Pane(1, 0), nullptr);
  EXPECT_EQ(Pane(1, 0)->GetDocument(), doc);  // the new pane shows the same document
  Pane(0, 0)->updates = Pane(1, 0)->updates = 0;
  doc->UpdateAllViews(nullptr);
  EXPECT_EQ(Pane(0, 0)->updates, 1);
  EXPECT_EQ(Pane(1, 0)->updates, 1);
  EXPECT_FALSE(frame->split.SplitRow(40));  // at most two rows
  // The bar dragged to the top edge removes the first row.
  frame->split.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 82));
  frame->split.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 2));
  frame->split.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(50, 2));
  Pump();
  EXPECT_EQ(frame->split.GetRowCount(), 1);
  EXPECT_NE(Pane(0, 0), nullptr);
  EXPECT_EQ(Pane(1, 0), nullptr);
}

}  // namespace
