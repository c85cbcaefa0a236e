// The block-comment state kept per line: the same answers as walking back
// over the lines above, far down a big text and after edits above the
// lines already asked about.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "editor/textreplace.h"
#include "tests/editor/edit_test_util.h"

using edit_test::At;
using edit_test::SetText;

namespace {

void BlockStatesCComments(EditBuffer& buffer) {
  buffer.SetLineEndType(LINEEND_LF);
  std::strcpy(buffer.m_szCommentStart1, "//");
  std::strcpy(buffer.m_szCommentStart2, "/*");
  std::strcpy(buffer.m_szCommentEnd2, "*/");
}

bool InsideKept(EditBuffer& buffer, int line) {
  int kind = 0;
  return buffer.GetBlockKind(buffer.GetLine(line), &kind) && kind == 2;
}

// The walk over the lines above, which keeps nothing.
bool InsideWalked(EditBuffer& buffer, int line) {
  return buffer.IsInsideBlock(buffer.GetLine(line), "/*", "*/", "//") != FALSE;
}

}  // namespace

TEST(BlockStates, ACommentOpenedOnTheFirstLineAndClosedFarDown) {
  constexpr int kLines = 1000000;
  constexpr int kClosingLine = 900000;
  EditBuffer buffer;
  BlockStatesCComments(buffer);
  std::string text = "/* opened\n";
  for (int n = 2; n <= kLines; ++n) text += n == kClosingLine ? "closed */\n" : "int x;\n";
  SetText(buffer, text);
  // Asked first at the end, then above what is known, then between.
  const struct {
    int line;
    bool inside;
  } kAsked[] = {{kLines, false},    {kClosingLine + 1, false}, {kClosingLine, true},
                {2, true},          {kClosingLine / 2, true},  {1, false},
                {kLines - 1, false}};
  for (const auto& asked : kAsked) {
    EXPECT_EQ(InsideKept(buffer, asked.line), asked.inside) << asked.line;
    EXPECT_EQ(InsideWalked(buffer, asked.line), asked.inside) << asked.line;
  }
  // Closing the comment earlier, far above the lines asked about.
  constexpr int kEarlierLine = 1000;
  EditPos at = At(buffer, kEarlierLine, 0);
  ASSERT_EQ(buffer.InsertString(at, "*/", TRUE, TRUE), 0);
  EXPECT_FALSE(InsideKept(buffer, kClosingLine));
  EXPECT_TRUE(InsideKept(buffer, kEarlierLine));
  ASSERT_TRUE(buffer.Undo());
  EXPECT_TRUE(InsideKept(buffer, kClosingLine));
}

// Each edit happens above a screen of lines whose states are known; then
// every line must read as the walk over the lines above reads it.
TEST(BlockStates, EditsAboveTheScreenOpenAndCloseComments) {
  constexpr auto kText =
      "int a;\n"
      "int b; // not /* a block\n"
      "s = \"/*\";\n"
      "int c;\n"
      "int d;\n"
      "x = 1; /* one */ y = 2;\n"
      "int e;\n"
      "int f;\n"
      "int g;\n"
      "int h;\n";
  constexpr int kScreenFrom = 4;
  using Edit = std::function<void(EditBuffer&)>;
  auto insert = [](int line, int offset, const char* text) {
    return Edit([=](EditBuffer& b) {
      EditPos at = At(b, line, offset);
      ASSERT_EQ(b.InsertString(at, text, TRUE, TRUE), 0);
    });
  };
  const struct {
    const char* name;
    Edit edit;
  } kEdits[] = {
      {"a comment opened on the first line", insert(1, 0, "/* ")},
      {"then closed on the fourth", insert(4, 0, "*/ ")},
      {"its opening typed over a character",
       [](EditBuffer& b) { b.InsertChar(At(b, 1, 0), '-', FALSE, TRUE); }},
      {"a line split inside the one-line comment",
       [](EditBuffer& b) {
         EditPos at = At(b, 6, 10);
         ASSERT_EQ(b.SplitLine(at, TRUE), 0);
       }},
      {"undone", [](EditBuffer& b) { ASSERT_TRUE(b.Undo()); }},
      {"the one-line comment's end deleted",
       [](EditBuffer& b) { ASSERT_EQ(b.DeleteChars(At(b, 6, 14), 2, TRUE), 0); }},
      {"lines pasted with an opening",
       [](EditBuffer& b) {
         EditPos at = At(b, 2, 0);
         constexpr auto kPasted = "/* pasted\nstill\n";
         ASSERT_EQ(b.InsertText(at, kPasted, static_cast<int>(std::strlen(kPasted)), TRUE, nullptr), 0);
       }},
      {"a range deleted across lines",
       [](EditBuffer& b) {
         EditPos from = At(b, 1, 0);
         EditPos to = At(b, 3, 0);
         ASSERT_EQ(b.DeleteRange(from, to, TRUE), 0);
       }},
      {"lines joined",
       [](EditBuffer& b) {
         EditPos at = At(b, 1, b.ContentLength(b.GetLine(1)));
         ASSERT_EQ(b.JoinLines(at, TRUE), 0);
       }},
      {"Replace All closing every comment",
       [](EditBuffer& b) {
         FindRecord rec;
         rec.pattern = "int";
         rec.replacement = "*/ int";
         rec.flags = FIND_MATCH_CASE;
         ReplaceEveryMatch(b, b.m_pLines, rec, kMaxLineColumns);
       }},
      {"everything undone",
       [](EditBuffer& b) {
         while (b.Undo()) {
         }
       }},
      {"the delimiters changed", [](EditBuffer& b) { std::strcpy(b.m_szCommentStart2, "int"); }},
  };
  EditBuffer buffer;
  BlockStatesCComments(buffer);
  SetText(buffer, kText);
  for (const auto& e : kEdits) {
    SCOPED_TRACE(e.name);
    for (int line = kScreenFrom; line <= buffer.m_nLineCount; ++line) InsideKept(buffer, line);
    e.edit(buffer);
    buffer.m_nLineCount = buffer.Renumber(buffer.m_pLines);
    for (int line = 1; line <= buffer.m_nLineCount; ++line) {
      int kind = 0;
      bool kept = buffer.GetBlockKind(buffer.GetLine(line), &kind) && kind == 2;
      bool walked = buffer.IsInsideBlock(buffer.GetLine(line), buffer.m_szCommentStart2, "*/", "//") != FALSE;
      EXPECT_EQ(kept, walked) << "line " << line;
    }
  }
}
