#include <gtest/gtest.h>

#include <string>

#include "a_qjx/ins_editor_lines.h"
#include "a_qjx/ins_flags.h"
#include "a_qjx/ins_interpreter.h"
#include "a_qjx/ins_text_file.h"
#include "a_qjx/ins_texts.h"
#include "tests/support/test_support.h"

namespace {

TEST(InsFlags, ValueSelectsOneEntryPerList) {
  constexpr DWORD kFlags = 0x1908;
  const char* expected[kInsFlagLists] = {
      "NI-Task", "QxINST (if bit 3 of PDT flag is =0)", "highest", "Assembler large", "datasize", "Call",
      "Activate"};
  int selections[kInsFlagLists];
  for (int list = 0; list < kInsFlagLists; ++list) {
    selections[list] = InsFlagSelection(list, kFlags);
    ASSERT_GE(selections[list], 0) << list;
    EXPECT_STREQ(InsFlagListAt(list).entries[selections[list]].text, expected[list]);
  }
  EXPECT_EQ(InsFlagsValue(selections), kFlags);
}

TEST(InsFlags, ListsWithoutSelectionAddNothing) {
  constexpr DWORD kUnlistedFormat = 7u << 6;  // program format 7 has no entry
  EXPECT_EQ(InsFlagSelection(3, kUnlistedFormat), -1);
  int selections[kInsFlagLists] = {3, -1, -1, -1, -1, -1, 1};
  EXPECT_EQ(InsFlagsValue(selections), 0x1003u);
}

TEST(InsFlags, StartValueOfTheSelection) {
  struct Case {
    const char* selection;
    DWORD value;
  };
  const Case cases[] = {{"1a", 0x1A}, {"task", 0}, {"", 0}, {" 1908 ", 0x1908}, {"1.5", 0}, {"FF", 0xFF}};
  for (const Case& c : cases) EXPECT_EQ(InsFlagsStartValue(c.selection), c.value) << c.selection;
}

TEST(InsEditorLines, SaveAsReplacesOnlyTheExtensionOfTheFileName) {
  struct Case {
    const char* chosen;
    const char* stored;
  };
  const Case cases[] = {
      {"C:\\ins.d\\board.txt", "C:\\ins.d\\board.ins"},
      {"/tmp/v1.2/setup", "/tmp/v1.2/setup.ins"},
      {"/tmp/setup.ins", "/tmp/setup.ins"},
      {"/tmp/a.b.c", "/tmp/a.b.ins"},
      {"/tmp/.hidden", "/tmp/.hidden.ins"},
  };
  for (const Case& c : cases) EXPECT_EQ(std::string(InsFileName(c.chosen)), c.stored) << c.chosen;
}

TEST(InsEditorLines, CommentsAndEmptyLinesPrintNothing) {
  InsInterpreter interpreter;
  CString report = "x";
  for (const char* line : {"   ; a comment", "", "   ", "'KALVEN - INSTALLATION FILE"}) {
    EXPECT_EQ(CheckInsLine(interpreter, 0, line, InsExecute::CheckOnly, &report), InsLineOutcome::Good)
        << line;
    EXPECT_TRUE(report.IsEmpty()) << line;
  }
}

TEST(InsEditorLines, ReportsOfGoodAndBadLines) {
  InsInterpreter interpreter;
  CString report;
  EXPECT_EQ(CheckInsLine(interpreter, 7, "  Q8DEVICE 1 ", InsExecute::CheckOnly, &report),
            InsLineOutcome::Good);
  EXPECT_EQ(std::string(report), "\r\n(007) Q8DEVICE 1");
  EXPECT_EQ(CheckInsLine(interpreter, 3, "Q5DEVICE 1", InsExecute::CheckOnly, &report),
            InsLineOutcome::Error);
  EXPECT_EQ(
      std::string(report),
      std::string("\r\nLine 3: Q5DEVICE 1\r\n*************** Error ***************\r\n") + ins::kNoKeyword);
}

TEST(InsEditorLines, VerdictIsOkOrTheResultText) {
  InsInterpreter interpreter;
  InsLineVerdict good = VerdictOfLine(interpreter, " Q8DEVICE 1\r\n");
  EXPECT_EQ(std::string(good.syntax), "OK");
  EXPECT_EQ(std::string(good.help), ins::kDeviceHelp);
  InsLineVerdict bad = VerdictOfLine(interpreter, "Q5DEVICE 1");
  EXPECT_EQ(std::string(bad.syntax), ins::kNoKeyword);
}

TEST(InsEditorLines, SyntaxCheckEnds) {
  EXPECT_EQ(std::string(SyntaxCheckEnd(0)), "\r\n----------OK----------");
  EXPECT_EQ(std::string(SyntaxCheckEnd(2)), "\r\n----------2 Error(s)----------");
}

TEST(InsTextFile, LineEndsReadAsLfAndWrittenAsCrLf) {
  constexpr auto kBytes = "a\r\nb\rc";
  EXPECT_EQ(std::string(InsTextOfBytes(kBytes, std::char_traits<char>::length(kBytes))), "a\nb\nc\n");
  EXPECT_EQ(std::string(InsTextOfBytes("", 0)), "");
  const std::string path = mirt_test::MakeTempDir("ins") + "/t.ins";
  ASSERT_TRUE(WriteInsText(path.c_str(), "x\ny\r\n"));
  EXPECT_EQ(mirt_test::ReadFile(path), "x\r\ny\r\n");
  CString back;
  ASSERT_TRUE(ReadInsText(path.c_str(), &back));
  EXPECT_EQ(std::string(back), "x\ny\n");
  EXPECT_FALSE(ReadInsText((path + ".missing").c_str(), &back));
}

}  // namespace
