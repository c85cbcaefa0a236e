#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "editor/linepool.h"
#include "tests/editor/edit_test_util.h"

using edit_test::Lines;
using edit_test::SetText;

TEST(EditLines, NewBufferHasOneEmptyLineAndTheDefaultLineEnd) {
  EditBuffer buffer;
  ASSERT_NE(buffer.m_pLines, nullptr);
  EXPECT_EQ(buffer.m_pLines->next, nullptr);
  EXPECT_EQ(buffer.m_pLines->length, 0);
  EXPECT_EQ(buffer.m_nLineCount, 1);
  EXPECT_EQ(buffer.m_nLineEndType, LINEEND_LF);
  EXPECT_STREQ(buffer.m_szLineEnd, "\n");
  EXPECT_FALSE(buffer.IsModified());
}

// The blocks of texts (an 8-byte header, then the room) grow in 16-byte steps.
TEST(EditLines, LineTextsGrowInSixteenByteStepsWithSlack) {
  EditBuffer buffer;
  const struct { int request, capacity; } cases[] = {{64, 72}, {1, 24}, {16, 24}, {17, 40}, {100, 120}};
  for (const auto& c : cases) {
    EditLine* line = buffer.CreateLine(c.request);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(TextCapacity(line), c.capacity) << c.request;
    EXPECT_EQ(line->lineNumber, 1);
    for (int i = 0; i < TextCapacity(line); ++i) ASSERT_EQ(line->text[i], 0);
    buffer.FreeLine(line);
  }
  EditLine* empty = buffer.CreateLine(0);
  EXPECT_EQ(empty->text, nullptr);
  EXPECT_TRUE(buffer.ReserveLine(empty, 5));
  EXPECT_GT(TextCapacity(empty), 5);
  buffer.FreeLine(empty);
}

// A line's length holds kMaxLineBytes at most: no text is made or grown
// with room for more, so the length cannot wrap.
TEST(EditLines, TextsAreNeverGivenRoomPastTheLongestLine) {
  const struct {
    int made, reserved;
    bool grows;
  } cases[] = {
      {kMaxLineBytes / 2, kMaxLineBytes, true},         // to the limit exactly
      {kMaxLineBytes - 100, kMaxLineBytes - 50, true},  // growth by half stops at the limit
      {1000, kMaxLineBytes + 1, false},
  };
  EditBuffer buffer;
  for (const auto& c : cases) {
    EditLine* line = buffer.CreateLine(c.made);
    ASSERT_NE(line, nullptr);
    int before = TextCapacity(line);
    EXPECT_EQ(buffer.ReserveLine(line, c.reserved) != FALSE, c.grows) << c.reserved;
    EXPECT_LE(TextCapacity(line), kMaxLineBytes + 1) << c.reserved;
    if (c.grows) {
      EXPECT_GT(TextCapacity(line), c.reserved);
    } else {
      EXPECT_EQ(TextCapacity(line), before);
    }
    buffer.FreeLine(line);
  }
  EXPECT_EQ(buffer.CreateLine(kMaxLineBytes + 1), nullptr);
}

TEST(EditLines, ALineAtTheLongestTakesNoMoreBytes) {
  EditBuffer buffer;
  SetText(buffer, "x\n");
  EditLine* line = buffer.GetLine(1);
  ASSERT_TRUE(buffer.ReserveLine(line, kMaxLineBytes));
  std::memset(line->text, 'a', kMaxLineBytes - 1);
  line->text[kMaxLineBytes - 1] = '\n';
  line->length = kMaxLineBytes;
  EXPECT_EQ(line->length, kMaxLineBytes);
  EXPECT_EQ(buffer.ContentLength(line), kMaxLineBytes - 1);
  EditPos at{line, 0};
  EXPECT_EQ(buffer.InsertChar(at, 'b', TRUE, FALSE), EDIT_NO_MEMORY);
  EXPECT_EQ(buffer.InsertString(at, "bc", TRUE, FALSE), EDIT_NO_MEMORY);
  EXPECT_EQ(line->length, kMaxLineBytes);
  EXPECT_EQ(line->text[0], 'a');
  EXPECT_EQ(line->text[kMaxLineBytes], '\0');
}

TEST(EditLines, GetLineCountsFromTheHeadAndClampsToTheLastLine) {
  EditBuffer buffer;
  SetText(buffer, "one\ntwo\nthree\n");
  EXPECT_STREQ(buffer.GetLine(1)->text, "one\n");
  EXPECT_STREQ(buffer.GetLine(2)->text, "two\n");
  EXPECT_STREQ(buffer.GetLine(0)->text, "three\n");
  EXPECT_STREQ(buffer.GetLine(-3)->text, "three\n");
  EXPECT_STREQ(buffer.GetLine(99)->text, "three\n");
  EXPECT_EQ(buffer.Renumber(buffer.GetLine(2)), 3);
  int index = 0;
  EXPECT_EQ(buffer.GetHead(buffer.GetLine(3), &index), buffer.GetLine(1));
  EXPECT_EQ(index, 3);
}

TEST(EditLines, ColumnsExpandTabsToTheNextStop) {
  EditBuffer buffer;
  buffer.SetTabSize(4);
  SetText(buffer, "a\tbc\t\td\n");
  EditLine* line = buffer.GetLine(1);
  // offset -> column
  const int columns[][2] = {{0, 0}, {1, 1}, {2, 4}, {3, 5}, {4, 6}, {5, 8}, {6, 12}, {7, 13}, {10, 16}};
  for (const auto& c : columns) EXPECT_EQ(buffer.OffsetToColumn(line, c[0]), c[1]) << c[0];
  // column -> offset: the byte whose span covers the column
  const int offsets[][2] = {{0, 0}, {1, 1}, {2, 1},  {3, 1},  {4, 2},
                            {7, 4}, {8, 5}, {11, 5}, {12, 6}, {20, 14}};
  for (const auto& c : offsets) EXPECT_EQ(buffer.ColumnToOffset(line, c[0]), c[1]) << c[0];
  EditLine* bare = buffer.CreateLine(0);
  EXPECT_EQ(buffer.ColumnToOffset(bare, 7), 7);
  EXPECT_EQ(buffer.OffsetToColumn(bare, 7), 7);
  buffer.FreeLine(bare);
}

TEST(EditLines, LineEndTypesSetTheLineEndBytes) {
  EditBuffer buffer;
  const struct {
    int type;
    const char* end;
  } cases[] = {{0, "\r\n"}, {1, "\n\r"}, {2, "\n"}, {3, "\r"}};
  for (const auto& c : cases) {
    buffer.SetLineEndType(c.type);
    EXPECT_STREQ(buffer.m_szLineEnd, c.end);
    EXPECT_EQ(buffer.m_nLineEndLength, (int)strlen(c.end));
  }
  buffer.SetLineEndType(7);
  EXPECT_EQ(buffer.m_nLineEndType, 7);
  EXPECT_STREQ(buffer.m_szLineEnd, "\r");
}

TEST(EditLines, IsBeforeComparesLinesByTheirOrder) {
  EditBuffer buffer;
  SetText(buffer, "a\nb\nc\n");
  EditPos a = edit_test::At(buffer, 1, 1), c = edit_test::At(buffer, 3, 0);
  EXPECT_TRUE(buffer.IsBefore(a, c));
  EXPECT_FALSE(buffer.IsBefore(c, a));
  EXPECT_TRUE(buffer.IsBefore(a, edit_test::At(buffer, 1, 1)));
  EXPECT_FALSE(buffer.IsBefore(a, edit_test::At(buffer, 1, 0)));
}

TEST(EditLines, ExpandTabsKeepsLineEndsAndRestartsColumns) {
  EditBuffer buffer;
  buffer.SetTabSize(4);
  int n = 0;
  char* out = buffer.ExpandTabs("ab\tc\r\n\tx", 8, 2, &n);
  EXPECT_EQ(std::string(out, n), "ab  c\r\n    x");
  std::free(out);
}

TEST(EditLines, BookmarkOfAnEmptyLineMovesToTheLineSplitBelowIt) {
  EditBuffer buffer;
  SetText(buffer, "a\n\nb\n");
  EditLine* empty = buffer.GetLine(2);
  empty->flags |= LINE_BOOKMARK;
  EditPos at{empty, 0};
  ASSERT_EQ(buffer.SplitLine(at, FALSE), 0);
  EXPECT_FALSE(buffer.GetLine(2)->flags & LINE_BOOKMARK);
  EXPECT_TRUE(buffer.GetLine(3)->flags & LINE_BOOKMARK);
  EXPECT_EQ(Lines(buffer), (std::vector<std::string>{"a\n", "\n", "\n", "b\n"}));
}

namespace {
int g_titleMarks = 0;
void CountMark(CDocument*) { ++g_titleMarks; }
}  // namespace

TEST(EditLines, TheDocumentTitleIsMarkedOncePerModification) {
  EditBuffer buffer;
  auto* saved = EditBuffer::s_pfnMarkTitle;
  EditBuffer::s_pfnMarkTitle = CountMark;
  g_titleMarks = 0;
  buffer.SetModified(TRUE);  // no document yet
  EXPECT_EQ(g_titleMarks, 0);
  buffer.SetModified(FALSE);
  buffer.SetDocument(reinterpret_cast<CDocument*>(&buffer));
  buffer.SetModified(TRUE);
  buffer.SetModified(TRUE);
  EXPECT_EQ(g_titleMarks, 1);
  EXPECT_TRUE(buffer.m_bTitleMarked);
  buffer.SetModified(FALSE);
  EXPECT_FALSE(buffer.m_bTitleMarked);
  buffer.SetModified(TRUE);
  EXPECT_EQ(g_titleMarks, 2);
  EditBuffer::s_pfnMarkTitle = saved;
}

// Records and texts fill slabs of their own; closing a big text (some of
// its lines grown by typing, some joined away) hands the slabs back, but
// for the few kept for the next lines.
TEST(EditLines, ClosingABigTextHandsItsSlabsBack) {
  constexpr int kLines = 400000;  // several slabs of records and of texts
  constexpr int kTypeEvery = 7;
  constexpr size_t kSlab = 2u << 20;
  constexpr size_t kKept = 4 * kSlab;  // two being filled, two empty ones kept
  size_t before = editpool::SlabBytes();
  {
    std::string text;
    for (int i = 0; i < kLines; ++i) text += "line " + std::to_string(i) + " of some text\n";
    EditBuffer buffer;
    SetText(buffer, text);
    if (editpool::SlabBytes() == before) GTEST_SKIP() << "blocks come from the heap in this build";
    EditLine* line = buffer.m_pLines;
    for (int n = 1; n < kLines / 2; ++n, line = line->next) {
      if (n % kTypeEvery != 0) continue;
      EditPos at{line, 0};
      ASSERT_EQ(buffer.InsertString(at, "typed ", TRUE, FALSE), 0);
      EditPos join{line, buffer.ContentLength(line)};
      ASSERT_EQ(buffer.JoinLines(join, FALSE), 0);
    }
    EXPECT_GT(editpool::SlabBytes(), before + kKept);
  }
  EXPECT_LE(editpool::SlabBytes(), before + kKept);
}

// The thread holding the pool makes any pool call without waiting on
// itself; another thread's call waits for the hold to end.
TEST(EditLines, APoolHoldServesItsThreadAndKeepsOthersWaiting) {
  constexpr size_t kText = 48;
  constexpr size_t kRecord = 32;
  constexpr auto kWhileHeld = std::chrono::milliseconds(20);
  void* probe = editpool::Alloc(kText, editpool::Stream::kTexts);
  bool pooled = editpool::SlabBytes() > 0;
  editpool::Free(probe, kText);
  if (!pooled) GTEST_SKIP() << "blocks come from the heap in this build";
  std::atomic<bool> otherDone{false};
  std::thread other;
  void* otherBlock = nullptr;
  {
    editpool::Hold hold;
    void* text = editpool::Alloc(kText, editpool::Stream::kTexts);
    ASSERT_NE(text, nullptr);
    std::memset(text, 'x', kText);
    void* record = nullptr;
    void* paired = nullptr;
    ASSERT_TRUE(editpool::AllocPair(kRecord, kText, &record, &paired));
    EXPECT_GT(editpool::SlabBytes(), 0u);
    editpool::Free(text, kText);
    hold.Yield();
    {
      editpool::FreeBatch batch;
      batch.Free(record, kRecord);
      batch.Free(paired, kText);
    }
    other = std::thread([&] {
      otherBlock = editpool::Alloc(kText, editpool::Stream::kTexts);
      otherDone = true;
    });
    std::this_thread::sleep_for(kWhileHeld);
    EXPECT_FALSE(otherDone.load());
  }
  other.join();
  ASSERT_NE(otherBlock, nullptr);
  for (size_t i = 0; i < kText; ++i) ASSERT_EQ(static_cast<char*>(otherBlock)[i], 0);
  editpool::Free(otherBlock, kText);
}
