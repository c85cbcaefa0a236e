// Walks over the disassembly text that must stay bounded: the search over
// numbered lines, the region of lines worth reading, the view's bookmarks
// and what printing covers.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "disasm/disass_bookmarks.h"
#include "disasm/disass_print.h"
#include "disasm/disass_region.h"
#include "disasm/disass_search.h"
#include "disasm/listing_line.h"
#include "disasm/mem_addr_list.h"
#include "debugger/segoff.h"
#include "tests/disasm/fake_session.h"

namespace {

// Lines by number from a table; blank past its end. Counts the lines read.
class FakeLines : public DisassTextLines {
 public:
  explicit FakeLines(std::vector<std::string> lines) : m_lines(std::move(lines)) {}
  std::string LineText(int line) override {
    ++reads;
    return line >= 1 && line <= int(m_lines.size()) ? m_lines[line - 1] : std::string();
  }
  int reads = 0;

 private:
  std::vector<std::string> m_lines;
};

const std::vector<std::string> kListing = {
    "00001000: mov  ax,1234",  // 1
    "00001003: int  21",       // 2
    "main.c 12: x = 1;",       // 3
    "00001005: MOV  bx,ax",    // 4
    "00001007: nop",           // 5
};

FindRecord Request(const char* pattern, UINT flags) {
  FindRecord r;
  r.pattern = pattern;
  r.flags = flags;
  return r;
}

TEST(DisassSearch, FindsByTheRequestsFlags) {
  constexpr DisassPos kTop{1, 0};
  constexpr DisassPos kBottom{5, 100};
  const struct {
    const char* pattern;
    UINT flags;
    DisassPos start, end;
    bool found;
    DisassPos at;
    int length;
  } cases[] = {
      // Case folded: MOV finds mov on line 1.
      {"MOV", FIND_FORWARD, kTop, kBottom, true, {1, 10}, 3},
      // With case only the upper-case line.
      {"MOV", FIND_FORWARD | FIND_MATCH_CASE, kTop, kBottom, true, {4, 10}, 3},
      // Forward from after the first match.
      {"mov", FIND_FORWARD, {1, 11}, kBottom, true, {4, 10}, 3},
      // Backward from line 5 finds the nearer one.
      {"mov", 0, {5, 0}, kTop, true, {4, 10}, 3},
      // Backward on the start line: a match that ends at the start offset counts...
      {"int", 0, {2, 13}, kTop, true, {2, 10}, 3},
      // ... one that begins after it does not.
      {"21", 0, {2, 14}, {2, 0}, false, {}, 0},
      // Regular expressions; backward gives the last match of a line.
      {"b[xy]", FIND_FORWARD | FIND_REGEX, kTop, kBottom, true, {4, 15}, 2},
      {"[ab]x", FIND_REGEX, {4, 100}, {4, 0}, true, {4, 18}, 2},
      // The end position bounds a forward search.
      {"nop", FIND_FORWARD, kTop, {4, 0}, false, {}, 0},
      // A pattern that does not compile finds nothing.
      {"mov[", FIND_FORWARD | FIND_REGEX, kTop, kBottom, false, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    FakeLines lines(kListing);
    FindRecord rec = Request(c.pattern, c.flags);
    DisassPos pos = c.start;
    ASSERT_EQ(DisassSearchText(lines, pos, c.end, &rec) != FALSE, c.found);
    if (!c.found) continue;
    EXPECT_EQ(pos.line, c.at.line);
    EXPECT_EQ(pos.offset, c.at.offset);
    EXPECT_EQ(rec.matchLength, c.length);
  }
}

TEST(DisassSearch, AMissReadsNoLineBeyondTheEnd) {
  FakeLines lines(kListing);
  FindRecord rec = Request("absent", FIND_FORWARD);
  DisassPos pos{1, 0};
  constexpr int kEndLine = 3;
  EXPECT_FALSE(DisassSearchText(lines, pos, {kEndLine, 0}, &rec));
  EXPECT_EQ(lines.reads, kEndLine);
  // Backward the end is the lower limit.
  lines.reads = 0;
  rec.flags = 0;
  pos = {5, 0};
  EXPECT_FALSE(DisassSearchText(lines, pos, {kEndLine, 0}, &rec));
  EXPECT_EQ(lines.reads, 3);
}

// The line source over a board's memory of NOPs at a code address.
class DisassRegion : public ::testing::Test {
 protected:
  static constexpr DWORD kCodeBase = 0x20000;
  void SetUp() override {
    disass = std::make_unique<CDisassx86>(&target);
    g_pDisass = disass.get();
  }
  void TearDown() override { g_pDisass = nullptr; }
  int ListAround(DWORD address, int lines) {
    CAddr at;
    LinearToSegOff(at, address);
    int first = list.LineFromAddress(&at);
    for (int n = first; n < first + lines; ++n) {
      DisassLine record;
      list.GetLine(n, record);
      delete[] record.text;
    }
    return first;
  }
  disasm_test::FakeTarget target{kCodeBase, std::vector<BYTE>(0x1000, 0x90)};
  std::unique_ptr<CDisassx86> disass;
  CMemAddrList list;
};

TEST_F(DisassRegion, CoversListedLinesAndTheAnchorWidenedByTheWindow) {
  constexpr int kShown = 30;
  constexpr int kWindow = 100;
  int first = ListAround(kCodeBase, kShown);
  int listedFirst = 0, listedLast = 0;
  ASSERT_TRUE(list.GetListedLines(&listedFirst, &listedLast));
  DisassLineRange r = DisassBoundedRange(&list, first, kWindow);
  EXPECT_EQ(r.first, listedFirst - kWindow);
  EXPECT_EQ(r.last, listedLast + kWindow);
  // An anchor far below stretches it; the line count bounds it.
  r = DisassBoundedRange(&list, CMemAddrList::kLineCount, kWindow);
  EXPECT_EQ(r.first, listedFirst - kWindow);
  EXPECT_EQ(r.last, CMemAddrList::kLineCount);
  // Line 1 bounds it above.
  r = DisassBoundedRange(&list, 1, kWindow);
  EXPECT_EQ(r.first, 1);
  // Nothing without a line source.
  r = DisassBoundedRange(nullptr, 1, kWindow);
  EXPECT_LT(r.last, r.first);
}

TEST_F(DisassRegion, NothingListedGivesTheWindowAroundTheAnchor) {
  constexpr int kAnchor = 5000;
  constexpr int kWindow = 10;
  DisassLineRange r = DisassBoundedRange(&list, kAnchor, kWindow);
  EXPECT_EQ(r.first, kAnchor - kWindow);
  EXPECT_EQ(r.last, kAnchor + kWindow);
}

TEST_F(DisassRegion, SearchOverTheLineSourceFindsAnInstruction) {
  int first = ListAround(kCodeBase, 5);
  g_pMemAddrList = &list;
  MemAddrTextLines lines;
  FindRecord rec = Request("NOP", FIND_FORWARD);
  DisassPos pos{first, 0};
  BOOL found = DisassSearchText(lines, pos, {first + 4, 0}, &rec);
  g_pMemAddrList = nullptr;
  ASSERT_TRUE(found);
  EXPECT_EQ(pos.line, first);
  EXPECT_EQ(pos.offset, kDisassTextColumn);
}

TEST_F(DisassRegion, PrintingAllCoversTheRegionNotTheAddressSpace) {
  int first = ListAround(kCodeBase, 20);
  DisassLineRange r = DisassPrintRange(&list, DisassPrintScope::kAll, {}, first);
  EXPECT_LE(r.first, first - kDisassRegionWindow);
  EXPECT_LT(r.last - r.first, CMemAddrList::kLineCount / 100);
}

TEST_F(DisassRegion, PrintingTheSelectionStopsBeforeAnEndAtColumnZero) {
  constexpr int kStart = 100, kEnd = 110;
  DisassLineRange r = DisassPrintRange(&list, DisassPrintScope::kSelection, {kStart, kEnd, 0}, 1);
  EXPECT_EQ(r.first, kStart);
  EXPECT_EQ(r.last, kEnd - 1);
  r = DisassPrintRange(&list, DisassPrintScope::kSelection, {kEnd, kStart, 4}, 1);
  EXPECT_EQ(r.first, kStart);
  EXPECT_EQ(r.last, kEnd);
}

TEST_F(DisassRegion, PagesBeginOnlyInsideTheTargetsMemory) {
  // The last lines of the line source lie past the 1 MB address space.
  constexpr int kLast = CMemAddrList::kLineCount;
  constexpr int kRows = 4;
  constexpr int kCharsPerRow = 80;
  DisassLineRange r{kLast - 9, kLast};
  std::vector<PrintLine> lines = DisassPrintLines(&list, r);
  ASSERT_EQ(int(lines.size()), 10);
  std::vector<int> starts = ComputePageStarts(lines, kCharsPerRow, kRows);
  ASSERT_FALSE(starts.empty());
  for (size_t i = 1; i < starts.size(); ++i) EXPECT_TRUE(list.IsLineInMemory(starts[i])) << starts[i];
  for (const PrintLine& l : lines)
    EXPECT_EQ(l.mayStartPage, list.IsLineInMemory(l.number) != FALSE) << l.number;
}

TEST(DisassPagination, ALineThatMayNotStartAPageRunsOnTheOneBefore) {
  constexpr int kRows = 2;
  constexpr int kCharsPerRow = 10;
  constexpr int kTall = 35;  // four rows: taller than a page
  const struct {
    std::vector<PrintLine> lines;
    std::vector<int> starts;
  } cases[] = {
      {{{1, 1}, {2, 1}, {3, 1}, {4, 1}}, {1, 3}},
      {{{1, 1}, {2, 1}, {3, 1, false}, {4, 1}}, {1, 4}},
      {{{1, 1}, {2, kTall}, {3, 1}}, {1, 2, 3}},
      {{{1, 1}, {2, kTall, false}, {3, 1, false}}, {1}},
  };
  for (const auto& c : cases) EXPECT_EQ(ComputePageStarts(c.lines, kCharsPerRow, kRows), c.starts);
}

TEST(DisassBookmarkSet, NextAndPreviousEndAndWrap) {
  DisassBookmarks marks;
  constexpr int kA = 10, kB = 500000;
  EXPECT_EQ(marks.Next(1, BookmarkWrap::kYes), 0);
  EXPECT_TRUE(marks.Toggle(kA));
  EXPECT_TRUE(marks.Toggle(kB));
  EXPECT_EQ(marks.Count(), 2);
  EXPECT_EQ(marks.Next(kA, BookmarkWrap::kYes), kB);
  EXPECT_EQ(marks.Next(kB, BookmarkWrap::kYes), kA);
  EXPECT_EQ(marks.Next(kB, BookmarkWrap::kNo), 0);
  EXPECT_EQ(marks.Previous(kB, BookmarkWrap::kYes), kA);
  EXPECT_EQ(marks.Previous(kA, BookmarkWrap::kYes), kB);
  EXPECT_EQ(marks.Previous(kA, BookmarkWrap::kNo), 0);
  EXPECT_TRUE(marks.Toggle(kA));
  EXPECT_FALSE(marks.IsSet(kA));
  marks.Clear();
  EXPECT_EQ(marks.Count(), 0);
}

TEST(DisassBookmarkSet, IsBounded) {
  DisassBookmarks marks;
  for (int n = 1; n <= DisassBookmarks::kMaxBookmarks; ++n) ASSERT_TRUE(marks.Set(n, TRUE));
  EXPECT_FALSE(marks.Set(DisassBookmarks::kMaxBookmarks + 1, TRUE));
  EXPECT_TRUE(marks.Set(1, TRUE));
  EXPECT_EQ(marks.Count(), DisassBookmarks::kMaxBookmarks);
}

}  // namespace
