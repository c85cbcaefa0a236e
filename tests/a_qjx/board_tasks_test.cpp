#include <string>

#include "drivers/rizo32/rizo32.h"
#include "tests/a_qjx/family_fixture.h"
#include "ytn1/ytn1.h"

namespace {

std::string Line(CBoardFamily& f, int i) { return f.infoLines[i].text.operator LPCTSTR(); }

TEST_F(FamilyTest, ProgramTableCountsUsedSlotsAndTypes) {
  CBoardFamily& f = Select(8, 0);
  Install(3, 0x100, "", 0, 0x1181);  // II
  Install(9, 0x200, "", 0, 0x1183);  // TI
  f.ReadProgramTable();
  EXPECT_EQ(f.programCount, 2);
  EXPECT_EQ(f.programTable[3].programNumber, 0x100);
  EXPECT_EQ(std::string(f.programTable[3].taskType), "II");
  EXPECT_EQ(std::string(f.programTable[9].taskType), "TI");
  SetUserMode(1);
  f.ReadProgramTable();  // the operating system counts in user mode
  EXPECT_EQ(f.programCount, 3);
  SetUserMode(0);
}

TEST_F(FamilyTest, TaskAndProgramDescriptions) {
  CBoardFamily& f = Select(8, 0);
  Install(4, 0x1234, "procedures=2\r\nlanguage=5\r\nprocessor=4\r\n");
  f.DescribeTask(4);
  ASSERT_EQ(f.infoLines.GetSize(), 3);
  EXPECT_EQ(Line(f, 0), "Number of task: \t4");
  EXPECT_EQ(Line(f, 1), "Type of task: \tNI");
  EXPECT_EQ(Line(f, 2), "Number of program: \t1234 hex");

  f.DescribeProgram(4);
  EXPECT_EQ(Line(f, 0), "PDT");
  EXPECT_EQ(Line(f, 3), "Number of procedures: \t2");
  EXPECT_EQ(Line(f, 4), "Number of program: \t1234 hex");
  EXPECT_EQ(Line(f, 5), "Version of program: \t1");
  EXPECT_EQ(Line(f, 6), "Revision of program: \tA");
  EXPECT_EQ(Line(f, 7), "Type of processor: \t80486 DX");
  EXPECT_EQ(Line(f, 9), "Programming language: \tBorland C 3.0");
  EXPECT_EQ(Line(f, 10), "Type of program: \tUser");
  int n = f.infoLines.GetSize();
  EXPECT_EQ(Line(f, n - 2).rfind("Address of procedure 0 (main): \t", 0), 0u);
  EXPECT_EQ(Line(f, n - 1).rfind("Address of procedure 1 (auto init): \t", 0), 0u);
  for (int i = 0; i < n; ++i) EXPECT_EQ(f.infoLines[i].kind, kInfoTask);

  Install(5, 0x55, "procedures=5\r\n");
  f.DescribeProgram(5);
  n = f.infoLines.GetSize();
  EXPECT_EQ(Line(f, n - 1).rfind("Address of procedure 4 (user): \t", 0), 0u);
  EXPECT_EQ(Line(f, n - 5).rfind("Address of procedure 0 (main): \t", 0), 0u);

  f.DescribeTaskDescriptor(5);
  EXPECT_EQ(Line(f, 0), "TDT");
  EXPECT_EQ(Line(f, 3), "Number of task: \t5");
  EXPECT_EQ(Line(f, 5), "Number of activations: \t0");
  EXPECT_EQ(Line(f, 7), "Number of procedures: \t5");
}

TEST_F(FamilyTest, AreaListingsStopAtTheirLimits) {
  struct Case {
    WORD type;
    uint16_t board;
    bool parameter;
    uint32_t size;
    bool listed;
  };
  const Case cases[] = {
      {2, 1, false, 3000, true},   {2, 1, false, 3001, false}, {8, 0, false, 3001, true},
      {8, 0, false, 10001, false}, {8, 0, true, 10000, true},  {8, 0, true, 10001, false},
  };
  for (const Case& c : cases) {
    CBoardFamily& f = Select(c.type, c.board);
    if (c.parameter)
      Install(6, 0x66, "params=" + std::to_string(c.size) + "\r\n");
    else
      Install(6, 0x66, "", c.size);
    if (c.parameter) {
      qj8_write_par_byte(6, 7, 0x5A);
      f.GetParameterAreaText(6);
    } else {
      qj8_write_data(6, 7, 1, "\x5A");
      f.GetDataAreaText(6);
    }
    int header = c.parameter ? 4 : 5;
    if (c.listed) {
      ASSERT_EQ(f.infoLines.GetSize(), header + int(c.size)) << c.size;
      const BoardInfoLine& byte7 = f.infoLines[header + 7];
      EXPECT_EQ(std::string(byte7.text), "7\t5a");
      EXPECT_EQ(byte7.index, 7);
      EXPECT_EQ(byte7.value, 0x5A);
      EXPECT_EQ(byte7.kind, c.parameter ? kInfoParameter : kInfoData);
    } else {
      ASSERT_EQ(f.infoLines.GetSize(), header + 1) << c.size;
      EXPECT_EQ(Line(f, header), "Too many parameters");
    }
  }
}

TEST_F(FamilyTest, DeskDataAreaIsReadFromTheReadPointer) {
  CBoardFamily& f = Select(2, 1);
  Install(6, 0x66, "", 4);
  f.GetDataAreaText(6);
  EXPECT_EQ(sim().Trace().Of("qj8_reset_r_pointer").size(), 1u);
  EXPECT_EQ(Args("qj8_read_data_block"), std::vector<std::string>{"6, 4, ptr"});
  f.WriteDataByte(6, 2, 0x77);
  f.WriteParameterByte(6, 1, 0x88);
  EXPECT_EQ(board(1).tasks[6].data.Get8(2), 0x77);
  EXPECT_EQ(board(1).tasks[6].params.Get8(1), 0x88);
}

}  // namespace
