// The disassembly undo store: capacity, redo history, groups and runs of
// single-character records.
#include <gtest/gtest.h>

#include <memory>

#include "disasm/disass_edit.h"

namespace {

DisassUndoRecord Rec(int kind, int line, int offset = 0) {
  DisassUndoRecord r;
  r.kind = kind;
  r.startLine = line;
  r.startOffset = offset;
  r.endLine = line;
  r.endOffset = offset;
  r.chars = 'x';
  return r;
}

class Undo : public ::testing::Test {
 protected:
  std::unique_ptr<DisassEdit> model = std::make_unique<DisassEdit>();
  DisassUndo& undo = model->Undo();
};

TEST_F(Undo, FullArrayDropsTheOldestQuarter) {
  for (int i = 1; i <= 2049; ++i) ASSERT_TRUE(undo.AddUndoRecord(Rec(5, i), nullptr));
  EXPECT_EQ(undo.Position(), 1537);
  EXPECT_EQ(undo.Count(), 1537);
  EXPECT_EQ(undo.Record(0).startLine, 513);
  EXPECT_EQ(undo.Record(1536).startLine, 2049);
}

TEST_F(Undo, RecordTexts) {
  DisassUndoRecord r = Rec(3, 4, 2);
  undo.AddUndoRecord(r, "abc");
  EXPECT_EQ(undo.Record(0).text, nullptr);  // end equals start
  r.endOffset = 5;
  undo.AddUndoRecord(r, "abc");
  EXPECT_STREQ(undo.Record(1).text, "abc");
  DisassUndoRecord back = Rec(4, 9, 1);
  back.endLine = 7;
  back.endOffset = 3;
  undo.AddUndoRecord(back, "t");
  EXPECT_EQ(undo.Record(2).startLine, 7);
  EXPECT_EQ(undo.Record(2).startOffset, 3);
  EXPECT_EQ(undo.Record(2).endLine, 9);
  EXPECT_EQ(undo.Record(2).endOffset, 1);
}

TEST_F(Undo, NewRecordDiscardsRedo) {
  for (int i = 1; i <= 3; ++i) undo.AddUndoRecord(Rec(5, i), nullptr);
  EXPECT_TRUE(undo.UndoStep());
  EXPECT_EQ(undo.Position(), 2);
  EXPECT_EQ(undo.Count(), 3);
  undo.AddUndoRecord(Rec(5, 9), nullptr);
  EXPECT_EQ(undo.Count(), 3);
  EXPECT_FALSE(undo.RedoStep());
  EXPECT_TRUE(undo.UndoStep());
  EXPECT_TRUE(undo.RedoStep());
  EXPECT_EQ(undo.Position(), 3);
}

TEST_F(Undo, GroupUndoesTogether) {
  undo.AddUndoRecord(Rec(5, 1), nullptr);
  undo.UndoGroup(TRUE);
  undo.UndoGroup(TRUE);  // nested: one stamp
  undo.AddUndoRecord(Rec(5, 2), nullptr);
  undo.UndoGroup(FALSE);
  undo.AddUndoRecord(Rec(5, 3), nullptr);
  EXPECT_NE(undo.GetUndoGroupStamp(), 0u);
  undo.UndoGroup(FALSE);
  EXPECT_EQ(undo.GetUndoGroupStamp(), 0u);
  // A second group right away gets a stamp of its own.
  undo.UndoGroup(TRUE);
  undo.AddUndoRecord(Rec(5, 4), nullptr);
  undo.UndoGroup(FALSE);
  EXPECT_NE(undo.Record(3).stamp, undo.Record(2).stamp);

  EXPECT_TRUE(undo.UndoStep());
  EXPECT_EQ(undo.Position(), 3);
  EXPECT_TRUE(undo.UndoStep());
  EXPECT_EQ(undo.Position(), 1);
  EXPECT_TRUE(undo.RedoStep());
  EXPECT_EQ(undo.Position(), 3);
}

TEST_F(Undo, SingleCharacterRunsOnOneLine) {
  const struct {
    int kinds[3];
    int lines[3];
    int positionAfterOneUndo;
  } cases[] = {
      {{2, 2, 2}, {5, 5, 5}, 0}, {{2, 2, 2}, {5, 6, 6}, 1}, {{1, 2, 2}, {5, 5, 5}, 1},
      {{8, 8, 3}, {5, 5, 5}, 2}, {{5, 5, 5}, {5, 5, 5}, 2},
  };
  for (const auto& c : cases) {
    undo.ClearUndo();
    for (int i = 0; i < 3; ++i) undo.AddUndoRecord(Rec(c.kinds[i], c.lines[i]), "x");
    undo.UndoStep();
    EXPECT_EQ(undo.Position(), c.positionAfterOneUndo) << c.kinds[0] << c.lines[1];
  }
}

// A full array of one run: undo and redo stop at its ends.
TEST_F(Undo, RedoOfAFullArrayStaysInside) {
  for (int i = 0; i < DisassUndo::kCapacity; ++i) undo.AddUndoRecord(Rec(2, 1, i), nullptr);
  EXPECT_TRUE(undo.UndoStep());
  EXPECT_EQ(undo.Position(), 0);
  EXPECT_TRUE(undo.RedoStep());
  EXPECT_EQ(undo.Position(), DisassUndo::kCapacity);
  EXPECT_FALSE(undo.RedoStep());
}

// Adding to a full array after many undos keeps the records that remain.
TEST_F(Undo, AddAfterUndoOnAFullArray) {
  for (int i = 1; i <= DisassUndo::kCapacity; ++i) undo.AddUndoRecord(Rec(5, i), nullptr);
  for (int i = 0; i < 1800; ++i) undo.UndoStep();
  EXPECT_TRUE(undo.AddUndoRecord(Rec(5, 9999), nullptr));
  EXPECT_EQ(undo.Position(), 249);
  EXPECT_EQ(undo.Count(), 249);
  EXPECT_EQ(undo.Record(0).startLine, 1);
  EXPECT_EQ(undo.Record(248).startLine, 9999);
}

TEST_F(Undo, ClearEmptiesEverything) {
  undo.AddUndoRecord(Rec(4, 1), "abc");
  undo.ClearUndo();
  EXPECT_EQ(undo.Position(), 0);
  EXPECT_EQ(undo.Count(), 0);
  EXPECT_EQ(undo.Record(0).kind, 0);
  EXPECT_FALSE(undo.UndoStep());
  EXPECT_FALSE(undo.RedoStep());
}

}  // namespace
