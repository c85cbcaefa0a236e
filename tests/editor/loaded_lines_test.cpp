// Lines read from a file keep their texts in the buffer's loaded blocks
// until they are first changed. Every edit is checked against a buffer
// holding the same text in lines of their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "editor/editresult.h"
#include "editor/loadedlines.h"
#include "editor/textreplace.h"
#include "editor/textsearch.h"
#include "tests/editor/edit_test_util.h"
#include "tests/support/test_support.h"

using edit_test::At;
using edit_test::Lines;
using edit_test::Text;

namespace {

constexpr char kMixedEnds[] = "first\r\nsecond\nthird\rfourth\r\nlast";
constexpr char kCrLf[] = "alpha\r\nbeta\r\ngamma\r\ndelta";
constexpr char kLf[] = "one\ntwo\nthree\nfour\n";
const char* const kFiles[] = {kMixedEnds, kCrLf, kLf};

std::string LoadedFixture(const std::string& bytes) {
  return mirt_test::WriteFile(mirt_test::MakeTempDir("loaded") + "/f.c", bytes);
}

// The same bytes put into lines of their own, with the loaded buffer's line end.
void Reference(EditBuffer& loaded, EditBuffer& ref, const std::string& bytes) {
  ref.SetLineEndType(loaded.m_nLineEndType);
  edit_test::SetText(ref, bytes);
}

int Content(EditBuffer& b, int line) { return b.ContentLength(b.GetLine(line)); }

struct Edit {
  const char* name;
  std::function<int(EditBuffer&)> apply;
};

const Edit kEdits[] = {
    {"insert a char", [](EditBuffer& b) { return b.InsertChar(At(b, 2, 1), 'X', TRUE, TRUE); }},
    {"overwrite a char", [](EditBuffer& b) { return b.InsertChar(At(b, 1, 0), 'Y', FALSE, TRUE); }},
    {"type past the end", [](EditBuffer& b) { return b.InsertChar(At(b, 3, 9), 'Z', TRUE, TRUE); }},
    {"delete a char", [](EditBuffer& b) { return b.DeleteChar(At(b, 3, 0), TRUE); }},
    {"delete chars", [](EditBuffer& b) { return b.DeleteChars(At(b, 2, 1), 2, TRUE); }},
    {"delete across lines",
     [](EditBuffer& b) {
       EditPos from = At(b, 1, 2), to = At(b, 3, 1);
       return b.DeleteRange(from, to, TRUE);
     }},
    {"split a line",
     [](EditBuffer& b) {
       EditPos at = At(b, 2, 2);
       return b.SplitLine(at, TRUE);
     }},
    {"join two lines",
     [](EditBuffer& b) {
       EditPos at = At(b, 1, Content(b, 1));
       return b.JoinLines(at, TRUE);
     }},
    {"insert into the last line",
     [](EditBuffer& b) {
       EditPos at = At(b, b.m_nLineCount, 1);
       return b.InsertString(at, "abc", TRUE, TRUE);
     }},
    {"insert lines",
     [](EditBuffer& b) {
       EditPos at = At(b, 2, 1);
       int n = 0;
       return b.InsertText(at, "p\nq", 3, TRUE, &n);
     }},
};

void UndoAll(EditBuffer& b) {
  while (b.Undo()) {
  }
}

void RedoAll(EditBuffer& b) {
  while (b.Redo()) {
  }
}

}  // namespace

// Each edit, its undo and redo give the loaded buffer the same lines as
// the reference, and saving writes exactly those bytes.
TEST(LoadedLines, EditUndoRedoAndSaveMatchLinesOfTheirOwn) {
  for (const char* file : kFiles) {
    for (const Edit& edit : kEdits) {
      SCOPED_TRACE(std::string(edit.name) + " in " + file);
      std::string path = LoadedFixture(file);
      EditBuffer loaded;
      loaded.SetLockFiles(FALSE);
      ASSERT_EQ(loaded.LoadFile(path.c_str()), 0);
      EditBuffer ref;
      Reference(loaded, ref, file);
      ASSERT_EQ(Lines(loaded), Lines(ref));

      ASSERT_EQ(edit.apply(loaded), 0);
      ASSERT_EQ(edit.apply(ref), 0);
      EXPECT_EQ(Lines(loaded), Lines(ref));
      ASSERT_EQ(loaded.SaveFile(path.c_str()), 0);
      EXPECT_EQ(mirt_test::ReadFile(path), Text(ref));

      UndoAll(loaded);
      UndoAll(ref);
      EXPECT_EQ(Lines(loaded), Lines(ref));
      ASSERT_EQ(loaded.SaveFile(path.c_str()), 0);
      EXPECT_EQ(mirt_test::ReadFile(path), Text(ref));

      RedoAll(loaded);
      RedoAll(ref);
      EXPECT_EQ(Lines(loaded), Lines(ref));
      ASSERT_EQ(loaded.SaveFile(path.c_str()), 0);
      EXPECT_EQ(mirt_test::ReadFile(path), Text(ref));
    }
  }
}

TEST(LoadedLines, AFileSavedUnchangedIsTheSameBytes) {
  for (const char* file : {kCrLf, kLf}) {
    std::string path = LoadedFixture(file);
    EditBuffer loaded;
    loaded.SetLockFiles(FALSE);
    ASSERT_EQ(loaded.LoadFile(path.c_str()), 0);
    std::string copy = path + ".copy";
    ASSERT_EQ(loaded.SaveFile(copy.c_str()), 0);
    EXPECT_EQ(mirt_test::ReadFile(copy), file);
  }
}

// A changed line gets a text of its own; its neighbours keep theirs.
TEST(LoadedLines, TheFirstChangeCopiesOnlyThatLine) {
  std::string path = LoadedFixture(kCrLf);
  EditBuffer loaded;
  loaded.SetLockFiles(FALSE);
  ASSERT_EQ(loaded.LoadFile(path.c_str()), 0);
  for (EditLine* line = loaded.m_pLines; line != nullptr; line = line->next) EXPECT_TRUE(IsBorrowed(line));
  const char* below = loaded.GetLine(3)->text;
  EditPos at = At(loaded, 2, 4);
  ASSERT_EQ(loaded.InsertString(at, "-long-enough-to-outgrow-the-old-room", TRUE, TRUE), 0);
  EXPECT_FALSE(IsBorrowed(loaded.GetLine(2)));
  EXPECT_TRUE(IsBorrowed(loaded.GetLine(1)));
  EXPECT_EQ(loaded.GetLine(3)->text, below);
  EXPECT_EQ(Lines(loaded)[1], "beta-long-enough-to-outgrow-the-old-room\r\n");
  EXPECT_EQ(Lines(loaded)[2], "gamma\r\n");
}

// Loading again, or another file, lets go of the old lines and texts.
TEST(LoadedLines, ReloadingAfterEditsGivesTheFileAgain) {
  std::string first = LoadedFixture(kMixedEnds);
  std::string second = LoadedFixture(kLf);
  EditBuffer loaded;
  loaded.SetLockFiles(FALSE);
  ASSERT_EQ(loaded.LoadFile(first.c_str()), 0);
  std::vector<std::string> asLoaded = Lines(loaded);
  ASSERT_EQ(loaded.DeleteChars(At(loaded, 2, 0), 3, TRUE), 0);
  ASSERT_EQ(loaded.LoadFile(second.c_str()), 0);
  EditBuffer ref;
  Reference(loaded, ref, kLf);
  EXPECT_EQ(Lines(loaded), Lines(ref));
  ASSERT_EQ(loaded.LoadFile(first.c_str()), 0);
  EXPECT_EQ(Lines(loaded), asLoaded);
}

// Lines taken from another file keep their texts after the buffer that
// read them is gone, and can be changed like any other (the pieces of a
// cut wide line keep the texts as read).
TEST(LoadedLines, InsertedFileLinesOutliveTheirReader) {
  constexpr int kWiderThanALine = 17000;
  const std::string wide(kWiderThanALine, 'w');
  const std::string part = "p1\n" + wide + "\n";
  std::string path = LoadedFixture(part);
  EditBuffer buffer;
  buffer.SetLineEndType(LINEEND_LF);
  edit_test::SetText(buffer, "a\nb\n");
  EditPos at = At(buffer, 2, 0);
  ASSERT_EQ(buffer.InsertFile(at, path.c_str(), TRUE), 0);
  EXPECT_TRUE(IsBorrowed(buffer.GetLine(3)));
  EXPECT_EQ(Text(buffer), "a\n" + part + "b\n");
  ASSERT_EQ(buffer.DeleteChar(At(buffer, 3, 0), TRUE), 0);
  EXPECT_EQ(Text(buffer), "a\np1\n" + wide.substr(1) + "\nb\n");
  UndoAll(buffer);
  EXPECT_EQ(Text(buffer), "a\nb\n");
  RedoAll(buffer);
  EXPECT_EQ(Text(buffer), "a\np1\n" + wide.substr(1) + "\nb\n");
}

// Searching passes over runs of loaded texts; changed lines break the runs.
TEST(LoadedLines, SearchFindsEveryMatchAmongLoadedAndChangedLines) {
  std::string bytes;
  for (int i = 0; i < 200; ++i) bytes += i % 7 == 0 ? "int zebra;\r\n" : "int other;\r\n";
  std::string path = LoadedFixture(bytes);
  EditBuffer loaded;
  loaded.SetLockFiles(FALSE);
  ASSERT_EQ(loaded.LoadFile(path.c_str()), 0);
  EditBuffer ref;
  Reference(loaded, ref, bytes);
  constexpr int kGainsOne = 51;  // "int other;" before
  constexpr int kLosesOne = 71;  // "int zebra;" before
  for (EditBuffer* b : {&loaded, &ref}) {
    EditPos at = At(*b, kGainsOne, 4);
    ASSERT_EQ(b->InsertString(at, "zebra", TRUE, TRUE), 0);
    ASSERT_EQ(b->DeleteChars(At(*b, kLosesOne, 4), 2, TRUE), 0);
  }
  auto matches = [](EditBuffer& b) {
    std::vector<int> lines;
    FindRecord rec;
    rec.pattern = "zebra";
    rec.flags = FIND_FORWARD | FIND_MATCH_CASE;
    EditPos pos{b.m_pLines, 0}, none;
    while (FindText(pos, none, &rec)) {
      lines.push_back(pos.line->lineNumber);
      pos.offset += rec.matchLength;
    }
    return lines;
  };
  std::vector<int> found = matches(loaded);
  EXPECT_EQ(found, matches(ref));
  EXPECT_NE(std::find(found.begin(), found.end(), kGainsOne), found.end());
  EXPECT_EQ(std::find(found.begin(), found.end(), kLosesOne), found.end());
}

namespace {

struct Match {
  int line;
  int offset;
  bool operator==(const Match&) const = default;
};

// Every match from `from` on towards `limit` (a null limit line: to the end).
std::vector<Match> AllMatches(EditBuffer& b, const FindRecord& pattern, EditPos from, EditPos limit,
                              const LoadedLines* asLoaded) {
  std::vector<Match> out;
  FindRecord rec = pattern;
  EditPos pos = from;
  while (FindText(pos, limit, &rec, asLoaded)) {
    out.push_back({pos.line->lineNumber, pos.offset});
    pos.offset += std::max(1, rec.matchLength);
  }
  return out;
}

}  // namespace

// Over lines as loaded a search scans whole blocks of texts; it finds what
// the line by line search finds, with limits anywhere, across the blocks.
TEST(LoadedLines, SearchingTheLoadedBlocksFindsWhatTheLineWalkFinds) {
  constexpr int kLines = 60000;  // texts over several blocks
  constexpr int kEvery = 997;    // a rare word's spacing
  std::string bytes;
  for (int i = 0; i < kLines; ++i) {
    bytes += i % kEvery == 0 ? "  size_t zebrafish = " : "  size_t other = ";
    bytes += std::to_string(i) + ";\r\n";
  }
  bytes += "last ZEBRAFISH";
  std::string path = LoadedFixture(bytes);
  EditBuffer loaded;
  loaded.SetLockFiles(FALSE);
  ASSERT_EQ(loaded.LoadFile(path.c_str()), 0);
  ASSERT_NE(loaded.LinesAsLoaded(), nullptr);

  const struct {
    const char* pattern;
    UINT flags;
  } patterns[] = {
      {"zebrafish", FIND_MATCH_CASE},
      {"zebrafish", 0},
      {"size_t", FIND_MATCH_CASE},
      {"z[a-e]+bra", FIND_MATCH_CASE | FIND_REGEX},
      {"= [0-9]*7;", FIND_MATCH_CASE | FIND_REGEX},
  };
  const struct {
    int fromLine, fromOffset, limitLine, limitOffset;  // limit line 0: none
  } ranges[] = {
      {1, 0, 0, 0},          {2, 5, 0, 0},
      {1, 0, 30000, 10},     {997, 3, 998, 0},
      {2, 0, 500, 0},   // a rare match after the limit in the same block
      {2, 0, 998, 12},  // the limit cuts a rare match
      {2, 0, 998, 18},  // the limit just holds it
      {1, 0, kLines + 1, 9}, {45000, 0, kLines + 1, 0},
  };
  for (const auto& p : patterns) {
    for (const auto& r : ranges) {
      SCOPED_TRACE(std::string(p.pattern) + " from line " + std::to_string(r.fromLine) + " to " +
                   std::to_string(r.limitLine));
      FindRecord rec;
      rec.pattern = p.pattern;
      rec.flags = FIND_FORWARD | p.flags;
      EditPos from = At(loaded, r.fromLine, r.fromOffset);
      EditPos limit = r.limitLine != 0 ? At(loaded, r.limitLine, r.limitOffset) : EditPos{};
      std::vector<Match> walked = AllMatches(loaded, rec, from, limit, nullptr);
      if (&r == &ranges[0]) EXPECT_FALSE(walked.empty());  // the whole file
      EXPECT_EQ(AllMatches(loaded, rec, from, limit, loaded.LinesAsLoaded()), walked);
    }
  }
}

// Any change ends the lines' being as loaded, so the scan of the blocks is
// not offered any more: a changed text no longer lies in them.
TEST(LoadedLines, AChangedLineEndsTheBlockScan) {
  std::string path = LoadedFixture(kCrLf);
  EditBuffer loaded;
  loaded.SetLockFiles(FALSE);
  ASSERT_EQ(loaded.LoadFile(path.c_str()), 0);
  ASSERT_NE(loaded.LinesAsLoaded(), nullptr);
  EditPos at = At(loaded, 3, 0);
  ASSERT_EQ(loaded.InsertString(at, "found ", TRUE, TRUE), 0);
  EXPECT_EQ(loaded.LinesAsLoaded(), nullptr);
  UndoAll(loaded);
  EXPECT_EQ(loaded.LinesAsLoaded(), nullptr);
  ASSERT_EQ(loaded.LoadFile(path.c_str()), 0);
  EXPECT_NE(loaded.LinesAsLoaded(), nullptr);
}

// The records of a loaded file lie in runs, one after another: each run
// LinesFrom gives holds the lines the line walk reaches, and the runs
// cover the file without a gap.
TEST(LoadedLines, LinesFromGivesRecordsThatFollowOneAnother) {
  constexpr int kLines = 60000;  // records over several blocks
  std::string bytes;
  for (int i = 0; i < kLines; ++i) bytes += "line " + std::to_string(i) + "\n";
  std::string path = LoadedFixture(bytes);
  EditBuffer loaded;
  loaded.SetLockFiles(FALSE);
  ASSERT_EQ(loaded.LoadFile(path.c_str()), 0);
  const LoadedLines* lines = loaded.LinesAsLoaded();
  ASSERT_NE(lines, nullptr);
  EditLine* walked = loaded.m_pLines;
  long index = 0;
  int runs = 0;
  while (index < lines->LineCount()) {
    long count = 0;
    EditLine* run = lines->LinesFrom(index, &count);
    ASSERT_NE(run, nullptr) << index;
    ASSERT_GT(count, 0) << index;
    for (long k = 0; k < count; ++k, walked = walked->next) ASSERT_EQ(&run[k], walked) << index + k;
    index += count;
    ++runs;
  }
  EXPECT_EQ(walked, nullptr);
  EXPECT_GT(runs, 1);
  long count = 1;
  EXPECT_EQ(lines->LinesFrom(lines->LineCount(), &count), nullptr);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(lines->LinesFrom(-1, &count), nullptr);
}

// Replace All over lines as loaded scans the blocks ahead while it changes
// the lines behind: it gives what it gives over the same text in lines of
// their own, and undo gives the file back.
TEST(LoadedLines, ReplaceAllOverTheLoadedBlocksMatchesTheLineWalk) {
  constexpr int kLines = 60000;  // texts over several blocks
  constexpr int kEvery = 997;
  std::string bytes;
  for (int i = 0; i < kLines; ++i) {
    bytes += i % kEvery == 0 ? "  size_t zebrafish = zebrafish" : "  size_t other = ";
    bytes += std::to_string(i) + ";\r\n";
  }
  const struct {
    const char* pattern;
    const char* replacement;
    UINT flags;
  } kCases[] = {
      {"zebrafish", "zebrafish zebrafish", FIND_MATCH_CASE},  // the replacement holds the word
      {"size_t", "", FIND_MATCH_CASE},
      {"= ([0-9]*)7;", "== \\1;", FIND_MATCH_CASE | FIND_REGEX},
  };
  std::string path = LoadedFixture(bytes);
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.pattern);
    EditBuffer loaded;
    loaded.SetLockFiles(FALSE);
    ASSERT_EQ(loaded.LoadFile(path.c_str()), 0);
    ASSERT_NE(loaded.LinesAsLoaded(), nullptr);
    EditBuffer ref;
    Reference(loaded, ref, bytes);
    FindRecord rec;
    rec.pattern = c.pattern;
    rec.replacement = c.replacement;
    rec.flags = c.flags;
    FindRecord refRec = rec;
    ReplaceAllResult got = ReplaceEveryMatch(loaded, loaded.m_pLines, rec, kMaxLineColumns);
    ReplaceAllResult want = ReplaceEveryMatch(ref, ref.m_pLines, refRec, kMaxLineColumns);
    EXPECT_GT(got.replaced, 0);
    EXPECT_EQ(got.replaced, want.replaced);
    EXPECT_EQ(Text(loaded), Text(ref));
    UndoAll(loaded);
    EXPECT_EQ(Text(loaded), bytes);
  }
}
