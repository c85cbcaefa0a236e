// Painting by pixels: text and syntax colours, the margin, bookmarks,
// shown tabs and the inverted selection. Pictures go into the build tree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "view_fixture.h"

namespace view_test {
namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kComment = RGB(0, 128, 0);
constexpr COLORREF kQuote = RGB(128, 0, 128);
constexpr COLORREF kKeyword = RGB(0, 0, 255);
constexpr COLORREF kBookmark = RGB(0, 0, 255);

constexpr auto kCSource =
    "int main(void) {\n"
    "  char c = 'x'; // a 'q' comment\n"
    "  /* block\n"
    "     still */ return 0;\n"
    "}\n";

class PaintTest : public ViewTest {
 protected:
  void Colour() {
    buf->m_bChroma = TRUE;
    buf->m_crBackground = kBackground;
    buf->m_crText = kText;
    buf->m_crComment = kComment;
    buf->m_crQuote = kQuote;
    buf->m_crKeyword = kKeyword;
    std::strcpy(buf->m_szCommentStart1, "/*");
    std::strcpy(buf->m_szCommentEnd1, "*/");
    std::strcpy(buf->m_szCommentStart2, "//");
    buf->m_szCommentEnd2[0] = '\0';
    std::string keywords = mirt_dir + "/keys.ini";
    FILE* f = std::fopen(keywords.c_str(), "w");
    std::fputs("[Keywords]\nint=Blue\nreturn=Blue\nchar=Blue\n[Colors]\nBlue=0,0,255\n", f);
    std::fclose(f);
    buf->m_strKeywordFile = keywords.c_str();
    buf->LoadKeywordFile();
    buf->m_bChroma = TRUE;
    view->Invalidate(FALSE);
  }
  // Whether a cell shows ink of a colour: some pixel is that colour
  // blended over the background by at least a third (text is smoothed).
  bool CellHas(int row, int column, COLORREF colour) {
    Pump();
    int x0 = view->m_nMarginWidth + column * view->m_nCharWidth;
    int y0 = row * view->m_nLineHeight;
    for (int y = y0; y < y0 + view->m_nLineHeight; ++y) {
      for (int x = x0; x < x0 + view->m_nCharWidth; ++x) {
        if (IsInkOf(Pixel(x, y), colour)) return true;
      }
    }
    return false;
  }
  static bool IsInkOf(COLORREF pixel, COLORREF ink) {
    const int p[3] = {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
    const int f[3] = {GetRValue(ink), GetGValue(ink), GetBValue(ink)};
    constexpr int kBack = 255;
    int k = 0;
    for (int i = 1; i < 3; ++i) {
      if (std::abs(f[i] - kBack) > std::abs(f[k] - kBack)) k = i;
    }
    if (f[k] == kBack) return false;
    double a = double(p[k] - kBack) / (f[k] - kBack);
    if (a < 0.35 || a > 1.05) return false;
    for (int i = 0; i < 3; ++i) {
      if (std::abs(p[i] - (kBack + a * (f[i] - kBack))) > 28) return false;
    }
    return true;
  }
  std::string mirt_dir = dir;
};

TEST_F(PaintTest, SyntaxColoursByClass) {
  Load(kCSource);
  mirt_dir = dir;
  Colour();
  Picture("c_file");
  struct Case {
    const char* what;
    int row, column;
    COLORREF colour;
  };
  const Case cases[] = {
      {"keyword", 0, 1, kKeyword},
      {"plain name", 0, 5, kText},
      {"quoted letter", 1, 12, kQuote},
      {"quote itself", 1, 11, kText},
      {"line comment", 1, 17, kComment},
      {"letter quoted in a comment", 1, 23, kComment},
      {"block comment", 2, 5, kComment},
      {"inside the block on the next line", 3, 6, kComment},
      {"keyword after the block", 3, 14, kKeyword},
  };
  for (const Case& c : cases) EXPECT_TRUE(CellHas(c.row, c.column, c.colour)) << c.what;
  EXPECT_FALSE(CellHas(1, 11, kQuote)) << "the quote characters keep the text colour";
}

// A comment opened and closed far above the screen (by another view of the
// text) changes the colour of the lines shown.
TEST_F(PaintTest, ACommentOpenedAboveTheScreenColoursTheLinesShown) {
  constexpr int kLines = 300;
  constexpr int kShownLine = 250;
  constexpr int kOpeningLine = 10;
  constexpr int kClosingLine = 100;
  std::string text;
  for (int n = 1; n <= kLines; ++n) text += "int x;\n";
  Load(text);
  Colour();
  view->GoToLine(kShownLine);
  Pump();
  const int row = kShownLine - view->m_nTopLine;
  ASSERT_GT(view->m_nTopLine, kClosingLine);
  auto edit = [&](int line, const char* bytes) {
    EditPos at{buf->GetLine(line), 0};
    ASSERT_EQ(buf->InsertString(at, bytes, TRUE, TRUE), 0);
    view->Invalidate(FALSE);
  };
  EXPECT_TRUE(CellHas(row, 1, kKeyword));
  edit(kOpeningLine, "/*");
  EXPECT_TRUE(CellHas(row, 1, kComment));
  edit(kClosingLine, "*/");
  EXPECT_TRUE(CellHas(row, 1, kKeyword));
}

TEST_F(PaintTest, SelectionIsInvertedAndOnlyInTheActiveView) {
  Load("abc def\n");
  Click(Cell(0, 0));
  Command(ID_EDIT_SELECT_RIGHT);
  Command(ID_EDIT_SELECT_RIGHT);
  Picture("stream_selection");
  EXPECT_EQ(Pixel(Cell(0, 0).x + 1, 1), RGB(0, 0, 0)) << "an inverted blank cell";
  EXPECT_EQ(Pixel(Cell(0, 5).x + 1, 1), RGB(255, 255, 255));
  // A full repaint shows the same inversion as the incremental one.
  view->RedrawWindow();
  EXPECT_EQ(Pixel(Cell(0, 0).x + 1, 1), RGB(0, 0, 0));
  buf->m_pActiveView = nullptr;  // another view took the focus
  view->RedrawWindow();
  EXPECT_EQ(Pixel(Cell(0, 0).x + 1, 1), RGB(255, 255, 255));
}

// A shift-click inverts from the old caret to the new one, each end at
// its own line's column.
TEST_F(PaintTest, ShiftClickInvertsFromTheOldCaretToTheNewOne) {
  Load("acemno\nacemno\n");  // no ink at a cell's top
  Click(Cell(0, 2));
  Click(Cell(1, 3), MK_SHIFT);
  const struct {
    int row, column;
    COLORREF colour;
  } cells[] = {{0, 1, RGB(255, 255, 255)}, {0, 2, RGB(0, 0, 0)}, {0, 5, RGB(0, 0, 0)},
               {1, 0, RGB(0, 0, 0)},       {1, 2, RGB(0, 0, 0)}, {1, 3, RGB(255, 255, 255)}};
  for (const auto& c : cells) {
    EXPECT_EQ(Pixel(Cell(c.row, c.column).x + 1, c.row * view->m_nLineHeight + 1), c.colour)
        << c.row << ":" << c.column;
  }
}

TEST_F(PaintTest, ColumnSelectionPicture) {
  Load("abcdef\nab\nabcdef\n");
  view->m_nSelMode = SEL_COLUMN;
  Press(Cell(0, 1));
  Move(Cell(2, 4));
  Release(Cell(2, 4));
  Picture("column_selection");
  EXPECT_EQ(Pixel(Cell(1, 3).x + 1, view->m_nLineHeight + 1), RGB(0, 0, 0)) << "past a short line's end";
  EXPECT_EQ(Pixel(Cell(1, 5).x + 1, view->m_nLineHeight + 1), RGB(255, 255, 255));
}

TEST_F(PaintTest, MarginPatternAndBookmark) {
  Load("a\nb\n");
  Command(ID_EDIT_TOGGLE_BOOKMARK);
  Picture("bookmark");
  int mid = view->m_nLineHeight / 2;
  EXPECT_EQ(Pixel(view->m_nMarginWidth / 2, mid), kBookmark);
  // The second row's margin is the checkerboard of two colours.
  int y = view->m_nLineHeight + mid;
  EXPECT_NE(Pixel(4, y), Pixel(5, y));
  EXPECT_EQ(Pixel(4, y), Pixel(5, y + 1));
}

TEST_F(PaintTest, ShownTabsAndRowsPastTheText) {
  Load("\tx\n");
  buf->m_bShowTabs = TRUE;
  view->RedrawWindow();
  Picture("shown_tabs");
  EXPECT_TRUE(CellHas(0, 0, kText));   // the mark in the tab's first cell
  EXPECT_FALSE(CellHas(0, 2, kText));  // blanks after it
  EXPECT_TRUE(CellHas(0, 4, kText));
  view->m_nLeftColumn = 20;  // scrolled past the end of a short line
  view->RedrawWindow();
  for (int column = 1; column < 10; ++column) EXPECT_FALSE(CellHas(0, column, kText)) << column;
}

}  // namespace
}  // namespace view_test
