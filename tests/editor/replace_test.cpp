// Replace All in the engine: what each kind of match turns the text into,
// and the one undo step that gives the text back byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "editor/editresult.h"
#include "editor/textreplace.h"
#include "tests/editor/edit_test_util.h"

using edit_test::SetText;
using edit_test::Text;

namespace {

FindRecord ReplaceRecord(const char* pattern, const char* replacement, UINT flags) {
  FindRecord rec;
  rec.pattern = pattern;
  rec.replacement = replacement;
  rec.flags = flags;
  return rec;
}

ReplaceAllResult ReplaceAll(EditBuffer& buffer, FindRecord rec) {
  return ReplaceEveryMatch(buffer, buffer.m_pLines, rec, kMaxLineColumns);
}

}  // namespace

TEST(ReplaceAll, ReplacesEveryKindOfMatch) {
  const struct {
    const char* name;
    const char* text;
    const char* pattern;
    const char* replacement;
    UINT flags;
    const char* expected;
    int matches;
  } kCases[] = {
      {"several on a line, none on another", "a-b-c\nnone\n-\n", "-", "+", FIND_MATCH_CASE,
       "a+b+c\nnone\n+\n", 3},
      {"an empty replacement deletes", "a-b-c\n", "-", "", FIND_MATCH_CASE, "abc\n", 2},
      {"any case", "Kiwi kIWI kiwi\n", "kiwi", "fig", 0, "fig fig fig\n", 3},
      {"case kept", "Kiwi kIWI kiwi\n", "kiwi", "fig", FIND_MATCH_CASE, "Kiwi kIWI fig\n", 1},
      {"the replacement is never searched again", "aa\n", "a", "aa", FIND_MATCH_CASE, "aaaa\n", 2},
      {"groups of each match", "k1=v1; k2=v2\nk3=v3\n", "(k[0-9])=(v[0-9])", "\\2:\\1",
       FIND_MATCH_CASE | FIND_REGEX, "v1:k1; v2:k2\nv3:k3\n", 3},
      {"empty matches move on", "axxb\n", "x*", "-", FIND_MATCH_CASE | FIND_REGEX, "-a--b-\n", 4},
      {"empty matches with nothing to put", "ab\nc\n", "x*", "", FIND_MATCH_CASE | FIND_REGEX, "ab\nc\n", 5},
      {"anchored only at the line start", "aaa\naa\n", "^a", "b", FIND_MATCH_CASE | FIND_REGEX, "baa\nba\n",
       2},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    EditBuffer buffer;
    buffer.SetLineEndType(LINEEND_LF);
    SetText(buffer, c.text);
    ReplaceAllResult result = ReplaceAll(buffer, ReplaceRecord(c.pattern, c.replacement, c.flags));
    EXPECT_EQ(Text(buffer), c.expected);
    EXPECT_EQ(result.matches, c.matches);
  }
}

TEST(ReplaceAll, OneUndoGivesBackTheTextByteForByteAndRedoTheReplacement) {
  constexpr auto kText = "int kiwi = 1;\r\n\tkiwi++; /* kiwi */\r\nnothing here\r\nlast kiwi";
  EditBuffer buffer;
  buffer.SetLineEndType(LINEEND_CRLF);
  SetText(buffer, kText);
  const std::string before = Text(buffer);
  buffer.MarkSaved();
  ReplaceAllResult result = ReplaceAll(buffer, ReplaceRecord("kiwi", "passionfruit", FIND_MATCH_CASE));
  ASSERT_EQ(result.replaced, 4);
  EXPECT_EQ(result.firstChanged, buffer.m_pLines);
  const std::string after = Text(buffer);
  EXPECT_EQ(
      after,
      "int passionfruit = 1;\r\n\tpassionfruit++; /* passionfruit */\r\nnothing here\r\nlast passionfruit");
  EXPECT_TRUE(buffer.m_bModified);
  EXPECT_FALSE(buffer.IsAtSavedState());
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(buffer.Undo(), 1);
    EXPECT_EQ(Text(buffer), before);
    EXPECT_TRUE(buffer.IsAtSavedState());
    EXPECT_EQ(buffer.Redo(), 1);
    EXPECT_EQ(Text(buffer), after);
  }
}

TEST(ReplaceAll, TheStepBeforeIsUndoneSeparatelyAndAFullRingStillHoldsTheReplacement) {
  constexpr auto kText = "kiwi\nkiwi\n";
  constexpr int kTypedPastTheRing = kUndoRecords + 100;
  EditBuffer buffer;
  buffer.SetLineEndType(LINEEND_LF);
  SetText(buffer, kText);
  buffer.MarkSaved();
  // Each character on its own line is its own step, so the ring overflows.
  for (int i = 0; i < kTypedPastTheRing; ++i) {
    EditPos end{buffer.GetLine(2), 4};
    ASSERT_EQ(buffer.SplitLine(end, TRUE), 0);
    ASSERT_EQ(buffer.InsertChar(edit_test::At(buffer, 3, 0), 'x', TRUE, TRUE), 0);
  }
  const std::string typed = Text(buffer);
  ReplaceAll(buffer, ReplaceRecord("kiwi", "fig", FIND_MATCH_CASE));
  const std::string replaced = Text(buffer);
  EXPECT_EQ(replaced.substr(0, 8), "fig\nfig\n");
  EXPECT_EQ(buffer.Undo(), 1);
  EXPECT_EQ(Text(buffer), typed);
  // The saved text fell out of the ring: no position is it any more.
  EXPECT_FALSE(buffer.IsAtSavedState());
  ASSERT_GT(buffer.Undo(), 0);
  EXPECT_NE(Text(buffer), typed);
  while (buffer.Undo() > 0) {
  }
  EXPECT_FALSE(buffer.IsAtSavedState());
  while (buffer.Redo() > 0) {
  }
  EXPECT_EQ(Text(buffer), replaced);
}

TEST(ReplaceAll, AReplacementThatWouldMakeTheLineTooWideIsSkipped) {
  constexpr int kWide = kMaxLineColumns - 4;
  EditBuffer buffer;
  buffer.SetLineEndType(LINEEND_LF);
  SetText(buffer, "kiwi" + std::string(kWide - 4, ' ') + "\nkiwi\n");
  ReplaceAllResult result = ReplaceAll(buffer, ReplaceRecord("kiwi", "passionfruit", FIND_MATCH_CASE));
  EXPECT_EQ(result.matches, 2);
  EXPECT_EQ(result.replaced, 1);
  EXPECT_EQ(buffer.GetLine(1)->length, kWide + 1);
  EXPECT_EQ(std::string(buffer.GetLine(2)->text), "passionfruit\n");
  EXPECT_EQ(result.firstChanged, buffer.GetLine(2));
  // Tabs count by their columns, not their bytes.
  constexpr int kTabs = kMaxLineColumns / 3 - 1;
  buffer.m_nTabSize = 3;
  SetText(buffer, "kiwi" + std::string(kTabs, '\t') + "\n");
  const int undoPosition = buffer.m_nUndoPos;
  result = ReplaceAll(buffer, ReplaceRecord("kiwi", "passionfruit", FIND_MATCH_CASE));
  EXPECT_EQ(result.replaced, 0);
  EXPECT_EQ(result.firstChanged, nullptr);
  EXPECT_EQ(buffer.m_nUndoPos, undoPosition);  // nothing changed, nothing recorded
}

TEST(ReplaceAll, MatchesFarIntoALineAndLinesFarApartComeBackExactly) {
  constexpr int kFarColumn = 16000;     // two bytes of a packed offset
  constexpr int kLinesBetween = 20000;  // three bytes of a packed line step
  EditBuffer buffer;
  buffer.SetLineEndType(LINEEND_LF);
  std::string text = std::string(kFarColumn, '.') + "kiwi\n";
  for (int i = 0; i < kLinesBetween; ++i) text += "no fruit\n";
  text += "kiwi kiwi\n";
  SetText(buffer, text);
  ReplaceAllResult result = ReplaceAll(buffer, ReplaceRecord("kiwi", "fig", FIND_MATCH_CASE));
  ASSERT_EQ(result.replaced, 3);
  EXPECT_EQ(std::string(buffer.GetLine(kLinesBetween + 2)->text), "fig fig\n");
  const std::string replaced = Text(buffer);
  EXPECT_EQ(buffer.Undo(), 1);
  EXPECT_EQ(Text(buffer), text);
  EXPECT_EQ(buffer.Redo(), 1);
  EXPECT_EQ(Text(buffer), replaced);
}

TEST(ReplaceAll, AReadOnlyTextIsLeftAloneAndKeepsItsHistory) {
  constexpr auto kText = "kiwi\n";
  EditBuffer buffer;
  buffer.SetLineEndType(LINEEND_LF);
  SetText(buffer, kText);
  buffer.SetReadOnly(TRUE);
  EXPECT_EQ(ReplaceAll(buffer, ReplaceRecord("kiwi", "fig", FIND_MATCH_CASE)).matches, 0);
  EXPECT_EQ(Text(buffer), kText);
  buffer.SetReadOnly(FALSE);
  ReplaceAll(buffer, ReplaceRecord("kiwi", "fig", FIND_MATCH_CASE));
  buffer.SetReadOnly(TRUE);
  EXPECT_EQ(buffer.Undo(), 0);
  EXPECT_EQ(Text(buffer), "fig\n");
  buffer.SetReadOnly(FALSE);
  EXPECT_EQ(buffer.Undo(), 1);
  EXPECT_EQ(Text(buffer), kText);
}
