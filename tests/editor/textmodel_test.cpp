// What both text models share: tab sizes, display columns, tab expansion,
// colour texts, and each model's defaults read from an empty profile.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "editor/colourtext.h"
#include "editor/editbuffer.h"
#include "editor/textcolumns.h"
#include "platform/sys/profile.h"

namespace {

TEST(TextModelShared, TabSizesAreKeptWithinWhatTheOptionsAccept) {
  constexpr int kWidestOption = 80;  // the editor options dialog accepts 1 to 80
  const struct {
    int asked, kept;
  } cases[] = {{0, 1},
               {-4, 1},
               {8, 8},
               {kWidestOption, kWidestOption},
               {kWidestOption + 1, kWidestOption},
               {100000, kWidestOption}};
  EditBuffer buffer;
  for (const auto& c : cases) {
    buffer.SetTabSize(c.asked);
    EXPECT_EQ(buffer.GetTabSize(), c.kept) << c.asked;
  }
}

TEST(TextModelShared, ColumnsAndOffsetsOfALineWithTabs) {
  constexpr auto kLine = "a\tbc\t\td";
  constexpr int kLength = 7;
  constexpr int kTab = 4;
  const int columns[][2] = {{-1, 0}, {0, 0}, {1, 1}, {2, 4}, {5, 8}, {6, 12}, {7, 13}, {10, 16}};
  for (const auto& c : columns) EXPECT_EQ(textcols::OffsetToColumn(kLine, kLength, c[0], kTab), c[1]) << c[0];
  const int offsets[][2] = {{0, 0}, {3, 1}, {4, 2}, {11, 5}, {12, 6}, {13, 7}, {20, 14}};
  for (const auto& c : offsets) EXPECT_EQ(textcols::ColumnToOffset(kLine, kLength, c[0], kTab), c[1]) << c[0];
  EXPECT_EQ(textcols::TextWidth(kLine, kLength, kTab), 13);
  // Without text both directions give the argument back.
  EXPECT_EQ(textcols::OffsetToColumn(nullptr, 0, 7, kTab), 7);
  EXPECT_EQ(textcols::ColumnToOffset(nullptr, 0, 7, kTab), 7);
}

TEST(TextModelShared, ExpandTabsCopiesLineEndsAndRestartsTheColumn) {
  constexpr int kTab = 4;
  const struct {
    const char* in;
    int lineEndLength;
    const char* out;
  } cases[] = {
      {"", 2, ""},
      {"abc", 2, "abc"},
      {"abcd\tx", 2, "abcd    x"},
      {"ab\tc\r\n\tx", 2, "ab  c\r\n    x"},
      {"ab\n\tx", 1, "ab\n    x"},
      // A line-end length of 0 still copies the CR or LF it meets.
      {"a\r\tb\n", 0, "a\r    b\n"},
      // A line end cut at the end of the text copies what there is.
      {"\tz\r", 2, "    z\r"},
  };
  for (const auto& c : cases) {
    int length = -1;
    char* out = textcols::ExpandTabs(c.in, int(std::string(c.in).size()), kTab, c.lineEndLength, &length);
    ASSERT_NE(out, nullptr) << c.in;
    EXPECT_EQ(std::string(out, length), c.out) << c.in;
    EXPECT_EQ(out[length], '\0');
    std::free(out);
  }
  EXPECT_EQ(textcols::ExpandTabs(nullptr, 3, kTab, 2, nullptr), nullptr);
}

TEST(TextModelShared, ColourTexts) {
  const struct {
    const char* text;
    COLORREF colour;
  } cases[] = {
      {"1,2,3", RGB(1, 2, 3)}, {"", RGB(0, 0, 0)}, {"300,7", RGB(300 & 255, 7, 0)}, {"9", RGB(9, 0, 0)}};
  for (const auto& c : cases) EXPECT_EQ(ParseColour(c.text), c.colour) << c.text;
  EXPECT_EQ(ParseColour(nullptr), RGB(0, 0, 0));
  EXPECT_STREQ(FormatColour(RGB(10, 20, 30)), "10,20,30");
}

TEST(TextModelShared, TheEditBuffersDefaultsFromAnEmptyProfile) {
  EditBuffer buffer;
  EXPECT_EQ(buffer.GetTabSize(), 3);
  EXPECT_TRUE(buffer.m_bKeepTabs);
  EXPECT_FALSE(buffer.m_bShowTabs);
  EXPECT_TRUE(buffer.GetInsertMode());
  EXPECT_FALSE(buffer.GetWordWrap());
  EXPECT_FALSE(buffer.GetLockFiles());
  EXPECT_STREQ(buffer.m_strFontName, "Courier New");
  EXPECT_EQ(buffer.m_nFontSize, 9);
  EXPECT_EQ(buffer.m_nFontWeight, 400);
  EXPECT_FALSE(buffer.m_bFontItalic);
  EXPECT_EQ(buffer.m_nLineCount, 1);
  EXPECT_TRUE(buffer.m_bAutoIndent);
  EXPECT_FALSE(buffer.m_bCase);
  EXPECT_EQ(buffer.m_crKeyword, RGB(0, 0, 255));
  EXPECT_EQ(buffer.m_crComment, RGB(0, 128, 0));
  EXPECT_EQ(buffer.m_crBackground, RGB(255, 255, 255));
  EXPECT_STREQ(buffer.m_strKeywordSection, "Keywords");
  EXPECT_FALSE(buffer.IsWordChar('_'));
  EXPECT_TRUE(buffer.IsWordChar('x'));
}

}  // namespace
