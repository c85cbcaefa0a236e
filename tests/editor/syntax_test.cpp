#include <gtest/gtest.h>

#include <cstring>

#include "tests/editor/edit_test_util.h"
#include "tests/support/test_support.h"

using edit_test::SetText;

namespace {

// A buffer with C comments and the keywords of a file.
void UseKeywords(EditBuffer& buffer, const std::string& file, BOOL matchCase) {
  buffer.m_bCase = matchCase;
  buffer.m_strKeywordFile = file.c_str();
  ASSERT_TRUE(buffer.LoadKeywordFile());
}

std::vector<std::string> Keywords(EditBuffer& buffer, const char* line,
                                  std::vector<COLORREF>* colours = nullptr) {
  std::vector<std::string> out;
  const char* pos = line;
  int start = 0, end = 0;
  while (buffer.NextKeywordSpan(&pos, &start, &end)) {
    out.emplace_back(pos, end - start);
    if (colours != nullptr) colours->push_back(buffer.m_crKeyword);
    pos += end - start;
  }
  return out;
}

void CComments(EditBuffer& buffer) {
  std::strcpy(buffer.m_szCommentStart1, "//");
  std::strcpy(buffer.m_szCommentStart2, "/*");
  std::strcpy(buffer.m_szCommentEnd2, "*/");
}

}  // namespace

TEST(Keywords, AreFoundWithTheirColours) {
  std::string file =
      mirt_test::WriteFile(mirt_test::MakeTempDir("kw") + "/c.ini",
                           "[Keywords]\nint=Blue\nreturn=Red\nwhile=Nowhere\n"
                           "a_very_long_keyword_name_x=Red\n[Colors]\nBlue=0,0,255\nRed=255,0,0\n");
  EditBuffer buffer;
  UseKeywords(buffer, file, FALSE);
  std::vector<COLORREF> colours;
  EXPECT_EQ(Keywords(buffer, "INT x; return while a_very_long_keyword_name_x;\n", &colours),
            (std::vector<std::string>{"INT", "return", "while", "a_very_long_keyword_name_x"}));
  // A colour name missing from [Colors] keeps the colour of the keyword before.
  EXPECT_EQ(colours, (std::vector<COLORREF>{RGB(0, 0, 255), RGB(255, 0, 0), RGB(255, 0, 0), RGB(255, 0, 0)}));
  UseKeywords(buffer, file, TRUE);
  EXPECT_EQ(Keywords(buffer, "INT int\n"), std::vector<std::string>{"int"});
}

TEST(Keywords, TheSectionMayBeNamedAfterTheFile) {
  std::string file =
      mirt_test::WriteFile(mirt_test::MakeTempDir("kw") + "/c.ini", "[c]\nstruct=1\n[Colors]\n1=1,2,3\n");
  EditBuffer buffer;
  UseKeywords(buffer, file, FALSE);
  EXPECT_EQ(Keywords(buffer, "struct s;"), std::vector<std::string>{"struct"});
  EXPECT_EQ(buffer.m_crKeyword, RGB(1, 2, 3));
}

TEST(Keywords, MoreKeywordsThanTheTableHoldsAreStillFound) {
  std::string text = "[Keywords]\n";
  for (int i = 0; i < 3000; ++i) text += "kw" + std::to_string(i) + "=1\n";
  std::string file = mirt_test::WriteFile(mirt_test::MakeTempDir("kw") + "/many.ini", text);
  EditBuffer buffer;
  UseKeywords(buffer, file, FALSE);
  EXPECT_EQ(Keywords(buffer, "kw0 kw2999 kw3000"), (std::vector<std::string>{"kw0", "kw2999"}));
}

TEST(Keywords, AMissingFileTurnsColouringOff) {
  EditBuffer buffer;
  buffer.m_bChroma = TRUE;
  buffer.m_strKeywordFile = "/nonexistent/Default.ini";
  EXPECT_FALSE(buffer.LoadKeywordFile());
  EXPECT_FALSE(buffer.m_bChroma);
  const char* pos = "int";
  int s, e;
  EXPECT_FALSE(buffer.NextKeywordSpan(&pos, &s, &e));
}

TEST(Words, WordCharactersTerminatorsAndStarts) {
  EditBuffer buffer;
  buffer.m_terminatorChars[(unsigned char)':'] = 1;
  buffer.m_startChars[(unsigned char)'@'] = 1;
  const struct {
    const char* text;
    const char* word;
  } cases[] = {
      {"  label: x", "label:"}, {"ab@cd", "ab"}, {"__x1 y", "__x1"}, {"x", nullptr}, {" - + ", nullptr}};
  for (const auto& c : cases) {
    int len = (int)strlen(c.text);
    const char* w = buffer.NextWord(c.text, &len);
    if (c.word == nullptr) {
      EXPECT_EQ(w, nullptr) << c.text;
    } else {
      ASSERT_NE(w, nullptr) << c.text;
      EXPECT_EQ(std::string(w, len), c.word);
    }
  }
}

TEST(Comments, StartsOutsideStringsAndTheirEnds) {
  EditBuffer buffer;
  CComments(buffer);
  const struct {
    const char* text;
    int at, kind;
  } cases[] = {{"x = 1; // note", 7, 1},
               {"a /* b */", 2, 2},
               {"s = \"// no\";", -1, 0},
               {"/*// both*/", 0, 2},
               {"plain", -1, 0}};
  for (const auto& c : cases) {
    int kind = 0;
    EXPECT_EQ(buffer.FindCommentStart(c.text, (int)strlen(c.text), &kind), c.at) << c.text;
    if (c.at >= 0) {
      EXPECT_EQ(kind, c.kind) << c.text;
    }
  }
  EXPECT_EQ(buffer.FindCommentEnd("/* x */ y", 9, 2), 7);
  EXPECT_FALSE(buffer.m_bInBlock);
  EXPECT_EQ(buffer.FindCommentEnd("/* x", 4, 2), 4);
  EXPECT_TRUE(buffer.m_bInBlock);
  EXPECT_EQ(buffer.FindCommentEnd("// x", 4, 1), 4);
  EXPECT_FALSE(buffer.m_bInBlock);
  EXPECT_EQ(buffer.FindCommentEnd("x", 1, 9), 0);
}

TEST(Comments, ALineBeginsInsideABlockOpenedAbove) {
  EditBuffer buffer;
  CComments(buffer);
  SetText(buffer, "int a;\nint b;\nx /* open\ninside\nstill\n");
  int kind = 0;
  EXPECT_TRUE(buffer.GetBlockKind(buffer.GetLine(5), &kind));
  EXPECT_EQ(kind, 2);
  EXPECT_FALSE(buffer.GetBlockKind(buffer.GetLine(3), &kind));
  SetText(buffer, "int a;\nint b;\nx /* open\nclose */\nafter\n");
  EXPECT_FALSE(buffer.GetBlockKind(buffer.GetLine(5), &kind));
  SetText(buffer, "x // /* not a block\nafter\n");
  EXPECT_FALSE(buffer.GetBlockKind(buffer.GetLine(2), &kind));
  SetText(buffer, "s = \"/*\";\nafter\n");
  EXPECT_FALSE(buffer.GetBlockKind(buffer.GetLine(2), &kind));
}

TEST(Comments, QuotesAndDelimiterPairs) {
  EditBuffer buffer;
  const char* line = "a \"b\" 'c' \"d";
  EXPECT_FALSE(buffer.IsInQuotes(line, line + 1));
  EXPECT_TRUE(buffer.IsInQuotes(line, line + 4));
  EXPECT_FALSE(buffer.IsInQuotes(line, line + 6));
  EXPECT_FALSE(buffer.IsInQuotes(line, line + 12));  // no closing quote follows
  CComments(buffer);
  EXPECT_EQ(buffer.AddDelimiterPair("(*", "*)"), 3);
  EXPECT_EQ(buffer.AddDelimiterPair("(*", "x"), -1);
  EXPECT_EQ(buffer.AddDelimiterPair("/*", "x"), -1);
  EXPECT_EQ(buffer.AddDelimiterPair("", "x"), -1);
  EXPECT_EQ(buffer.AddDelimiterPair("{", "}"), 4);
  int kind = 0;
  EXPECT_EQ(buffer.FindCommentStart("x { y", 5, &kind), 2);
  EXPECT_EQ(kind, 4);
  EXPECT_EQ(buffer.FindCommentEnd("{ y }", 5, 4), 5);
}

TEST(Keywords, TheInstalledKeywordFilesLoad) {
  const struct {
    const char* file;
    BOOL matchCase;
    const char* line;
    const char* keyword;
  } cases[] = {{"c.ini", FALSE, "  unsigned x;", "unsigned"},
               {"asm.ini", TRUE, " mov ax, bx", "mov"},
               {"pas.ini", TRUE, "begin end", "begin"},
               {"ins.ini", TRUE, "Q8DEVICE 1", "Q8DEVICE"},
               {"s.ini", TRUE, "  ldr r0, =x", "ldr"}};
  for (const auto& c : cases) {
    EditBuffer buffer;
    UseKeywords(buffer, mirt_test::ProgramDir() + "/" + c.file, c.matchCase);
    std::vector<std::string> found = Keywords(buffer, c.line);
    ASSERT_FALSE(found.empty()) << c.file;
    EXPECT_EQ(found[0], c.keyword) << c.file;
  }
  EditBuffer plain;
  plain.m_strKeywordFile = (mirt_test::ProgramDir() + "/Default.ini").c_str();
  EXPECT_FALSE(plain.LoadKeywordFile());
}
