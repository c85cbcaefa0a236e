// The disassembly text model: settings and their bounds, keywords, texts
// and column blocks over the line source, tab arithmetic.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "disasm/listing_line.h"
#include "disasm/disass_edit.h"
#include "disasm/mem_addr_list.h"
#include "platform/sys/profile.h"
#include "tests/disasm/code_memory.h"
#include "tests/disasm/fake_session.h"
#include "tests/support/test_support.h"

using disasm_test::FakeSourceDoc;
using disasm_test::FakeSourceInfo;
using disasm_test::FakeTarget;

namespace {

void Write(LPCSTR key, LPCSTR value) { plat::Profile::App().WriteProfileString("", key, value); }

class DisassTextModel : public ::testing::Test {
 protected:
  void TearDown() override {
    for (LPCSTR key : {"Tab size", "Comment Start 1", "Extra word chars", "Line end type", "Keywords", "Case",
                       "Disassembly"})
      Write(key, nullptr);
  }
};

TEST_F(DisassTextModel, Defaults) {
  DisassEdit m;
  EXPECT_EQ(m.GetTabSize(), 3);
  EXPECT_TRUE(m.GetInsertMode());
  EXPECT_STREQ(m.m_strFontName, "Courier New");
  EXPECT_EQ(m.m_nFontSize, 9);
  EXPECT_EQ(m.m_nFontWeight, 400);
  EXPECT_EQ(m.m_nLineEndType, LINEEND_CRLF);
  EXPECT_EQ(m.m_nLineEndLength, 2);
  EXPECT_STREQ(m.m_szLineEnd, "\r\n");
  EXPECT_FALSE(m.m_bChroma);
  EXPECT_EQ(m.m_crDisassembly, RGB(128, 128, 128));
  EXPECT_EQ(m.m_crBackground, RGB(255, 255, 255));
  EXPECT_EQ(m.m_crComment, RGB(0, 128, 0));
  EXPECT_EQ(m.m_nLineCount, 50);
  EXPECT_FALSE(m.IsReadOnly());
  EXPECT_FALSE(m.IsModified());
}

TEST_F(DisassTextModel, ProfileValuesAreBounded) {
  const struct {
    const char* value;
    int tabSize;
  } tabs[] = {{"0", 1}, {"-4", 1}, {"8", 8}, {"100000", TextModel::kMaxTabSize}};
  for (const auto& t : tabs) {
    Write("Tab size", t.value);
    DisassEdit m;
    EXPECT_EQ(m.GetTabSize(), t.tabSize) << t.value;
  }
  Write("Comment Start 1", "/*-------------------------------*/");
  Write("Extra word chars", "_$");
  Write("Line end type", "2");
  Write("Disassembly", "300,7");
  DisassEdit m;
  EXPECT_STREQ(m.m_szCommentStart1, "/*-------------");
  EXPECT_FALSE(m.IsWordChar('_'));
  EXPECT_TRUE(m.IsWordChar('a'));
  EXPECT_STREQ(m.m_szLineEnd, "\n");
  EXPECT_EQ(m.m_crDisassembly, RGB(300 & 255, 7, 0));
}

TEST_F(DisassTextModel, KeywordFileWithASectionNamedLikeTheFile) {
  std::string dir = mirt_test::MakeTempDir("kw");
  std::string file = mirt_test::WriteFile(dir + "/asm.ini",
                                          "[asm]\r\nmov=\r\npush=\r\nAVeryLongKeywordOfTwentyFourChars=\r\n");
  Write("Keywords", file.c_str());
  DisassEdit m;
  ASSERT_TRUE(m.m_keywords.IsLoaded());
  COLORREF colour = 0;
  EXPECT_TRUE(m.m_keywords.Lookup("MOV", 3, &colour));
  EXPECT_TRUE(m.m_keywords.Lookup("PUSH", 4, &colour));
  EXPECT_FALSE(m.m_keywords.Lookup("POP", 3, &colour));
}

TEST_F(DisassTextModel, MissingKeywordFileTurnsColouringOff) {
  Write("Keywords", "/nonexistent/none.ini");
  plat::Profile::App().WriteProfileInt("", "Chroma", 1);
  DisassEdit m;
  EXPECT_FALSE(m.m_bChroma);
  EXPECT_FALSE(m.m_keywords.IsLoaded());
  plat::Profile::App().WriteProfileString("", "Chroma", nullptr);
}

TEST_F(DisassTextModel, TabArithmetic) {
  DisassEdit m;
  m.SetTabSize(4);
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"abc", "abc"},
      {"a\tb", "a   b"},
      {"abcd\tx", "abcd    x"},
      {"\t\t", "        "},
      {"ab\r\n\tc", "ab\r\n    c"},
  };
  for (const auto& c : cases) {
    int len = 0;
    char* out = m.ExpandTabs(c.in, int(std::string(c.in).size()), 4, 2, &len);
    EXPECT_EQ(std::string(out, len), c.out) << c.in;
    std::free(out);
  }
  EXPECT_TRUE(DisassEdit::IsBefore({2, 5}, {2, 5}));
  EXPECT_FALSE(DisassEdit::IsBefore({2, 6}, {2, 5}));
  EXPECT_TRUE(DisassEdit::IsBefore({2, 9}, {3, 0}));
  EXPECT_FALSE(DisassEdit::IsBefore({3, 0}, {2, 9}));
}

// Lines over the line source: source lines with tabs above the code.
class TextOverLines : public ::testing::Test {
 protected:
  void SetUp() override {
    disass = std::make_unique<CDisassx86>(&target);
    g_pDisass = disass.get();
    FakeSourceDoc::files = {{"m.c", {"\tx = 1;", "ab", "\t\ty"}}};
    g_pfnNewDisassSourceDoc = FakeSourceDoc::Create;
    info.lines[0] = {"m.c", 1, 3};
    g_pDisassSourceInfo = &info;
    g_pMemAddrList = &list;
    model = std::make_unique<DisassEdit>();
    model->SetTabSize(4);
    // The view asks for the lines from the top.
    for (int n = 1; n <= 4; ++n) DisassEdit::LineText(n);
  }
  void TearDown() override {
    model.reset();
    g_pMemAddrList = nullptr;
    g_pDisass = nullptr;
    g_pDisassSourceInfo = nullptr;
    g_pfnNewDisassSourceDoc = nullptr;
  }
  std::string Text(char* t) {
    std::string s(t);
    delete[] t;
    return s;
  }

  FakeTarget target{0, disasm_test::Hex("90 90 90 90")};
  std::unique_ptr<CDisassx86> disass;
  FakeSourceInfo info;
  CMemAddrList list;
  std::unique_ptr<DisassEdit> model;
};

TEST_F(TextOverLines, LinesAndOffsets) {
  // Line 1 "m.c 1:\tx = 1;", line 2 "m.c 2:ab", line 3 "m.c 3:\t\ty".
  EXPECT_EQ(DisassEdit::LineText(2), "m.c 2:ab");
  EXPECT_EQ(model->OffsetToColumn(1, 7), 8);
  EXPECT_EQ(model->OffsetToColumn(1, 8), 9);
  EXPECT_EQ(model->ColumnToOffset(1, 8), 7);
  EXPECT_EQ(model->ColumnToOffset(1, 7), 6);
  EXPECT_EQ(model->OffsetToColumn(3, 8), 12);
  EXPECT_EQ(model->ColumnToOffset(2, 12), 12);
}

TEST_F(TextOverLines, StreamTexts) {
  EXPECT_EQ(Text(model->GetText({2, 2}, {2, 5})), "c 2");
  EXPECT_EQ(Text(model->GetText({2, 6}, {2, 99})), "ab");
  EXPECT_EQ(Text(model->GetText({1, 9}, {3, 3})), "= 1;\r\nm.c 2:ab\r\nm.c");
  // A start at the end of its line contributes nothing, not even CR LF.
  EXPECT_EQ(Text(model->GetText({2, 8}, {3, 1})), "m");
}

TEST_F(TextOverLines, ColumnBlocks) {
  // Columns 6 to 9 of lines 1 to 3; line 2 ends inside the block.
  EXPECT_EQ(Text(model->GetColumnText({1, 6}, {3, 9})), "  x \r\nab  \r\n    ");
  // Column 10: line 2 ends before it and gives a blank.
  EXPECT_EQ(Text(model->GetColumnText({1, 9}, {3, 10})), "=\r\n \r\n ");
  model->SetLineEndType(2);
  EXPECT_EQ(Text(model->GetColumnText({2, 7}, {2, 0})), "m.c 2:a");
  EXPECT_EQ(Text(model->GetColumnText({1, 0}, {2, 3})), "m.c\r\nm.c");
}

TEST_F(TextOverLines, DeletionsChangeNothing) {
  EXPECT_EQ(model->DeleteChars({2, 1}, 3, TRUE), 0);
  ASSERT_EQ(model->Undo().Count(), 1);
  EXPECT_EQ(model->Undo().Record(0).kind, 3);
  EXPECT_STREQ(model->Undo().Record(0).text, ".c ");
  EXPECT_EQ(DisassEdit::LineText(2), "m.c 2:ab");
  model->SetReadOnly(TRUE);
  EXPECT_EQ(model->DeleteColumnBlock({1, 0}, {2, 2}, TRUE), kDisassErrReadOnly);
  EXPECT_EQ(model->Undo().Count(), 1);
  model->SetReadOnly(FALSE);
  EXPECT_EQ(model->DeleteColumnBlock({1, 0}, {2, 2}, TRUE), 0);
  EXPECT_EQ(model->Undo().Record(1).kind, 9);
}

}  // namespace
