// Two panes of one document side by side in a splitter: the right pane
// starts at its neighbour's top line and follows its scrolling; edits in
// one pane show in the other.
#include <gtest/gtest.h>

#include "view_fixture.h"

namespace view_test {
namespace {

class SplitterTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    std::string text;
    for (int i = 1; i <= 100; ++i) text += "row " + std::to_string(i) + "\n";
    Load(text);
    splitter = new CSplitterWnd;
    ASSERT_TRUE(splitter->CreateStatic(CWnd::FromHandle(top), 1, 2));
    CCreateContext context;
    context.m_pCurrentDoc = doc;
    ASSERT_TRUE(splitter->CreateView(0, 0, RUNTIME_CLASS(CMirt2View), CSize(200, 200), &context));
    left = static_cast<CMirt2View*>(splitter->GetPane(0, 0));
    left->OnInitialUpdate();
    left->SetTopLine(30, FALSE);
    ASSERT_TRUE(splitter->CreateView(0, 1, RUNTIME_CLASS(CMirt2View), CSize(200, 200), &context));
    right = static_cast<CMirt2View*>(splitter->GetPane(0, 1));
    right->OnInitialUpdate();
    splitter->MoveWindow(0, 0, 400, 200);
    splitter->SetActivePane(0, 0, left);
  }
  void TearDown() override {
    if (splitter) splitter->DestroyWindow();  // its views delete themselves
    delete splitter;
    ViewTest::TearDown();
  }
  CSplitterWnd* splitter = nullptr;
  CMirt2View* left = nullptr;
  CMirt2View* right = nullptr;
};

TEST_F(SplitterTest, PanesOfARowShareTheirTopLine) {
  EXPECT_EQ(right->m_nTopLine, 30);  // taken from the neighbour
  left->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(left->m_nTopLine, 31);
  EXPECT_EQ(right->m_nTopLine, 31);
  right->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0), 0);
  EXPECT_EQ(left->m_nLeftColumn, 0);  // another column keeps its own
}

TEST_F(SplitterTest, RemovedLinesKeepTheOtherPaneValid) {
  right->GoToLine(50);
  left->m_pCaretLine = buf->GetLine(40);
  left->m_nCaretLine = 40;
  left->m_nCaretColumn = 0;
  left->StartSelection(SEL_STREAM);
  left->m_pCaretLine = buf->GetLine(60);
  left->m_nCaretLine = 60;
  left->UpdateSelection(TRUE);
  left->SendMessage(WM_COMMAND, ID_EDIT_ERASE);
  EXPECT_EQ(buf->m_nLineCount, 80);
  // The right pane's caret line was freed: it holds lines of the text again.
  EXPECT_EQ(right->m_pCaretLine, buf->GetLine(right->m_nCaretLine));
  EXPECT_EQ(right->m_pTopLine, buf->GetLine(right->m_nTopLine));
}

}  // namespace
}  // namespace view_test
