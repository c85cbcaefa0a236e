// The editor windows' arithmetic without a window: cells under a point,
// selected cells of a line, scroll units, painted cells, page breaks,
// header and footer texts and the search history.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "editor/editbuffer.h"
#include "editor/editcore_geometry.h"
#include "editor/findhistory.h"
#include "editor/pagelayout.h"
#include "editor/paintline.h"
#include "tests/editor/edit_test_util.h"

namespace {

constexpr CellGeometry kGeometry{8, 16, 16, 160};  // char, line, margin, bottom

TEST(HitTest, PointsGoToTheNearestCellBoundary) {
  struct Case {
    int x, y;
    HitCell cell;
  };
  const Case cases[] = {
      {16, 0, {0, 0, false}},    // first cell's left edge
      {19, 0, {0, 0, false}},    // left half of cell 0
      {20, 0, {0, 1, false}},    // right half rounds up
      {5, 20, {1, 0, true}},     // the margin counts as column 0
      {16, 165, {9, 0, false}},  // the partly shown last row is not used
      {16, 159, {9, 0, false}},  // the last full row
  };
  for (const Case& c : cases) {
    HitCell cell = HitTestCell(kGeometry, c.x, c.y);
    EXPECT_EQ(cell.row, c.cell.row) << c.x << "," << c.y;
    EXPECT_EQ(cell.screenColumn, c.cell.screenColumn) << c.x << "," << c.y;
    EXPECT_EQ(cell.inMargin, c.cell.inMargin) << c.x << "," << c.y;
  }
}

TEST(ScrollFactor, KeepsTheBarWithinSixteenBits) {
  constexpr int kLines = 200000;
  EXPECT_EQ(VScrollFactor(1), 1);
  EXPECT_EQ(VScrollFactor(65535), 1);
  EXPECT_EQ(VScrollFactor(65536), 2);
  EXPECT_EQ(VScrollFactor(65537), 2);
  EXPECT_EQ(VScrollFactor(kLines), 4);
  EXPECT_EQ((kLines - 1) / VScrollFactor(kLines), 49999);
}

TEST(SelectionSpan, StreamRulesNeverSelectTheLineEnd) {
  struct Case {
    SpanRole role;
    int start, end, lineEnd;
    bool any;
    LineSpan span;
  };
  const Case cases[] = {
      {SpanRole::Start, 3, 0, 10, true, {3, 7}},
      {SpanRole::Start, 12, 0, 10, false, {10, 0}},  // start beyond the text
      {SpanRole::End, 0, 4, 10, true, {0, 4}},
      {SpanRole::End, 0, 20, 10, true, {0, 10}},
      {SpanRole::StartAndEnd, 2, 5, 10, true, {2, 3}},
      {SpanRole::Inside, 0, 0, 10, true, {0, 10}},
      {SpanRole::Inside, 0, 0, 0, false, {0, 0}},  // an empty line shows nothing
      {SpanRole::Outside, 0, 5, 10, false, {0, 0}},
  };
  for (const Case& c : cases) {
    LineSpan span;
    EXPECT_EQ(StreamLineSpan(c.role, c.start, c.end, c.lineEnd, &span), c.any);
    if (c.any) {
      EXPECT_EQ(span.start, c.span.start);
      EXPECT_EQ(span.width, c.span.width);
    }
  }
  LineSpan block;
  EXPECT_TRUE(ColumnLineSpan(9, 4, &block));  // corners in either order
  EXPECT_EQ(block.start, 4);
  EXPECT_EQ(block.width, 5);
}

TEST(SelectionSpan, DragTestTakesTheEndOnlyOnAOneLineSelection) {
  const LineSpan span{2, 3};  // columns 2, 3, 4
  EXPECT_FALSE(ColumnOnSpan(SpanRole::Start, 1, span, SpanEnd::Open));
  EXPECT_TRUE(ColumnOnSpan(SpanRole::Start, 9, span, SpanEnd::Open));
  EXPECT_FALSE(ColumnOnSpan(SpanRole::End, 5, span, SpanEnd::Open));
  EXPECT_TRUE(ColumnOnSpan(SpanRole::StartAndEnd, 5, span, SpanEnd::Open));
  EXPECT_TRUE(ColumnOnSpan(SpanRole::Inside, 99, span, SpanEnd::Open));
}

class PaintLineTest : public ::testing::Test {
 protected:
  EditBuffer buffer;
  PaintLine line;
  void SetUp() override {
    buffer.m_nTabSize = 4;
    std::strcpy(buffer.m_szCommentStart1, "/*");
    std::strcpy(buffer.m_szCommentEnd1, "*/");
    std::strcpy(buffer.m_szCommentStart2, "//");
  }
  std::string Classes(const std::string& text) {
    edit_test::SetText(buffer, text + "\n");
    EditLine* l = buffer.m_pLines;
    line.Expand(l->text, l->length, buffer.m_nTabSize, TabMarks::Hidden, buffer.m_nLineEndLength);
    line.MarkComments(buffer, l);
    line.MarkQuotes();
    std::string out;
    int n = line.VisibleLength(buffer.m_szLineEnd, buffer.m_nLineEndLength);
    for (int i = 0; i < n; ++i) {
      PaintAttr a = line.ClassAt(i);
      out.push_back(a == PAINT_COMMENT ? 'c' : a == PAINT_QUOTE ? 'q' : '.');
    }
    return out;
  }
};

TEST_F(PaintLineTest, ShownTabsGetTheMarkInTheirFirstCell) {
  constexpr char kTabs[] = "\t\t\t\r\n";
  line.Expand(kTabs, 5, 4, TabMarks::Shown, 2);
  EXPECT_EQ(std::string(line.Text(), line.Length()), "\xBB   \xBB   \xBB   \r\n");
  EXPECT_EQ(line.VisibleLength("\r\n", 2), 12);
  line.Expand("ab\tc", 4, 4, TabMarks::Hidden, 2);
  EXPECT_EQ(std::string(line.Text(), line.Length()), "ab  c");
}

TEST_F(PaintLineTest, QuotesAndCommentsGetTheirClasses) {
  struct Case {
    const char* text;
    const char* classes;
  };
  const Case cases[] = {
      {"c = 'x'; // a 'q' here", ".....q...ccccccccccccc"},
      {"s = \"open", "........."},  // no closing partner: nothing marked
      {"a /* b */ c", "..ccccccc.."},
      {"\"a\\\"b\" x", ".qqqq..."},  // a backslash skips the quote after it
  };
  for (const Case& c : cases) EXPECT_EQ(Classes(c.text), c.classes) << c.text;
}

TEST_F(PaintLineTest, ALineInsideABlockCommentStartsAsComment) {
  edit_test::SetText(buffer, "/* open\nstill */ x\n");
  EditLine* second = buffer.m_pLines->next;
  line.Expand(second->text, second->length, 4, TabMarks::Hidden, 2);
  line.MarkComments(buffer, second);
  EXPECT_EQ(line.ClassAt(0), PAINT_COMMENT);
  EXPECT_EQ(line.ClassAt(7), PAINT_COMMENT);  // the closing delimiter
  EXPECT_EQ(line.ClassAt(9), PAINT_PLAIN);
}

TEST(PageBreaks, LinesFillPagesAndWrappedLinesMoveOn) {
  constexpr int kCharsPerRow = 10;
  constexpr int kRowsPerPage = 3;
  auto lines = [](std::vector<int> lengths) {
    std::vector<PrintLine> out;
    for (size_t i = 0; i < lengths.size(); ++i) out.push_back({static_cast<int>(i) + 1, lengths[i]});
    return out;
  };
  // Three short lines fill a page exactly.
  EXPECT_EQ(ComputePageStarts(lines({1, 1, 1, 1}), kCharsPerRow, kRowsPerPage), (std::vector<int>{1, 4}));
  // A two-row line that does not fit on the rest of a page starts the next.
  EXPECT_EQ(ComputePageStarts(lines({1, 1, 15, 1}), kCharsPerRow, kRowsPerPage), (std::vector<int>{1, 3}));
  // A line taller than a page ends the walk instead of looping.
  EXPECT_EQ(ComputePageStarts(lines({1, 50, 1}), kCharsPerRow, kRowsPerPage), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(ComputePageStarts(lines({50}), kCharsPerRow, kRowsPerPage), (std::vector<int>{1}));
  // A font without usable metrics gives one page.
  EXPECT_EQ(ComputePageStarts(lines({1, 1, 1, 1}), 0, 0), (std::vector<int>{1}));
}

TEST(PageTexts, CodesAreReplacedOnceThenTimeCodesExpand) {
  constexpr std::time_t kWhen = 86400 * 365;
  EXPECT_EQ(std::string(FormatPageText("Page: &p", "a.c", 3, kWhen)), "Page: 3");
  EXPECT_EQ(std::string(FormatPageText("&p of &p", "a.c", 2, kWhen)), "2 of &p");
  EXPECT_EQ(std::string(FormatPageText("&f", "/src/a.c", 1, kWhen)), "/src/a.c");
  EXPECT_EQ(std::string(FormatPageText("%Y", "a.c", 1, kWhen)), "1971");
  EXPECT_TRUE(FormatPageText("", "a.c", 1, kWhen).IsEmpty());
}

TEST(FindHistory, NewestFirstWithoutRepeats) {
  std::vector<CString> history;
  for (const char* t : {"a", "b", "c", "d"}) AddToHistory(history, t, HistoryKind::Find);
  // d c b a: searching for the fourth entry again moves it to the top.
  AddToHistory(history, "a", HistoryKind::Find);
  EXPECT_EQ(history, (std::vector<CString>{"a", "d", "c", "b"}));
  AddToHistory(history, "a", HistoryKind::Find);
  EXPECT_EQ(history.size(), 4u);
  AddToHistory(history, "", HistoryKind::Find);
  EXPECT_EQ(history.size(), 4u);
  for (int i = 0; i < 20; ++i) AddToHistory(history, CString(std::to_string(i).c_str()), HistoryKind::Find);
  EXPECT_EQ(history.size(), static_cast<size_t>(kHistorySize));

  std::vector<CString> replacements;
  AddToHistory(replacements, "", HistoryKind::Replace);
  EXPECT_EQ(replacements, (std::vector<CString>{kEmptyReplacement}));
}

TEST(FindHistory, SurvivesTheProfile) {
  std::vector<CString> history{"x", "y"};
  SaveHistory(history, HistoryKind::Replace);
  EXPECT_EQ(LoadHistory(HistoryKind::Replace), history);
}

}  // namespace
