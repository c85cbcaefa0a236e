#include <gtest/gtest.h>

#include "tests/editor/edit_test_util.h"

using edit_test::At;
using edit_test::Lines;
using edit_test::SetText;
using V = std::vector<std::string>;

namespace {

void Type(EditBuffer& buffer, int line, int offset, const char* text) {
  for (int i = 0; text[i] != '\0'; ++i) {
    ASSERT_EQ(buffer.InsertChar(At(buffer, line, offset + i), text[i], TRUE, TRUE), 0);
  }
}

}  // namespace

TEST(Undo, TypingOnOneLineIsOneStepAndOnTwoLinesTwo) {
  EditBuffer buffer;
  SetText(buffer, "\n\n");
  Type(buffer, 1, 0, "abc");
  EXPECT_EQ(buffer.Undo(), 3);
  EXPECT_EQ(Lines(buffer), (V{"\n", "\n"}));
  EXPECT_EQ(buffer.Undo(), 0);
  EXPECT_EQ(buffer.Redo(), 3);
  EXPECT_EQ(Lines(buffer), (V{"abc\n", "\n"}));
  Type(buffer, 2, 0, "xy");
  ASSERT_TRUE(buffer.Undo());
  EXPECT_EQ(Lines(buffer), (V{"abc\n", "\n"}));
  ASSERT_TRUE(buffer.Undo());
  EXPECT_EQ(Lines(buffer), (V{"\n", "\n"}));
}

TEST(Undo, GroupsUndoTogetherAndTwoGroupsNeverShareAStamp) {
  EditBuffer buffer;
  SetText(buffer, "abc\n");
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(buffer.BeginUndoGroup(), 1);
    EXPECT_NE(buffer.GetUndoGroup(), 0u);
    EditPos at = At(buffer, 1, 0);
    ASSERT_EQ(buffer.InsertString(at, "<", TRUE, TRUE), 0);
    at = At(buffer, 1, 1);
    ASSERT_EQ(buffer.SplitLine(at, TRUE), 0);
    EXPECT_EQ(buffer.EndUndoGroup(), 0);
    EXPECT_EQ(buffer.GetUndoGroup(), 0u);
  }
  EXPECT_NE(buffer.m_pUndoRing[0].group, buffer.m_pUndoRing[2].group);
  EXPECT_EQ(buffer.Undo(), 2);
  EXPECT_EQ(Lines(buffer), (V{"<\n", "abc\n"}));
  EXPECT_EQ(buffer.Undo(), 2);
  EXPECT_EQ(Lines(buffer), V{"abc\n"});
}

TEST(Undo, NestedGroupsShareTheOuterStampAndEndNeverGoesNegative) {
  EditBuffer buffer;
  EXPECT_EQ(buffer.EndUndoGroup(), 0);
  EXPECT_EQ(buffer.BeginUndoGroup(), 1);
  UINT stamp = buffer.GetUndoGroup();
  EXPECT_EQ(buffer.BeginUndoGroup(), 2);
  EXPECT_EQ(buffer.GetUndoGroup(), stamp);
  EXPECT_EQ(buffer.EndUndoGroup(), 1);
  EXPECT_EQ(buffer.GetUndoGroup(), stamp);
  EXPECT_EQ(buffer.EndUndoGroup(), 0);
}

TEST(Undo, AFullRingDropsTheOldestQuarter) {
  EditBuffer buffer;
  SetText(buffer, "\n");
  for (int i = 0; i < kUndoRecords; ++i) {
    EditPos at = At(buffer, 1, 0);
    ASSERT_EQ(buffer.SplitLine(at, TRUE), 0);
  }
  EXPECT_EQ(buffer.m_nUndoCount, kUndoRecords);
  EditPos at = At(buffer, 1, 0);
  ASSERT_EQ(buffer.SplitLine(at, TRUE), 0);
  EXPECT_EQ(buffer.m_nUndoCount, kUndoRecords - kUndoDrop + 1);
  EXPECT_EQ(buffer.m_nUndoPos, buffer.m_nUndoCount);
}

TEST(Undo, AFullRingWithManyStepsUndoneDropsTheRedoTailFirst) {
  EditBuffer buffer;
  SetText(buffer, "\n");
  for (int i = 0; i < kUndoRecords; ++i) {
    EditPos at = At(buffer, 1, 0);
    ASSERT_EQ(buffer.SplitLine(at, TRUE), 0);
  }
  for (int i = 0; i < kUndoRecords - 100; ++i) ASSERT_TRUE(buffer.Undo());
  EditPos at = At(buffer, 1, 0);
  ASSERT_EQ(buffer.InsertString(at, "x", TRUE, TRUE), 0);
  EXPECT_EQ(buffer.m_nUndoCount, 101);
  EXPECT_EQ(buffer.m_nUndoPos, 101);
  EXPECT_EQ(buffer.Undo(), 1);
  EXPECT_EQ(buffer.Undo(), 1);  // the splits before it are still there
  EXPECT_EQ(Lines(buffer).size(), 100u);
}

TEST(Undo, ANewEditDiscardsTheRedoTail) {
  EditBuffer buffer;
  SetText(buffer, "ab\n");
  EditPos at = At(buffer, 1, 2);
  ASSERT_EQ(buffer.SplitLine(at, TRUE), 0);
  ASSERT_TRUE(buffer.Undo());
  ASSERT_EQ(buffer.InsertChar(At(buffer, 1, 0), 'x', TRUE, TRUE), 0);
  EXPECT_EQ(buffer.Redo(), 0);
  EXPECT_EQ(buffer.m_nUndoCount, 1);
}

TEST(Undo, OverwriteAtTheLineEndIsUndoneByDeleting) {
  EditBuffer buffer;
  SetText(buffer, "ab\ncd\n");
  ASSERT_EQ(buffer.InsertChar(At(buffer, 1, 2), 'Z', FALSE, TRUE), 0);
  ASSERT_EQ(buffer.InsertChar(At(buffer, 2, 0), 'Q', FALSE, TRUE), 0);
  EXPECT_EQ(Lines(buffer), (V{"abZ\n", "Qd\n"}));
  ASSERT_TRUE(buffer.Undo());
  ASSERT_TRUE(buffer.Undo());
  EXPECT_EQ(Lines(buffer), (V{"ab\n", "cd\n"}));
  ASSERT_TRUE(buffer.Redo());
  EXPECT_EQ(Lines(buffer), (V{"abZ\n", "cd\n"}));
}

TEST(Undo, AFailingReplayStillMovesThePosition) {
  EditBuffer buffer;
  SetText(buffer, "ab\n");
  ASSERT_EQ(buffer.InsertChar(At(buffer, 1, 0), 'x', TRUE, TRUE), 0);
  buffer.SetReadOnly(TRUE);
  EXPECT_TRUE(buffer.Undo());
  EXPECT_EQ(buffer.m_nUndoPos, 0);
  EXPECT_EQ(Lines(buffer), V{"xab\n"});
}
