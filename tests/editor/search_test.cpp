#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/editor/edit_test_util.h"
#include "editor/textsearch.h"

using edit_test::At;
using edit_test::SetText;

namespace {

struct Found {
  int line;
  int offset;
  int length;
};

// Runs FindText and returns where it found (line 0 when not found).
Found Find(EditBuffer& buffer, EditPos pos, EditPos limit, FindRecord& rec) {
  if (!FindText(pos, limit, &rec)) return {0, -1, 0};
  return {pos.line->lineNumber, pos.offset, rec.matchLength};
}

FindRecord Record(const char* pattern, UINT flags) {
  FindRecord rec;
  rec.pattern = pattern;
  rec.flags = flags;
  return rec;
}

}  // namespace

TEST(FindText, PlainAndRegexSearchesBothWays) {
  EditBuffer buffer;
  SetText(buffer, "int main(void)\n{\n  return MAIN_VALUE;\n}\nmain2\n");
  const struct {
    const char* pattern;
    UINT flags;
    int line, offset;  // start
    Found expect;
  } cases[] = {
      {"main", FIND_FORWARD | FIND_MATCH_CASE, 1, 0, {1, 4, 4}},
      {"main", FIND_FORWARD | FIND_MATCH_CASE, 1, 5, {5, 0, 4}},
      {"Main", FIND_FORWARD, 1, 5, {3, 9, 4}},
      {"Main", FIND_FORWARD | FIND_REGEX, 1, 5, {3, 9, 4}},
      {"M[A-Z]+_", FIND_FORWARD | FIND_REGEX | FIND_MATCH_CASE, 1, 0, {3, 9, 5}},
      {"main", FIND_MATCH_CASE, 5, 3, {1, 4, 4}},
      {"main", 0, 3, 20, {3, 9, 4}},
      {"r[a-z]*", FIND_REGEX | FIND_MATCH_CASE, 3, 20, {3, 6, 2}},
      {"r[a-z]*", FIND_REGEX | FIND_MATCH_CASE, 3, 6, {0, -1, 0}},
      {"absent", FIND_FORWARD, 1, 0, {0, -1, 0}},
      {"(", FIND_FORWARD | FIND_REGEX, 1, 0, {0, -1, 0}},
  };
  for (const auto& c : cases) {
    FindRecord rec = Record(c.pattern, c.flags);
    Found f = Find(buffer, At(buffer, c.line, c.offset), EditPos{}, rec);
    EXPECT_EQ(f.line, c.expect.line) << c.pattern;
    EXPECT_EQ(f.offset, c.expect.offset) << c.pattern;
    EXPECT_EQ(f.length, c.expect.length) << c.pattern;
  }
}

TEST(FindText, BackwardFindsTheLastMatchEndingBeforeTheStart) {
  EditBuffer buffer;
  SetText(buffer, "ab ab ab ab\n");
  for (UINT regex : {0u, (UINT)FIND_REGEX}) {
    FindRecord rec = Record("ab", FIND_MATCH_CASE | regex);
    Found f = Find(buffer, At(buffer, 1, 7), EditPos{}, rec);
    EXPECT_EQ(f.offset, 3) << regex;
    f = Find(buffer, At(buffer, 1, 8), EditPos{}, rec);
    EXPECT_EQ(f.offset, 6) << regex;
  }
}

TEST(FindText, RegexStopsAtTheLineEnd) {
  for (int type : {LINEEND_LF, LINEEND_CRLF, LINEEND_CR}) {
    EditBuffer buffer;
    buffer.SetLineEndType(type);
    SetText(buffer, "abc\ndef\n");
    FindRecord rec = Record("c$", FIND_FORWARD | FIND_REGEX);
    EXPECT_EQ(Find(buffer, At(buffer, 1, 0), EditPos{}, rec).offset, 2) << type;
    rec = Record("b.*", FIND_FORWARD | FIND_REGEX);
    Found f = Find(buffer, At(buffer, 1, 0), EditPos{}, rec);
    EXPECT_EQ(f.offset, 1);
    EXPECT_EQ(f.length, 2) << type;  // never the line end
  }
}

TEST(FindText, ALimitLineBoundsTheSearch) {
  EditBuffer buffer;
  SetText(buffer, "x1\nx2\nx3\n");
  FindRecord rec = Record("x3", FIND_FORWARD);
  EXPECT_EQ(Find(buffer, At(buffer, 1, 0), At(buffer, 2, 2), rec).line, 0);
  EXPECT_EQ(Find(buffer, At(buffer, 1, 0), At(buffer, 3, 2), rec).line, 3);
  rec = Record("x1", 0);
  EXPECT_EQ(Find(buffer, At(buffer, 3, 2), At(buffer, 2, 0), rec).line, 0);
  EXPECT_EQ(Find(buffer, At(buffer, 3, 2), At(buffer, 1, 0), rec).line, 1);
}

TEST(FindText, ReplaceAllSubstitutesEachMatchFromItsOwnGroups) {
  EditBuffer buffer;
  SetText(buffer, "k1=v1; k2=v2\nk3=v3\n");
  FindRecord rec = Record("(k[0-9])=(v[0-9])", FIND_FORWARD | FIND_REGEX | FIND_MATCH_CASE);
  rec.replacement = "\\2:\\1";
  EditPos pos = At(buffer, 1, 0);
  EditPos none;
  int replaced = 0;
  while (FindText(pos, none, &rec)) {
    EXPECT_EQ(rec.replacement, CString("\\2:\\1"));
    EditPos end{pos.line, pos.offset + rec.matchLength};
    ASSERT_EQ(buffer.DeleteRange(pos, end, TRUE), 0);
    ASSERT_EQ(buffer.InsertString(pos, rec.substituted, TRUE, TRUE), 0);
    pos.offset += rec.substituted.GetLength();
    ++replaced;
  }
  EXPECT_EQ(replaced, 3);
  EXPECT_EQ(edit_test::Text(buffer), "v1:k1; v2:k2\nv3:k3\n");
}

TEST(FindText, AnAnchoredPatternMatchesOnlyAtTheLineStart) {
  EditBuffer buffer;
  SetText(buffer, "aaa\n");
  FindRecord rec = Record("^a", FIND_FORWARD | FIND_REGEX);
  EXPECT_EQ(Find(buffer, At(buffer, 1, 0), EditPos{}, rec).offset, 0);
  EXPECT_EQ(Find(buffer, At(buffer, 1, 1), EditPos{}, rec).line, 0);
}

TEST(FindText, RegexCharsAreRecognised) {
  EXPECT_TRUE(HasRegexChars("a.b"));
  EXPECT_TRUE(HasRegexChars("[x]"));
  EXPECT_TRUE(HasRegexChars("a\\b"));
  EXPECT_FALSE(HasRegexChars("plain text"));
  EXPECT_EQ(FindFirst("ab", "xabab", 5), 1);
  EXPECT_EQ(FindLast("ab", "xabab", 5), 3);
  EXPECT_EQ(FindLast("ab", "xabab", 4), 1);
}

// Many lines made one after another lie in one block that the search scans
// at once; edited lines move out of it. Every match of a pattern, found
// from each match on, must be the one a line-by-line look finds.
TEST(FindText, ScansOverManyLinesFindEveryMatchOfALineByLineLook) {
  constexpr int kLines = 6000;
  constexpr int kEvery = 997;  // a line with the word, now and then
  constexpr int kEditEvery = 13;
  constexpr const char* kWord = "Zebra";
  std::string text;
  for (int i = 1; i <= kLines; ++i) {
    text += i % kEvery == 0 ? std::string("  int ") + kWord + "fish = " + std::to_string(i) + ";\n"
                            : "  call(x, y);  /* filler " + std::to_string(i) + " */\n";
  }
  EditBuffer buffer;
  SetText(buffer, text);
  // Lines grown by typing get texts elsewhere.
  for (int n = kEditEvery; n <= kLines; n += kEditEvery) {
    EditPos at = At(buffer, n, 2);
    ASSERT_EQ(buffer.InsertString(at, n % 2 == 0 ? "zebra " : "typed ", TRUE, FALSE), 0);
  }
  const struct {
    const char* pattern;
    UINT flags;
  } cases[] = {
      {"Zebra", FIND_FORWARD | FIND_MATCH_CASE},
      {"zebra", FIND_FORWARD},
      {"[a-z]ebra[a-z]", FIND_FORWARD | FIND_REGEX},
      {"(fish|typed) ", FIND_FORWARD | FIND_REGEX | FIND_MATCH_CASE},
      {"^  int", FIND_FORWARD | FIND_REGEX | FIND_MATCH_CASE},
  };
  const std::vector<std::string> lines = edit_test::Lines(buffer);
  for (const auto& c : cases) {
    // The reference: each line on its own.
    std::vector<std::pair<int, int>> expect;
    for (size_t i = 0; i < lines.size(); ++i) {
      EditPos from = At(buffer, static_cast<int>(i) + 1, 0),
              limit{from.line, static_cast<int>(from.line->length)};
      FindRecord rec = Record(c.pattern, c.flags);
      while (FindText(from, limit, &rec)) {
        expect.emplace_back(static_cast<int>(i) + 1, from.offset);
        from.offset += std::max(1, rec.matchLength);
      }
    }
    std::vector<std::pair<int, int>> got;
    FindRecord rec = Record(c.pattern, c.flags);
    EditPos pos = At(buffer, 1, 0), none;
    while (FindText(pos, none, &rec)) {
      got.emplace_back(pos.line->lineNumber, pos.offset);
      pos.offset += std::max(1, rec.matchLength);
    }
    EXPECT_FALSE(expect.empty()) << c.pattern;
    EXPECT_EQ(got, expect) << c.pattern;
    // A limit inside the run stops the search there.
    EditPos limit = At(buffer, kEvery, 3);
    pos = At(buffer, 1, 0);
    EXPECT_FALSE(FindText(pos, limit, &rec) && pos.line->lineNumber > kEvery) << c.pattern;
  }
}
