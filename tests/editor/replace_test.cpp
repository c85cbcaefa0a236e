// Replace All in the engine: what each kind of match turns the text into,
// and the undo steps that give the text back one replacement at a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

struct ReplaceTestMatch {
  int line;
  int offset;
  int length;
  std::string replacement;
};

// Every match of `rec` in the text as it is, searched the way Replace All
// searches, with what it is replaced by.
std::vector<ReplaceTestMatch> ReplaceTestMatches(EditBuffer& buffer, FindRecord rec) {
  std::vector<ReplaceTestMatch> found;
  rec.flags |= FIND_FORWARD;
  EditPos pos{buffer.m_pLines, 0};
  EditPos limit;
  while (pos.line != nullptr && FindText(pos, limit, &rec)) {
    const CString& with = (rec.flags & FIND_REGEX) ? rec.substituted : rec.replacement;
    found.push_back({pos.line->lineNumber, pos.offset, rec.matchLength, std::string(with, with.GetLength())});
    pos.offset += rec.matchLength + (rec.matchLength == 0 ? 1 : 0);
    if (pos.offset > buffer.ContentLength(pos.line)) pos = {pos.line->next, 0};
  }
  return found;
}

// Makes the replacements one by one in `buffer`, each as a recorded delete
// and insert in one undo group; returns the text before them and after
// each one.
std::vector<std::string> ReplaceTestOneByOne(EditBuffer& buffer,
                                             const std::vector<ReplaceTestMatch>& matches) {
  std::vector<std::string> texts{Text(buffer)};
  int line = 0;
  int shift = 0;  // what the replacements before on the line moved it by
  for (const ReplaceTestMatch& m : matches) {
    if (m.line != line) {
      line = m.line;
      shift = 0;
    }
    if (m.length == 0 && m.replacement.empty()) continue;
    buffer.BeginUndoGroup();
    EditPos at = edit_test::At(buffer, m.line, m.offset + shift);
    EditPos end = edit_test::At(buffer, m.line, m.offset + shift + m.length);
    if (m.length > 0) EXPECT_EQ(buffer.DeleteRange(at, end, TRUE), 0);
    EXPECT_EQ(buffer.InsertString(at, m.replacement.c_str(), TRUE, TRUE), 0);
    buffer.EndUndoGroup();
    shift += static_cast<int>(m.replacement.size()) - m.length;
    texts.push_back(Text(buffer));
  }
  return texts;
}

void ExpectSamePlace(const EditBuffer& buffer, const EditBuffer& reference) {
  EXPECT_EQ(buffer.LastUndoPlace().line, reference.LastUndoPlace().line);
  EXPECT_EQ(buffer.LastUndoPlace().offset, reference.LastUndoPlace().offset);
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

TEST(ReplaceAll, EachUndoGivesBackTheLastReplacementAndEachRedoTheNext) {
  const std::string kLongRun(200, '-');  // longer than one byte of a packed length
  const struct {
    const char* name;
    std::string text;
    int lineEnd;
    const char* pattern;
    const char* replacement;
    UINT flags;
    const char* replaced;
  } kCases[] = {
      {"several on a line", "a-b-c-d\n", LINEEND_LF, "-", "+", FIND_MATCH_CASE, "a+b+c+d\n"},
      {"on several lines, none on one", "x-y\nnone\n-\nz--\n", LINEEND_LF, "-", "", FIND_MATCH_CASE,
       "xy\nnone\n\nz\n"},
      {"a longer replacement", "int kiwi = 1;\r\n\tkiwi++; /* kiwi */\r\nlast kiwi\r\n", LINEEND_CRLF, "kiwi",
       "passionfruit", FIND_MATCH_CASE,
       "int passionfruit = 1;\r\n\tpassionfruit++; /* passionfruit */\r\nlast passionfruit\r\n"},
      {"a shorter replacement", "kiwi kiwi\nkiwi\n", LINEEND_LF, "kiwi", "f", FIND_MATCH_CASE, "f f\nf\n"},
      {"groups of each match", "k1=v1; k2=v2\nk3=v3\n", LINEEND_LF, "(k[0-9])=(v[0-9])", "\\2:\\1",
       FIND_MATCH_CASE | FIND_REGEX, "v1:k1; v2:k2\nv3:k3\n"},
      {"a long match, then a short one", "a" + kLongRun + "b-c\n", LINEEND_LF, "-+", "=",
       FIND_MATCH_CASE | FIND_REGEX, "a=b=c\n"},
      {"empty matches", "axxb\n", LINEEND_LF, "x*", "-", FIND_MATCH_CASE | FIND_REGEX, "-a--b-\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const FindRecord rec = ReplaceRecord(c.pattern, c.replacement, c.flags);
    EditBuffer buffer;
    EditBuffer reference;
    for (EditBuffer* b : {&buffer, &reference}) {
      b->SetLineEndType(c.lineEnd);
      SetText(*b, c.text);
      b->MarkSaved();
    }
    const std::vector<std::string> texts = ReplaceTestOneByOne(reference, ReplaceTestMatches(buffer, rec));
    const int steps = static_cast<int>(texts.size()) - 1;
    ASSERT_EQ(texts.back(), c.replaced);
    ReplaceAll(buffer, rec);
    ASSERT_EQ(Text(buffer), c.replaced);
    EXPECT_FALSE(buffer.IsAtSavedState());
    for (int left = steps; left > 0; --left) {
      SCOPED_TRACE("undo leaving " + std::to_string(left - 1));
      ASSERT_EQ(buffer.Undo(), 1);
      reference.Undo();
      EXPECT_EQ(Text(buffer), texts[left - 1]);
      ExpectSamePlace(buffer, reference);
      EXPECT_EQ(buffer.IsAtSavedState(), left == 1);
      EXPECT_TRUE(buffer.CanRedo());
    }
    EXPECT_FALSE(buffer.CanUndo());
    EXPECT_EQ(buffer.Undo(), 0);
    for (int done = 1; done <= steps; ++done) {
      SCOPED_TRACE("redo making " + std::to_string(done));
      ASSERT_EQ(buffer.Redo(), 1);
      reference.Redo();
      EXPECT_EQ(Text(buffer), texts[done]);
      ExpectSamePlace(buffer, reference);
      EXPECT_FALSE(buffer.IsAtSavedState());
    }
    EXPECT_FALSE(buffer.CanRedo());
    EXPECT_EQ(buffer.Redo(), 0);
  }
}

TEST(ReplaceAll, AnEditAfterSomeUndoneReplacementsDropsThemAndKeepsTheRest) {
  constexpr auto kText = "kiwi kiwi\nkiwi\n";
  constexpr auto kTwoReplaced = "fig fig\nkiwi\n";
  constexpr auto kOneReplaced = "fig kiwi\nkiwi\n";
  constexpr auto kTyped = "fig fig\nkiwi!\n";
  EditBuffer buffer;
  buffer.SetLineEndType(LINEEND_LF);
  SetText(buffer, kText);
  ReplaceAll(buffer, ReplaceRecord("kiwi", "fig", FIND_MATCH_CASE));
  ASSERT_EQ(buffer.Undo(), 1);
  ASSERT_EQ(Text(buffer), kTwoReplaced);
  ASSERT_EQ(buffer.InsertChar(edit_test::At(buffer, 2, 4), '!', TRUE, TRUE), 0);
  EXPECT_EQ(Text(buffer), kTyped);
  EXPECT_FALSE(buffer.CanRedo());
  for (const char* after : {kTwoReplaced, kOneReplaced, kText}) {
    ASSERT_EQ(buffer.Undo(), 1);
    EXPECT_EQ(Text(buffer), after);
  }
  EXPECT_EQ(buffer.Undo(), 0);
  while (buffer.Redo() > 0) {
  }
  EXPECT_EQ(Text(buffer), kTyped);
}

TEST(ReplaceAll, TheSavedMarkHoldsAtItsReplacementUntilAnEditDropsIt) {
  constexpr auto kText = "a-b-c-d\n";
  constexpr int kSavedAt = 2;  // replacements applied when saved
  EditBuffer buffer;
  buffer.SetLineEndType(LINEEND_LF);
  SetText(buffer, kText);
  ReplaceAll(buffer, ReplaceRecord("-", "+", FIND_MATCH_CASE));
  ASSERT_EQ(buffer.Undo(), 1);
  buffer.MarkSaved();
  const std::string saved = Text(buffer);
  ASSERT_EQ(saved, "a+b+c-d\n");
  int applied = kSavedAt;
  auto step = [&](int by) {
    ASSERT_EQ(by < 0 ? buffer.Undo() : buffer.Redo(), 1);
    applied += by;
    EXPECT_EQ(buffer.IsAtSavedState(), applied == kSavedAt) << applied;
  };
  for (int by : {-1, -1, 1, 1, 1, -1}) step(by);
  EXPECT_EQ(Text(buffer), saved);
  // An edit below the saved step drops the replacements the saved text had.
  step(-1);
  ASSERT_EQ(buffer.InsertChar(edit_test::At(buffer, 1, 0), '!', TRUE, TRUE), 0);
  while (buffer.Undo() > 0) EXPECT_FALSE(buffer.IsAtSavedState());
  while (buffer.Redo() > 0) EXPECT_FALSE(buffer.IsAtSavedState());
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
  EXPECT_EQ(Text(buffer).substr(0, 9), "fig\nkiwi\n");
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
  for (int i = 0; i < result.replaced; ++i) EXPECT_EQ(buffer.Undo(), 1);
  EXPECT_EQ(Text(buffer), text);
  for (int i = 0; i < result.replaced; ++i) EXPECT_EQ(buffer.Redo(), 1);
  EXPECT_EQ(Text(buffer), replaced);
}

// A record of megabytes, its pages made ready ahead of its fill while it
// grows, keeps every replacement's bytes.
TEST(ReplaceAll, AReplacementRecordOfMegabytesComesBackExactly) {
  constexpr int kLines = 1000;
  constexpr int kWordsPerLine = 200;  // 200,000 replacements, some megabytes kept
  EditBuffer buffer;
  buffer.SetLineEndType(LINEEND_LF);
  std::string text;
  std::string expected;
  for (int i = 0; i < kLines; ++i) {
    for (int w = 0; w < kWordsPerLine; ++w) {
      text += "kiwi ";
      expected += "melon ";
    }
    text += std::to_string(i) + "\n";
    expected += std::to_string(i) + "\n";
  }
  SetText(buffer, text);
  ReplaceAllResult result = ReplaceAll(buffer, ReplaceRecord("kiwi", "melon", FIND_MATCH_CASE));
  ASSERT_EQ(result.replaced, kLines * kWordsPerLine);
  EXPECT_EQ(Text(buffer), expected);
  for (int i = 0; i < result.replaced; ++i) ASSERT_EQ(buffer.Undo(), 1) << i;
  EXPECT_EQ(Text(buffer), text);
  for (int i = 0; i < result.replaced; ++i) ASSERT_EQ(buffer.Redo(), 1) << i;
  EXPECT_EQ(Text(buffer), expected);
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

namespace {

// Lines "kiwi <i> kiwi", enough for the rebuilt texts to fill several blocks.
std::string ReplaceTestFruitLines() {
  constexpr int kLines = 30000;
  std::string text;
  for (int i = 0; i < kLines; ++i) text += "kiwi " + std::to_string(i) + " kiwi\n";
  return text;
}

int ReplaceTestCount(EditBuffer& buffer, const char* pattern) {
  FindRecord rec = ReplaceRecord(pattern, "", FIND_MATCH_CASE | FIND_FORWARD);
  EditPos pos{buffer.m_pLines, 0};
  EditPos limit;
  int found = 0;
  while (pos.line != nullptr && FindText(pos, limit, &rec)) {
    ++found;
    pos.offset += rec.matchLength;
  }
  return found;
}

}  // namespace

// The lines Replace All rebuilds share packed texts: editing and searching
// them gives what the same does over lines of their own, and undo gives the
// text back.
TEST(ReplaceAll, RebuiltLinesTakeEditsAndSearchesAsLinesOfTheirOwn) {
  const std::string kText = ReplaceTestFruitLines();
  EditBuffer rebuilt;
  rebuilt.SetLineEndType(LINEEND_LF);
  SetText(rebuilt, kText);
  ReplaceAllResult result = ReplaceAll(rebuilt, ReplaceRecord("kiwi", "melon", FIND_MATCH_CASE));
  ASSERT_GT(result.replaced, 0);
  ASSERT_GT(rebuilt.SharedTextBlocks(), 1u);
  EditBuffer own;
  own.SetLineEndType(LINEEND_LF);
  SetText(own, Text(rebuilt));
  // At (line, offset): kType types a word, kSplit splits the line, kJoin
  // joins it with the next, kDelete deletes up to (endLine, endOffset).
  enum class Edit { kType, kSplit, kJoin, kDelete };
  const struct {
    const char* name;
    Edit edit;
    int line;
    int offset;
    int endLine;
    int endOffset;
  } kEdits[] = {
      {"typed into a rebuilt line", Edit::kType, 2, 3, 0, 0},
      {"a range over three rebuilt lines deleted", Edit::kDelete, 100, 2, 102, 4},
      {"a rebuilt line split", Edit::kSplit, 5000, 6, 0, 0},
      {"two rebuilt lines joined", Edit::kJoin, 20000, 0, 0, 0},
      {"the last line typed into", Edit::kType, 29999, 0, 0, 0},
  };
  for (const auto& e : kEdits) {
    SCOPED_TRACE(e.name);
    for (EditBuffer* b : {&rebuilt, &own}) {
      EditPos at = edit_test::At(*b, e.line, e.offset);
      switch (e.edit) {
        case Edit::kType:
          ASSERT_EQ(b->InsertString(at, "typed", TRUE, TRUE), 0);
          break;
        case Edit::kSplit:
          ASSERT_EQ(b->SplitLine(at, TRUE), 0);
          break;
        case Edit::kJoin:
          ASSERT_EQ(b->JoinLines(at, TRUE), 0);
          break;
        case Edit::kDelete: {
          EditPos end = edit_test::At(*b, e.endLine, e.endOffset);
          ASSERT_EQ(b->DeleteRange(at, end, TRUE), 0);
          break;
        }
      }
    }
    ASSERT_EQ(Text(rebuilt), Text(own));
  }
  for (const char* pattern : {"melon", "melon 2", "n\nm", "typed"}) {
    SCOPED_TRACE(pattern);
    EXPECT_EQ(ReplaceTestCount(rebuilt, pattern), ReplaceTestCount(own, pattern));
  }
  while (rebuilt.Undo() == 1) {
  }
  EXPECT_EQ(Text(rebuilt), kText);
}

// Each block of packed texts goes back once no line borrows from it: texts
// replaced again, or lines given their own by undo, leave no block behind.
TEST(ReplaceAll, PackedTextsNoLineUsesAreHandedBack) {
  const std::string kText = ReplaceTestFruitLines();
  EditBuffer buffer;
  buffer.SetLineEndType(LINEEND_LF);
  SetText(buffer, kText);
  ReplaceAll(buffer, ReplaceRecord("kiwi", "melon", FIND_MATCH_CASE));
  const size_t once = buffer.SharedTextBlocks();
  ASSERT_GT(once, 1u);
  for (int i = 0; i < 3; ++i) {
    ReplaceAll(buffer, ReplaceRecord("melon", "fig", FIND_MATCH_CASE));
    ReplaceAll(buffer, ReplaceRecord("fig", "melon", FIND_MATCH_CASE));
    EXPECT_LE(buffer.SharedTextBlocks(), once);
  }
  while (buffer.Undo() == 1) {
  }
  EXPECT_EQ(Text(buffer), kText);
  // At most the block last filled stays, to be filled again.
  EXPECT_LE(buffer.SharedTextBlocks(), 1u);
}
