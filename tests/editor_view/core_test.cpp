// The editor core through its window: caret placement, selection by mouse
// and keys, movement commands and scrolling.
#include <gtest/gtest.h>

#include "view_fixture.h"

namespace view_test {
namespace {

constexpr auto kTwoWords = "abc def\nxy\n\tz\n";

struct Caret {
  int line;
  int column;
  bool operator==(const Caret& o) const { return line == o.line && column == o.column; }
};
std::ostream& operator<<(std::ostream& os, const Caret& c) { return os << c.line << ":" << c.column; }

class CoreTest : public ViewTest {
 protected:
  Caret At() const { return {view->m_nCaretLine, view->m_nCaretColumn}; }
  void Put(int line, int column) {
    view->m_pCaretLine = buf->GetLine(line);
    view->m_nCaretLine = line;
    view->m_nCaretColumn = column;
  }
};

TEST_F(CoreTest, ClickPlacesTheCaretByTheCellRules) {
  Load(kTwoWords);
  struct Case {
    const char* what;
    int row, column;
    Caret caret;
  };
  const Case cases[] = {
      {"inside a word", 0, 5, {1, 5}}, {"past the line end", 1, 9, {2, 2}}, {"middle of a tab", 2, 2, {3, 0}},
      {"after the tab", 2, 4, {3, 4}}, {"below the text", 9, 0, {3, 0}},
  };
  for (const Case& c : cases) {
    Click(Cell(c.row, c.column));
    EXPECT_EQ(At(), c.caret) << c.what;
    EXPECT_FALSE(view->m_bSelection) << c.what;
    EXPECT_TRUE(view->m_bCaretCreated) << c.what;
  }
  view->m_bFreeCursor = TRUE;
  Click(Cell(1, 9));
  EXPECT_EQ(At(), (Caret{2, 9}));
}

TEST_F(CoreTest, ShiftClickAndDragSelectStreamText) {
  Load(kTwoWords);
  Click(Cell(0, 1));
  Click(Cell(1, 1), MK_SHIFT);
  ASSERT_TRUE(view->m_bSelection);
  EXPECT_EQ(view->SelectionClipText(), "bc def\r\nx");

  Click(Cell(0, 0));
  EXPECT_FALSE(view->m_bSelection);
  Press(Cell(0, 4));
  Move(Cell(0, 7));
  Release(Cell(0, 7));
  EXPECT_EQ(view->SelectionClipText(), "def");
  EXPECT_FALSE(view->m_bCaretCreated);  // no caret while text is selected
}

TEST_F(CoreTest, MarginClickSelectsTheWholeLine) {
  Load(kTwoWords);
  Click(CPoint(2, Cell(0, 0).y));
  EXPECT_EQ(view->SelectionClipText(), "abc def\r\n");
  EXPECT_EQ(At(), (Caret{2, 0}));
  Click(Cell(0, 0));
  Click(CPoint(2, Cell(3, 0).y));  // the last line ends at its end
  EXPECT_EQ(view->m_pSelEndLine, view->m_pSelStartLine);
}

TEST_F(CoreTest, DoubleClickSelectsAWord) {
  Load("int foo_bar = 1;\n_ x\n");
  Click(Cell(0, 6));
  view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(Cell(0, 6).x, Cell(0, 6).y));
  EXPECT_EQ(view->SelectionClipText(), "foo_bar");
  Click(Cell(1, 0));
  view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(Cell(1, 0).x, Cell(1, 0).y));
  EXPECT_EQ(view->SelectionClipText(), "_");
  Click(Cell(1, 1));
  view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(Cell(1, 1).x, Cell(1, 1).y));
  EXPECT_FALSE(view->m_bSelection);  // a blank selects nothing
}

TEST_F(CoreTest, HoldingTheButtonBelowTheWindowGrowsTheSelectionEachTick) {
  std::string text;
  for (int i = 0; i < 60; ++i) text += "line\n";
  Load(text);
  Press(Cell(0, 0));
  EXPECT_NE(view->m_nTimerId, 0u);
  CPoint below = view->m_rcClient.BottomRight() + CPoint(0, 10);
  CPoint screen = below;
  view->ClientToScreen(&screen);
  ::SetCursorPos(screen.x, screen.y);
  view->SendMessage(WM_TIMER, kAutoScrollTimer, 0);  // the first tick is skipped
  EXPECT_EQ(view->m_nCaretLine, 1);
  for (int tick = 1; tick <= 3; ++tick) {
    view->SendMessage(WM_TIMER, kAutoScrollTimer, 0);
    EXPECT_EQ(view->m_nCaretLine, 1 + tick);
  }
  Release(below);
  EXPECT_EQ(view->m_nTimerId, 0u);
  EXPECT_EQ(view->SelectionClipText(), "line\r\nline\r\nline\r\n");
}

TEST_F(CoreTest, MovementCommands) {
  Load("abc def\nxy\n\tz\nlast line\n");
  struct Case {
    Caret from;
    UINT command;
    Caret to;
  };
  const Case cases[] = {
      {{1, 5}, ID_EDIT_DOWN, {2, 2}},                                         // onto a shorter line: its end
      {{2, 1}, ID_EDIT_UP, {1, 1}},         {{1, 0}, ID_EDIT_UP, {1, 0}},     // nothing above the first line
      {{3, 0}, ID_EDIT_RIGHT, {3, 4}},                                        // over a tab
      {{3, 4}, ID_EDIT_LEFT, {3, 0}},       {{2, 0}, ID_EDIT_LEFT, {1, 7}},   // to the end of the line above
      {{1, 7}, ID_EDIT_RIGHT, {2, 0}},      {{4, 9}, ID_EDIT_RIGHT, {4, 9}},  // the end of the text
      {{1, 7}, ID_EDIT_WORD_LEFT, {1, 4}},  {{1, 4}, ID_EDIT_WORD_LEFT, {1, 0}},
      {{1, 0}, ID_EDIT_WORD_RIGHT, {1, 4}}, {{1, 4}, ID_EDIT_WORD_RIGHT, {2, 0}},
      {{2, 1}, ID_EDIT_HOME, {2, 0}},       {{2, 0}, ID_EDIT_END, {2, 2}},
      {{3, 2}, ID_EDIT_TOP, {1, 0}},        {{1, 0}, ID_EDIT_BOTTOM, {4, 9}},
  };
  for (const Case& c : cases) {
    Put(c.from.line, c.from.column);
    Command(c.command);
    EXPECT_EQ(At(), c.to) << "command " << c.command << " from " << c.from;
  }
}

TEST_F(CoreTest, WordLeftStopsAtBlanksAtTheLineStart) {
  Load("prev\n  word\n a\n");
  Put(2, 6);
  Command(ID_EDIT_WORD_LEFT);
  EXPECT_EQ(At(), (Caret{2, 2}));
  Put(3, 1);
  Command(ID_EDIT_WORD_LEFT);
  EXPECT_EQ(At(), (Caret{2, 6}));  // the end of the line above
}

TEST_F(CoreTest, ExtendingKeysSelectAndKeysGoThroughTheAccelerators) {
  Load(kTwoWords);
  Key(VK_RIGHT);
  EXPECT_EQ(At(), (Caret{1, 1}));
  Command(ID_EDIT_SELECT_RIGHT);
  Command(ID_EDIT_SELECT_RIGHT);
  EXPECT_EQ(view->SelectionClipText(), "bc");
  Command(ID_EDIT_SELECT_DOWN);
  EXPECT_EQ(view->SelectionClipText(), "bc def\r\nxy");
  Command(ID_EDIT_SELECT_UP);
  Command(ID_EDIT_SELECT_HOME);
  EXPECT_EQ(view->SelectionClipText(), "a");  // now before the origin
  Key(VK_DOWN);
  EXPECT_FALSE(view->m_bSelection);
}

TEST_F(CoreTest, ColumnSelectionKeepsItsColumnOnShortLines) {
  Load("abcdefghij\nab\nabcdefghij\n");
  Put(1, 9);
  view->StartSelection(SEL_COLUMN);
  Command(ID_EDIT_SELECT_DOWN);
  EXPECT_EQ(At(), (Caret{2, 9}));
  Put(1, 2);
  Click(Cell(0, 2));
  view->m_nSelMode = SEL_COLUMN;  // as after Alt at button down
  Press(Cell(0, 2));
  Move(Cell(2, 5));
  Release(Cell(2, 5));
  EXPECT_EQ(view->m_nSelMode, SEL_COLUMN);
  EXPECT_EQ(view->SelectionClipText(), "*SECEdit Column Block*\r\ncde\r\n   \r\ncde");
}

TEST_F(CoreTest, SelectAllOnEmptyTextSelectsNothing) {
  Load("");
  Command(ID_EDIT_SELECT_ALL_TEXT);
  EXPECT_EQ(At(), (Caret{1, 0}));
  EXPECT_EQ(view->SelectionClipText(), "");
  Load("one\ntwo");
  Command(ID_EDIT_SELECT_ALL_TEXT);
  EXPECT_EQ(view->SelectionClipText(), "one\r\ntwo");
}

TEST_F(CoreTest, PagesAndTheScrollBar) {
  constexpr int kLines = 200;
  std::string text;
  for (int i = 1; i <= kLines; ++i) text += "line " + std::to_string(i) + "\n";
  Load(text);
  int rows = view->GetLinesPerPage();
  ASSERT_GT(rows, 2);
  Command(ID_EDIT_PAGE_DOWN);
  EXPECT_EQ(view->m_nCaretLine, 1 + rows);
  EXPECT_EQ(view->m_nTopLine, 1 + rows);
  EXPECT_EQ(view->GetScrollPosition(SB_VERT), rows);
  view->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(view->m_nTopLine, 2 + rows);
  view->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10), 0);
  EXPECT_EQ(view->m_nTopLine, 11);
  Command(ID_EDIT_BOTTOM);
  EXPECT_EQ(view->m_nCaretLine, kLines);
  EXPECT_EQ(view->m_nTopLine, kLines - rows + 1);
  view->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0), 0);
  EXPECT_EQ(view->m_nLeftColumn, 32);
  view->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGELEFT, 0), 0);
  view->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGELEFT, 0), 0);
  EXPECT_EQ(view->m_nLeftColumn, 0);
}

TEST_F(CoreTest, GoToLineShowsTheLine) {
  std::string text;
  for (int i = 1; i <= 100; ++i) text += "l\n";
  Load(text);
  view->GoToLine(60);
  EXPECT_EQ(At(), (Caret{60, 0}));
  EXPECT_TRUE(view->IsLineVisible(60));
  EXPECT_EQ(view->GetLastVisibleLine(), 60);
  view->GoToLine(3);
  EXPECT_EQ(view->m_nTopLine, 3);
}

}  // namespace
}  // namespace view_test
