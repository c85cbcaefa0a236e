#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "tests/editor/edit_test_util.h"

using edit_test::Lines;
using edit_test::SetText;
using V = std::vector<std::string>;

TEST(SplitText, LineEndsBecomeTheBuffersOwnAndPairsCountOnce) {
  const struct {
    int type;
    const char* text;
    V lines;
  } cases[] = {
      {LINEEND_CRLF, "a\r\nb\r\n", {"a\r\n", "b\r\n"}},
      {LINEEND_CRLF, "a\nb", {"a\r\n", "b"}},
      // A blank line between lone line ends of a mixed text is kept.
      {LINEEND_CRLF, "a\n\nb\r\n", {"a\r\n", "\r\n", "b\r\n"}},
      {LINEEND_CRLF, "a\r\rb", {"a\r\n", "\r\n", "b"}},
      {LINEEND_CRLF, "a\n\r\nb", {"a\r\n", "\r\n", "b"}},
      // A lone final byte of a two-byte convention is no line end.
      {LINEEND_CRLF, "a\r\nb\r", {"a\r\n", "b\r"}},
      {LINEEND_LF, "a\r\nb\n", {"a\n", "b\n"}},
      {LINEEND_LF, "x\n\n\n", {"x\n", "\n", "\n"}},
      {LINEEND_CR, "p\rq", {"p\r", "q"}},
  };
  for (const auto& c : cases) {
    EditBuffer buffer;
    buffer.SetLineEndType(c.type);
    SetText(buffer, c.text);
    EXPECT_EQ(Lines(buffer), c.lines) << c.text;
  }
}

TEST(SplitText, ALineWiderThanALineMayBeIsCutIntoPieces) {
  EditBuffer buffer;
  buffer.SetLineEndType(LINEEND_CRLF);
  std::string text = "x\r\n" + std::string(20000, 'a') + "\r\nend\r\n";
  SetText(buffer, text);
  V lines = Lines(buffer);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], std::string(16382, 'a'));
  EXPECT_EQ(lines[2], std::string(20000 - 16382, 'a') + "\r\n");
  EXPECT_EQ(edit_test::Text(buffer), text);
}

TEST(SplitText, TabsCountByTheirWidthWhenCutting) {
  EditBuffer buffer;
  buffer.SetTabSize(8);
  SetText(buffer, std::string(3000, '\t') + "\n");
  V lines = Lines(buffer);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 2047u);  // 2047 tabs are 16376 columns, 2048 would be too wide
  EXPECT_EQ(buffer.TextWidth(lines[1].data(), (int)lines[1].size() - 1), (3000 - 2047) * 8);
}

TEST(SplitText, NullTextGivesNoLines) {
  EditBuffer buffer;
  EXPECT_EQ(buffer.SplitText(nullptr), nullptr);
}

TEST(LineEnds, DetectTakesTheFirstLineEnd) {
  const struct {
    const char* text;
    int type;
  } cases[] = {{"ab\r\ncd\n", 0}, {"ab\rcd", 3}, {"ab\n\rcd", 1}, {"ab\ncd\r\n", 2}, {"abc", -1}, {"", -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(EditBuffer::DetectLineEnd(c.text, (int)strlen(c.text)), c.type) << c.text;
  }
  EXPECT_EQ(EditBuffer::DetectLineEnd("ab\r\n", 3), 3);  // the LF lies beyond len
}

TEST(LineEnds, ConvertRewritesEveryLineEndWithoutSkippingText) {
  const struct {
    const char* text;
    int type;
    const char* result;
  } cases[] = {
      {"a\nb\n", LINEEND_CRLF, "a\r\nb\r\n"},
      {"a\r\nb\r\n", LINEEND_LF, "a\nb\n"},
      {"a\r\n\nb", LINEEND_LF, "a\n\nb"},  // mixed: the lone LF is a line of its own
      {"a\r\rb\r\n", LINEEND_CRLF, "a\r\n\r\nb\r\n"},
      {"no ends", LINEEND_CRLF, "no ends"},
      {"a\rb", LINEEND_LFCR, "a\n\rb"},
  };
  EditBuffer buffer;
  for (const auto& c : cases) {
    char* text = strdup(c.text);
    int n = buffer.ConvertLineEnds(&text, (int)strlen(c.text), c.type);
    EXPECT_EQ(std::string(text, n), c.result) << c.text;
    std::free(text);
  }
}
