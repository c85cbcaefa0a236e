// New Project's derived values and the main source made from the board
// templates, for CR LF and LF templates and every task type.
#include <gtest/gtest.h>

#include <string>

#include "app/main_source_generator.h"
#include "app/new_project_values.h"
#include "platform/sys/msgbox.h"
#include "tests/support/test_support.h"

namespace {

struct PlanCase {
  const char* location;
  const char* environment;
  const char* projectFile;
  const char* mainSource;
  MainSourceTemplate board;
  bool mini;
};

constexpr PlanCase kPlanCases[] = {
    {"/w/p", "X-ZOR-400 C++ (GNU xscale-elf)", "/w/p/demo.kpj", "/w/p/demo.c", MainSourceTemplate::kZor,
     false},
    {"/w/p/", "X-ZOR-400 C++ (GNU xscale-elf)", "/w/p/demo.kpj", "/w/p/demo.c", MainSourceTemplate::kZor,
     false},
    {"/w/p\\", "ZOR6PCI C++", "/w/p/demo.kpj", "/w/p/demo.c", MainSourceTemplate::kZor, false},
    {"/w/p", "X-ZOR-1 C++", "/w/p/demo.kpj", "/w/p/demo.c", MainSourceTemplate::kZor, false},
    {"/w/p", "TESSERA-4/486 C++ (Borland)", "/w/p/demo.kpj", "/w/p/demo.c", MainSourceTemplate::kTessera,
     false},
    {"/w/p", "Mini-TESSERA C++", "/w/p/demo.kpj", "/w/p/demo.c", MainSourceTemplate::kTessera, true},
    {"/w/p", "Linux host C++ (gcc)", "/w/p/demo.kpj", "/w/p/demo.c", MainSourceTemplate::kNone, false},
    {"/w/p", "TESSERA Pascal", "/w/p/demo.kpj", "/w/p/demo.pas", MainSourceTemplate::kNone, false},
};

TEST(NewProjectPlanTest, DerivesFilesAndBoardFromLocationAndEnvironment) {
  for (const PlanCase& c : kPlanCases) {
    NewProjectValues values;
    values.name = "demo";
    values.location = c.location;
    values.environment = c.environment;
    NewProjectPlan plan = PlanNewProject(values);
    SCOPED_TRACE(std::string(c.location) + " " + c.environment);
    EXPECT_EQ(plan.projectFile, c.projectFile);
    EXPECT_EQ(plan.mainSource, c.mainSource);
    EXPECT_EQ(plan.folder, "/w/p");
    EXPECT_EQ(plan.board, c.board);
    EXPECT_EQ(plan.miniBoard, c.mini);
  }
}

TEST(NewProjectPlanTest, ProgramNumberIsReadInHex) {
  const std::pair<const char*, const char*> kNumbers[] = {
      {"1Fh", "0x1f"}, {"0x1f", "0x1f"}, {"1f", "0x1f"}, {"12h", "0x12"}, {"0x7e57", "0x7e57"}, {"", "0x0"},
  };
  for (auto [text, expected] : kNumbers) EXPECT_EQ(NormalizeProgramNumber(text), expected) << text;
}

constexpr auto kZorTemplate =
    "/* task */\n"
    "#define PROGRAMM_NUMBER 0x1\n"
    "\trcPDT.rcHead.usFlags = ZOR_TASK + ZORPDT_PARAMETER_IN_PROG;\n"
    "\trcPDT.rcHead.usInterrupt = 0;\n"
    "}";

constexpr auto kTesseraTemplate =
    "#include <qj8.h>\n"
    "#define PROGRAMM_NUMBER 0x1\n"
    "\tpdt.pdt_head.usFlags = _TASK;\n"
    "\tpdt.pdt_head.usInt = 0;\n"
    "\tqj8_register_task(&pdt);\n";

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

struct FillCase {
  MainSourceTemplate board;
  int taskType;
  bool mini;
  const char* expected;  // with LF line ends
};

const FillCase kFillCases[] = {
    {MainSourceTemplate::kZor, 0, false,
     "/* task */\n#define PROGRAMM_NUMBER 0x12\n"
     "\trcPDT.rcHead.usFlags = ZOR_TASK + ZORPDT_PARAMETER_IN_PROG;\n\trcPDT.rcHead.usInterrupt = 0;\n}"},
    {MainSourceTemplate::kZor, 1, false,
     "/* task */\n#define PROGRAMM_NUMBER 0x12\n#define INTERRUPT_NUMBER ZOR1_IRQ_TIMERC\t//change to your "
     "needs\n"
     "\trcPDT.rcHead.usFlags = ZOR_TI_TASK + ZORPDT_PARAMETER_IN_PROG;\n"
     "\trcPDT.rcHead.usInterrupt = INTERRUPT_NUMBER;\n}"},
    {MainSourceTemplate::kZor, 2, false,
     "/* task */\n#define PROGRAMM_NUMBER 0x12\n#define INTERRUPT_NUMBER ZOR1_IRQ_TIMERA\t//change to your "
     "needs\n"
     "\trcPDT.rcHead.usFlags = ZOR_II_TASK + ZORPDT_PARAMETER_IN_PROG;\n"
     "\trcPDT.rcHead.usInterrupt = INTERRUPT_NUMBER;\n}"},
    {MainSourceTemplate::kZor, 3, false,
     "/* task */\n#define PROGRAMM_NUMBER 0x12\n#define INTERRUPT_NUMBER ZOR1_IRQ_TIMERA\t//change to your "
     "needs\n"
     "\trcPDT.rcHead.usFlags = ZOR_DI_TASK + ZORPDT_PARAMETER_IN_PROG;\n"
     "\trcPDT.rcHead.usInterrupt = INTERRUPT_NUMBER;\n}"},
    {MainSourceTemplate::kTessera, 0, false,
     "#include <qj8.h>\n#define PROGRAMM_NUMBER 0x12\n\tpdt.pdt_head.usFlags = _TASK;\n"
     "\tpdt.pdt_head.usInt = 0;\n\tqj8_register_task(&pdt);\n"},
    {MainSourceTemplate::kTessera, 1, false,
     "#include <qj8.h>\n#define PROGRAMM_NUMBER 0x12\n#define INTERRUPT_NUMBER IRQ_TIMER_C\t//change to your "
     "needs\n"
     "\tpdt.pdt_head.usFlags = _TI_TASK + _PDT_INFO_ENABLE + _LOCAL_DATA + _LOCAL_PARAMETER + "
     "_FIXED_DATASIZE;\n"
     "\tpdt.pdt_head.usInt = INTERRUPT_NUMBER;\n\tqj8_register_task(&pdt);\n"},
    {MainSourceTemplate::kTessera, 2, true,
     "#include <qj7.h>\n#define PROGRAMM_NUMBER 0x12\n#define INTERRUPT_NUMBER IRQ_TIMER_A\t//change to your "
     "needs\n"
     "\tpdt.pdt_head.usFlags = _II_TASK + _PDT_INFO_ENABLE + _LOCAL_DATA + _LOCAL_PARAMETER + "
     "_FIXED_DATASIZE;\n"
     "\tpdt.pdt_head.usInt = INTERRUPT_NUMBER;\n\tqj7_register_task(&pdt);\n"},
    {MainSourceTemplate::kTessera, 3, false,
     "#include <qj8.h>\n#define PROGRAMM_NUMBER 0x12\n#define INTERRUPT_NUMBER IRQ_TIMER_A\t//change to your "
     "needs\n"
     "\tpdt.pdt_head.usFlags = _DI_TASK + _PDT_INFO_ENABLE +_LOCAL_PARAMETER;\n"
     "\tpdt.pdt_head.usInt = INTERRUPT_NUMBER;\n\tqj8_register_task(&pdt);\n"},
};

// Both line-end styles of a template come back in the generated source.
TEST(MainSourceTest, FillsEveryTaskTypeAndKeepsTheTemplatesLineEnds) {
  constexpr auto kNumber = "0x12";
  for (const FillCase& c : kFillCases) {
    std::string source = c.board == MainSourceTemplate::kZor ? kZorTemplate : kTesseraTemplate;
    SCOPED_TRACE(std::to_string(c.taskType) + (c.board == MainSourceTemplate::kZor ? " ZOR" : " TESSERA"));
    EXPECT_EQ(FillTemplateText(source, c.board, c.taskType, kNumber, c.mini), c.expected);
    EXPECT_EQ(FillTemplateText(WithCrLf(source), c.board, c.taskType, kNumber, c.mini), WithCrLf(c.expected));
  }
}

TEST(MainSourceTest, LastLineWithoutEndGetsNoEndAdded) {
  constexpr auto kLast = "#define PROGRAMM_NUMBER 0x1";
  EXPECT_EQ(FillTemplateText(kLast, MainSourceTemplate::kZor, 1, "0x5", false),
            "#define PROGRAMM_NUMBER 0x5\n#define INTERRUPT_NUMBER ZOR1_IRQ_TIMERC\t//change to your needs");
}

class MainSourceFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::ClearMessageBoxRecords();
    dir = mirt_test::MakeTempDir("mainsrc");
  }
  std::string dir;
};

// The installation's own ZOR template, as New Project uses it.
TEST_F(MainSourceFileTest, InstalledZorTemplateGivesTheInterruptTask) {
  std::string out = dir + "/demo.c";
  ASSERT_EQ(GenerateMainSource(mirt_test::ProgramDir() + "/zortemplate.c", out, MainSourceTemplate::kZor, 1,
                               NormalizeProgramNumber("12h"), false),
            MainSourceResult::kWritten);
  std::string text = mirt_test::ReadFile(out);
  EXPECT_NE(text.find("#define PROGRAMM_NUMBER 0x12\n#define INTERRUPT_NUMBER ZOR1_IRQ_TIMERC"),
            std::string::npos);
  EXPECT_NE(text.find("ZOR_TI_TASK"), std::string::npos);
  EXPECT_EQ(text.find("#define PROGRAMM_NUMBER 0x1\n"), std::string::npos);
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
}

TEST_F(MainSourceFileTest, MissingTemplateAndUncreatableSourceAreShown) {
  std::string missing = dir + "/none.c";
  EXPECT_EQ(GenerateMainSource(missing, dir + "/a.c", MainSourceTemplate::kZor, 0, "0x1", false),
            MainSourceResult::kNoTemplate);
  std::string tmpl = mirt_test::WriteFile(dir + "/t.c", kZorTemplate);
  std::string unwritable = dir + "/no/such/folder/a.c";
  EXPECT_EQ(GenerateMainSource(tmpl, unwritable, MainSourceTemplate::kZor, 0, "0x1", false),
            MainSourceResult::kNotCreated);
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Could not read template file:\n" + missing);
  EXPECT_EQ(boxes[0].type & MB_ICONMASK, UINT(MB_ICONSTOP));
  EXPECT_EQ(boxes[1].text, "Could not create file:\n" + unwritable);
}

}  // namespace
