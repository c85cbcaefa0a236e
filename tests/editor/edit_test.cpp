#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/editor/edit_test_util.h"

using edit_test::At;
using edit_test::Lines;
using edit_test::SetText;
using V = std::vector<std::string>;

class EditPrimitives : public ::testing::Test {
 protected:
  void SetUp() override { buffer.SetTabSize(4); }
  EditBuffer buffer;
};

TEST_F(EditPrimitives, ReadOnlyBufferRefusesEveryChange) {
  SetText(buffer, "abc\ndef\n");
  buffer.SetReadOnly(TRUE);
  EditPos a = At(buffer, 1, 1), b = At(buffer, 2, 1);
  EXPECT_EQ(buffer.InsertChar(a, 'x', TRUE, TRUE), EDIT_READ_ONLY);
  EXPECT_EQ(buffer.DeleteChar(a, TRUE), EDIT_READ_ONLY);
  EXPECT_EQ(buffer.DeleteChars(a, 2, TRUE), EDIT_READ_ONLY);
  EXPECT_EQ(buffer.InsertString(a, "x", TRUE, TRUE), EDIT_READ_ONLY);
  EXPECT_EQ(buffer.InsertText(a, "x\ny", 3, TRUE, nullptr), EDIT_READ_ONLY);
  EXPECT_EQ(buffer.InsertColumnBlock(a, "x", 1, TRUE), EDIT_READ_ONLY);
  EXPECT_EQ(buffer.DeleteRange(a, b, TRUE), EDIT_READ_ONLY);
  EXPECT_EQ(buffer.DeleteColumnBlock(a, b, TRUE), EDIT_READ_ONLY);
  EXPECT_EQ(buffer.SplitLine(a, TRUE), EDIT_READ_ONLY);
  EXPECT_EQ(buffer.JoinLines(a, TRUE), EDIT_READ_ONLY);
  EXPECT_EQ(Lines(buffer), (V{"abc\n", "def\n"}));
  EXPECT_EQ(buffer.m_nUndoCount, 0);
  EXPECT_FALSE(buffer.IsModified());
}

TEST_F(EditPrimitives, TypingBeyondTheLinePadsWithTabsAndSpaces) {
  SetText(buffer, "\n");
  ASSERT_EQ(buffer.InsertChar(At(buffer, 1, 10), 'x', TRUE, TRUE), 0);
  EXPECT_EQ(Lines(buffer), V{"\t\t  x\n"});
  ASSERT_EQ(buffer.m_nUndoCount, 2);
  EXPECT_EQ(buffer.m_pUndoRing[0].type, (UINT)UNDO_INSERT_TEXT);
  EXPECT_STREQ(buffer.m_pUndoRing[0].text, "\t\t  ");
  EXPECT_EQ(buffer.m_pUndoRing[1].type, (UINT)UNDO_INSERT_CHAR);
  EXPECT_TRUE(buffer.IsModified());
  buffer.m_bKeepTabs = FALSE;
  ASSERT_EQ(buffer.InsertChar(At(buffer, 1, 8), 'y', TRUE, FALSE), 0);
  EXPECT_EQ(Lines(buffer), V{"\t\t  x   y\n"});
}

TEST_F(EditPrimitives, InsertAndOverwriteCharacters) {
  SetText(buffer, "abc\nlast");
  ASSERT_EQ(buffer.InsertChar(At(buffer, 1, 1), 'X', TRUE, FALSE), 0);
  ASSERT_EQ(buffer.InsertChar(At(buffer, 1, 2), 'Y', FALSE, FALSE), 0);
  ASSERT_EQ(buffer.InsertChar(At(buffer, 1, 4), 'Z', FALSE, FALSE), 0);  // at the content end
  // Typing into the last line gives it a line end.
  ASSERT_EQ(buffer.InsertChar(At(buffer, 2, 4), '!', TRUE, FALSE), 0);
  EXPECT_EQ(Lines(buffer), (V{"aXYcZ\n", "last!\n"}));
}

TEST_F(EditPrimitives, DeleteCharsStayInsideTheLine) {
  SetText(buffer, "abcdef\nxy\n");
  EXPECT_EQ(buffer.DeleteChar(At(buffer, 1, 6), TRUE), EDIT_JOIN_LINE);
  EXPECT_EQ(buffer.m_nUndoCount, 0);
  ASSERT_EQ(buffer.DeleteChar(At(buffer, 1, 0), FALSE), 0);
  ASSERT_EQ(buffer.DeleteChars(At(buffer, 1, 2), 10, TRUE), 0);
  EXPECT_EQ(Lines(buffer), (V{"bc\n", "xy\n"}));
  ASSERT_EQ(buffer.m_nUndoCount, 1);
  EXPECT_STREQ(buffer.m_pUndoRing[0].text, "def");  // only what was deleted
  EXPECT_EQ(buffer.m_pUndoRing[0].endOffset, 5u);
}

TEST_F(EditPrimitives, InsertStringInsertsOrOverwritesPastTheEnd) {
  SetText(buffer, "abcd\n");
  EditPos at = At(buffer, 1, 2);
  ASSERT_EQ(buffer.InsertString(at, "XYZ", FALSE, TRUE), 0);
  EXPECT_EQ(Lines(buffer), V{"abXYZ\n"});
  at = At(buffer, 1, 0);
  ASSERT_EQ(buffer.InsertString(at, "--", TRUE, FALSE), 0);
  EXPECT_EQ(Lines(buffer), V{"--abXYZ\n"});
  EXPECT_EQ(buffer.m_pUndoRing[0].endOffset, 5u);
}

TEST_F(EditPrimitives, SplitAndJoinLines) {
  SetText(buffer, "hello world\nnext\n");
  EditPos at = At(buffer, 1, 5);
  ASSERT_EQ(buffer.SplitLine(at, TRUE), 0);
  EXPECT_EQ(Lines(buffer), (V{"hello\n", " world\n", "next\n"}));
  EXPECT_EQ(buffer.GetLine(3)->lineNumber, 3);
  at = At(buffer, 2, 20);  // beyond the content: a new empty line
  ASSERT_EQ(buffer.SplitLine(at, FALSE), 0);
  EXPECT_EQ(Lines(buffer), (V{"hello\n", " world\n", "\n", "next\n"}));
  at = At(buffer, 1, 0);
  ASSERT_EQ(buffer.JoinLines(at, TRUE), 0);
  EXPECT_EQ(Lines(buffer), (V{"hello world\n", "\n", "next\n"}));
  at = At(buffer, 3, 0);
  EXPECT_EQ(buffer.JoinLines(at, TRUE), EDIT_END_OF_FILE);
  ASSERT_TRUE(buffer.Undo());
  EXPECT_EQ(Lines(buffer), (V{"hello\n", " world\n", "\n", "next\n"}));
}

TEST_F(EditPrimitives, JoinRefusesLinesTooWideTogether) {
  SetText(buffer, std::string(9000, 'a') + "\n" + std::string(9000, 'b') + "\n");
  EditPos at = At(buffer, 1, 0);
  EXPECT_EQ(buffer.JoinLines(at, TRUE), EDIT_LINE_TOO_LONG);
  EXPECT_EQ(Lines(buffer).size(), 2u);
}

TEST_F(EditPrimitives, InsertTextTakesTheBuffersLineEnds) {
  buffer.SetLineEndType(LINEEND_CRLF);
  SetText(buffer, "start end\r\n");
  EditPos at = At(buffer, 1, 6);
  int length = 0;
  ASSERT_EQ(buffer.InsertText(at, "one\ntwo\nthree ", 14, TRUE, &length), 0);
  EXPECT_EQ(length, 16);
  EXPECT_EQ(Lines(buffer), (V{"start one\r\n", "two\r\n", "three end\r\n"}));
  const UndoRecord& rec = buffer.m_pUndoRing[0];
  EXPECT_EQ(rec.line, 1u);
  EXPECT_EQ(rec.offset, 6u);
  EXPECT_EQ(rec.endLine, 3u);
  EXPECT_EQ(rec.endOffset, 6u);
  ASSERT_TRUE(buffer.Undo());
  EXPECT_EQ(Lines(buffer), V{"start end\r\n"});
}

TEST_F(EditPrimitives, InsertTextOnOneLineRecordsItsOwnSpan) {
  SetText(buffer, "abcdef\n");
  EditPos at = At(buffer, 1, 3);
  ASSERT_EQ(buffer.InsertText(at, "XY", 2, TRUE, nullptr), 0);
  EXPECT_EQ(Lines(buffer), V{"abcXYdef\n"});
  ASSERT_TRUE(buffer.Undo());
  EXPECT_EQ(Lines(buffer), V{"abcdef\n"});
}

TEST_F(EditPrimitives, InsertTextEndingWithALineEnd) {
  SetText(buffer, "ab\n");
  EditPos at = At(buffer, 1, 1);
  ASSERT_EQ(buffer.InsertText(at, "X\nY\n", 4, TRUE, nullptr), 0);
  EXPECT_EQ(Lines(buffer), (V{"aX\n", "Y\n", "b\n"}));
  ASSERT_TRUE(buffer.Undo());
  EXPECT_EQ(Lines(buffer), V{"ab\n"});
}

TEST_F(EditPrimitives, DeleteRangeOverSeveralLines) {
  SetText(buffer, "first line\nmiddle\nlast line\ntail\n");
  EditPos from = At(buffer, 1, 5), to = At(buffer, 3, 4);
  ASSERT_EQ(buffer.DeleteRange(from, to, TRUE), 0);
  EXPECT_EQ(Lines(buffer), (V{"first line\n", "tail\n"}));
  EXPECT_EQ(buffer.GetLine(2)->lineNumber, 2);
  ASSERT_TRUE(buffer.Undo());
  EXPECT_EQ(Lines(buffer), (V{"first line\n", "middle\n", "last line\n", "tail\n"}));
  ASSERT_TRUE(buffer.Redo());
  EXPECT_EQ(Lines(buffer), (V{"first line\n", "tail\n"}));
}

TEST_F(EditPrimitives, DeleteRangeErrorsChangeNothing) {
  SetText(buffer, std::string(9000, 'a') + "\nmid\n" + std::string(9000, 'b') + "\n");
  EditPos a = At(buffer, 1, 2);
  EXPECT_EQ(buffer.DeleteRange(a, a, TRUE), EDIT_NO_SELECTION);
  // Joining what stays would make a line too wide: nothing is lost.
  EditPos from = At(buffer, 1, 8990), to = At(buffer, 3, 1);
  EXPECT_EQ(buffer.DeleteRange(from, to, TRUE), EDIT_LINE_TOO_LONG);
  EXPECT_EQ(Lines(buffer).size(), 3u);
  EXPECT_EQ(Lines(buffer)[1], "mid\n");
  EXPECT_EQ(buffer.m_nUndoCount, 0);
}

TEST_F(EditPrimitives, DeleteRangeWithPositionsReversed) {
  SetText(buffer, "abc\ndef\n");
  EditPos from = At(buffer, 2, 1), to = At(buffer, 1, 2);
  ASSERT_EQ(buffer.DeleteRange(from, to, TRUE), 0);
  EXPECT_EQ(Lines(buffer), V{"abef\n"});
}

TEST_F(EditPrimitives, RangeTextHasCrLfLineEnds) {
  SetText(buffer, "abc\ndef\nghi\n");
  char* text = buffer.GetRangeText(At(buffer, 1, 1), At(buffer, 3, 2));
  EXPECT_STREQ(text, "bc\r\ndef\r\ngh");
  std::free(text);
  text = buffer.GetRangeText(At(buffer, 2, 1), At(buffer, 2, 50));
  EXPECT_STREQ(text, "ef");
  std::free(text);
}

TEST_F(EditPrimitives, ColumnTextPadsShortLinesToTheBlockWidth) {
  SetText(buffer, "abcdef\nab\n\tx\nabcdefgh\n");
  char* text = buffer.GetColumnText(At(buffer, 1, 1), At(buffer, 4, 4));
  EXPECT_STREQ(text, "bcd\r\nb  \r\n   \r\nbcd");
  std::free(text);
}

TEST_F(EditPrimitives, ColumnBlocksInsertAndDeleteAndUndo) {
  SetText(buffer, "1234\nab\nxyz\n");
  EditPos at = At(buffer, 1, 1);
  ASSERT_EQ(buffer.InsertColumnBlock(at, "PQ\r\nRS\r\nTU", 10, TRUE), 0);
  EXPECT_EQ(Lines(buffer), (V{"1PQ234\n", "aRSb\n", "xTUyz\n"}));
  ASSERT_TRUE(buffer.Undo());
  EXPECT_EQ(Lines(buffer), (V{"1234\n", "ab\n", "xyz\n"}));
  EditPos c1 = At(buffer, 1, 1), c2 = At(buffer, 3, 2);
  ASSERT_EQ(buffer.DeleteColumnBlock(c1, c2, TRUE), 0);
  EXPECT_EQ(Lines(buffer), (V{"134\n", "a\n", "xz\n"}));
  ASSERT_TRUE(buffer.Undo());
  EXPECT_EQ(Lines(buffer), (V{"1234\n", "ab\n", "xyz\n"}));
}

TEST_F(EditPrimitives, ColumnBlockBelowTheLastLineAddsLines) {
  SetText(buffer, "ab\n");
  EditPos at = At(buffer, 1, 1);
  ASSERT_EQ(buffer.InsertColumnBlock(at, "X\nY\nZ", 5, FALSE), 0);
  EXPECT_EQ(Lines(buffer), (V{"aXb\n", " Y\n", " Z\n"}));
}
