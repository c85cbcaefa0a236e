#include <gtest/gtest.h>

#include "platform/sys/profile.h"
#include "tests/editor/edit_test_util.h"

namespace {

void Write(const char* section, const char* key, const char* value) {
  ASSERT_TRUE(plat::Profile::App().WriteProfileString(section, key, value));
}

}  // namespace

TEST(EditSettings, OptionsComeFromTheApplicationsOwnKeyAndAreBounded) {
  Write("", "Tab size", "0");
  Write("", "Line end type", "0");
  Write("", "Keep tabs", "0");
  Write("", "Font name", "Mono");
  EditBuffer buffer;
  EXPECT_EQ(buffer.GetTabSize(), 1);
  EXPECT_EQ(buffer.m_nLineEndType, LINEEND_CRLF);
  EXPECT_STREQ(buffer.m_szLineEnd, "\r\n");
  EXPECT_FALSE(buffer.m_bKeepTabs);
  EXPECT_EQ(buffer.m_strFontName, CString("Mono"));
  Write("", "Tab size", "3");
  Write("", "Line end type", "2");
  Write("", "Keep tabs", "1");
  Write("", "Font name", "Courier New");
}

TEST(EditSettings, TheLanguageSectionGivesCommentsCharactersAndKeywords) {
  const char* c = "Editor\\C Files";
  Write(c, "Chroma", "1");
  Write(c, "Keywords", "c.ini");
  Write(c, "Extra word chars", "#");
  Write(c, "Comment Start 1", "//");
  Write(c, "Comment Start 2", "/*");
  Write(c, "Comment End 2", "*/");
  Write(c, "Comment End 1", "a-delimiter-longer-than-fifteen");
  Write(c, "Keyword", "1,2,3");
  EditBuffer buffer;
  buffer.SetSection(c);
  buffer.LoadLanguageSettings();
  EXPECT_TRUE(buffer.m_bChroma);
  EXPECT_STREQ(buffer.m_szCommentStart2, "/*");
  EXPECT_STREQ(buffer.m_szCommentEnd1, "a-delimiter-lon");
  EXPECT_TRUE(buffer.m_wordChars[(unsigned char)'#']);
  EXPECT_TRUE(buffer.IsWordChar('#'));
  const char* pos = "#include <x.h>";
  int start = 0, end = 0;
  ASSERT_TRUE(buffer.NextKeywordSpan(&pos, &start, &end));
  EXPECT_EQ(end - start, 8);
  Write(c, "Keywords", "no-such-keyword-file.ini");
  buffer.LoadLanguageSettings();
  EXPECT_FALSE(buffer.m_bChroma);
}
