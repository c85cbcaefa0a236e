// Single commands in the installation pass: what reaches the driver and
// what comes back as answer and result texts.
#include <string>
#include <vector>

#include "a_qjx/ins_texts.h"
#include "drivers/dovi32/dovi32.h"
#include "drivers/rizo32/rizo32.h"
#include "tests/a_qjx_ins/ins_fixture.h"
#include "tests/support/test_support.h"
#include "ytn1/ytn1.h"

namespace {

using InsCommandTest = InsTest;

TEST_F(InsCommandTest, DeviceStartsOrResetsTheGenerationOfItsKeyword) {
  std::string os = mirt_test::WriteFile(dir + "/qj8-Os.10r", "os");
  struct Case {
    std::string line;
    const char* call;
    std::string args;
  };
  const Case cases[] = {
      {"Q2DEVICE 1 TIMEOUT=20", "qj2_start", "1, ptr, 32"},
      {"Q6DEVICE 2", "qj6_start", "2, ptr, 10"},
      {"Q7DEVICE 330", "qj7_start", "3, ptr, 10"},
      {"Q8DEVICE 0 RESET", "qj8_reset", "0, ptr, \"ROM\", 10"},
      {"Q8DEVICE 0 TIMEOUT=99 RESET " + os, "qj8_reset", "0, ptr, \"" + os + "\", 153"},
  };
  for (const Case& c : cases) {
    sim().Configure();
    LineOutcome o = RunLine(c.line, true);
    EXPECT_EQ(o.result, 0) << c.line << " " << (LPCTSTR)o.text;
    EXPECT_EQ(Args(c.call), std::vector<std::string>{c.args}) << c.line;
    EXPECT_EQ(Args("qj8_set_macro_interruptible"), std::vector<std::string>{"1"}) << c.line;
  }
}

TEST_F(InsCommandTest, DeviceAddressTakesTheLastBoardThere) {
  sim().Configure("board 0 type=8 address=300\nboard 5 type=8 address=300\nboard 6 type=8 address=310\n");
  EXPECT_EQ(RunLine("Q8DEVICE 300", true).result, 0);
  EXPECT_EQ(Args("qj8_start"), std::vector<std::string>{"5, ptr, 10"});

  LineOutcome none = RunLine("Q8DEVICE 3F0", true);
  EXPECT_EQ(none.result, 1);
  EXPECT_EQ(none.errorCode, kInsWrongBoard);
  EXPECT_STREQ(none.text, ins::kWrongBoard);
  EXPECT_EQ(Args("qj8_start").size(), 1u);
}

TEST_F(InsCommandTest, FunctionAnswersAndStatuses) {
  Program("F.EXE");
  ASSERT_EQ(RunLine("Q8DEVICE 0", true).result, 0);
  ASSERT_EQ(RunLine("Q8INST " + dir + "/F.EXE 100 10 0 0 1180", true).result, 0);

  LineOutcome answered = RunLine("Q8FUNC 10 7 01 02 0A", true);
  EXPECT_EQ(answered.result, 0);
  EXPECT_STREQ(answered.answer, "Answer (hex): 0A 02 01 ");
  EXPECT_EQ(Args("qj8_call_func"), std::vector<std::string>{"16, 7, 3, ptr, 256"});

  LineOutcome missing = RunLine("Q8FUNC 20 1", true);
  EXPECT_EQ(missing.result, 1);
  EXPECT_EQ(missing.errorCode, 0x18);
  EXPECT_STREQ(missing.text, ins::kFuncMissing);

  // Installed without the start flag (0x1000): the task never answers.
  ASSERT_EQ(RunLine("Q8INST " + dir + "/F.EXE 101 30 0 0 180", true).result, 0);
  LineOutcome silent = RunLine("Q8FUNC 30 1", true);
  EXPECT_EQ(silent.result, 1);
  EXPECT_EQ(silent.errorCode, 1);
  EXPECT_STREQ(silent.text, "Timeout in communication");
}

TEST_F(InsCommandTest, MacroAnswersHaveTheFormatsLength) {
  ASSERT_EQ(RunLine("Q8DEVICE 0", true).result, 0);
  struct Case {
    const char* line;
    std::string answer;
    const char* args;
  };
  const Case cases[] = {
      {"Q8CMD 05 30", "Answer (hex): 05 06 07 ", "5, 48, 0, 0, ptr, ptr"},
      {"Q8CMD 05 00", "", "5, 0, 0, 0, ptr, ptr"},
      {"Q8CMD 05 1D 01 00 AA", "Answer (hex): 05 06 07 08 ", "5, 29, 1, 0, ptr, ptr"},
      {"Q8CMD 05 F0 02 00", "Answer (hex): 05 06 07 ", "5, 240, 0, 2, ptr, ptr"},
  };
  for (const Case& c : cases) {
    sim().Trace().Clear();
    LineOutcome o = RunLine(c.line, true);
    EXPECT_EQ(o.result, 0) << c.line;
    EXPECT_EQ(std::string(o.answer), c.answer) << c.line;
    EXPECT_EQ(Args("qj8_send_macro"), std::vector<std::string>{c.args}) << c.line;
  }
}

TEST_F(InsCommandTest, LongMacroAnswerFitsItsBuffer) {
  ASSERT_EQ(RunLine("Q8DEVICE 0", true).result, 0);
  LineOutcome o = RunLine("Q8CMD 00 D0 FF FF", true);  // 0xFFFF + 4 answer bytes
  EXPECT_EQ(o.result, 0);
  EXPECT_EQ(o.answer.GetLength(), int(std::string(ins::kAnswerPrefix).size() + 3 * (0xFFFF + 4)));
}

TEST_F(InsCommandTest, RefusedMacroGivesTheDriversText) {
  ASSERT_EQ(RunLine("Q8DEVICE 0", true).result, 0);
  LineOutcome o = RunLine("Q8CMD FF 00", true);
  EXPECT_EQ(o.result, 1);
  EXPECT_EQ(o.errorCode, 0x3602);
  EXPECT_STREQ(o.text, "Macro command is unknown\r\nError Class: 2 hex\r\nError Code: 36 hex");
}

TEST_F(InsCommandTest, ServiceRequestErrorNamesItsBytes) {
  ASSERT_EQ(RunLine("Q8DEVICE 0", true).result, 0);
  InsInterpreter interpreter(kInsExecute);
  sim().RaiseServiceRequest(0, 0x11CF);
  g_driverErrorRequest = 1;
  CString text = interpreter.QjErrorText();
  EXPECT_STREQ(text,
               "Error Request from Vantor\r\nLow Byte: 207\r\nHigh Byte: 17\r\nError Class: 5 hex\r\n"
               "Error Code: CF hex");
  EXPECT_EQ(g_driverErrorRequest, 0u);
}

TEST_F(InsCommandTest, ZorFileRunsOnTheConnectedCpu) {
  std::string prog = Program("Zor Prog.exe", "procedures=4\nparams=64\n");
  std::string file =
      WriteIns("zor.ins", {"ZORRESET BOARD=4", "ZORCONNECTCPU BOARD=4 SLOT=1 LAYER=0",
                           "ZORINST FILE=\"" + prog + "\" NO=200 TASK=5 AUTOINIT ACTIVATE",
                           "ZORPROC TASK=5 PROC=2", "ZORFUNC TASK=5 FUNC=1 PARA=01 02",
                           "ZORPAR TASK=5 START=3 PARA=AA BB", "ZORLOADMDD SLOT=2 LAYER=0 PROGNO=4FF"});
  {
    InsInterpreter interpreter(kInsExecute);
    EXPECT_EQ(interpreter.RunFile(file.c_str()), 0);
    EXPECT_NE(interpreter.cpuConnection, 0u);
    EXPECT_EQ(Args("zor_reset_board"), std::vector<std::string>{"4, 10"});
    // Flags: no data size given, initialise and activate.
    EXPECT_EQ(Args("zor_transfer_and_install"),
              std::vector<std::string>{std::to_string(interpreter.cpuConnection) + ", \"" + prog +
                                       "\", 512, 5, 7680"});
    const sim::Task& task = board(4).tasks[5];
    // Procedure 1 is the initialisation that AUTOINIT asks for.
    EXPECT_EQ(task.procCalls, (std::vector<uint16_t>{1, 2, 0x8001}));
    EXPECT_EQ(task.params.Get8(3), 0xAA);
    EXPECT_EQ(task.params.Get8(4), 0xBB);
    EXPECT_TRUE(Args("zor_exit_cpu").empty());
  }
  // The connection ends with the interpreter.
  EXPECT_EQ(Args("zor_exit_cpu").size(), 1u);
  EXPECT_TRUE(sim().ZorConnections().empty());
}

TEST_F(InsCommandTest, ZorFunctionAnswerAndLimits) {
  Program("Z.EXE");
  InsInterpreter interpreter(kInsExecute);
  CString help, answer, result;
  ASSERT_EQ(interpreter.ParseLine("ZORCONNECTCPU BOARD=4 SLOT=1 LAYER=0", TRUE, help, answer, result), 0);
  ASSERT_EQ(interpreter.ParseLine(("ZORINST FILE=\"" + dir + "/Z.EXE\" NO=1 TASK=7").c_str(), TRUE, help,
                                  answer, result),
            0);
  EXPECT_EQ(interpreter.ParseLine("ZORFUNC TASK=7 FUNC=1 PARA=01 02 0A", TRUE, help, answer, result), 0);
  EXPECT_STREQ(answer, "Answer (hex): 0A 02 01 ");

  std::string tooMany = "ZORFUNC TASK=7 FUNC=1 PARA=";
  for (int i = 0; i < 65; ++i) tooMany += " 1";  // the simulated CPU takes 64
  EXPECT_EQ(interpreter.ParseLine(tooMany.c_str(), TRUE, help, answer, result), 1);
  EXPECT_STREQ(result, ins::kTooManyParameters);
  EXPECT_EQ(interpreter.errorCode, kInsSyntaxError);
}

TEST_F(InsCommandTest, ZorErrorTextNamesTheCode) {
  InsInterpreter interpreter(kInsExecute);
  CString help, answer, result;
  ASSERT_EQ(interpreter.ParseLine("ZORCONNECTCPU BOARD=4 SLOT=1 LAYER=0", TRUE, help, answer, result), 0);
  EXPECT_EQ(interpreter.ParseLine("ZORPROC TASK=9 PROC=2", TRUE, help, answer, result), 1);
  EXPECT_STREQ(result, "Task is not installed\r\nError code: 8E0h");
  EXPECT_EQ(interpreter.errorCode, 0x08E0);

  sim().Faults().Add({"zor_reset_board", 0x7E, 0x77, 1});  // a code without a text
  EXPECT_EQ(interpreter.ParseLine("ZORRESET BOARD=4", TRUE, help, answer, result), 1);
  EXPECT_STREQ(result, "---\r\nError code: 7E77h");
}

TEST_F(InsCommandTest, ConnectingAgainDropsTheFirstCpu) {
  InsInterpreter interpreter(kInsExecute);
  CString help, answer, result;
  ASSERT_EQ(interpreter.ParseLine("ZORCONNECTCPU BOARD=4 SLOT=1 LAYER=0", TRUE, help, answer, result), 0);
  ASSERT_EQ(interpreter.ParseLine("ZORCONNECTCPU BOARD=4 SLOT=1 LAYER=0", TRUE, help, answer, result), 0);
  EXPECT_EQ(Args("zor_exit_cpu").size(), 1u);
  EXPECT_EQ(sim().ZorConnections().size(), 1u);
  EXPECT_EQ(interpreter.ExitCpu(), 0);
  EXPECT_EQ(interpreter.ExitCpu(), 0);  // nothing left to disconnect
  EXPECT_EQ(Args("zor_exit_cpu").size(), 2u);
}

TEST_F(InsCommandTest, ZorInstallRecordFromItsFields) {
  Program("I.EXE");
  struct Case {
    std::string fields;
    std::string traced;
  };
  const Case cases[] = {
      {"NO=10", "16, 0, 1536"},
      {"NO=10 TASK=3 TASKTYPE=ZOR_II_TASK IRQ=5 DATASIZE=100", "16, 3, 8"},
      {"NO=10 TASK=4 TASKTYPE=ZOR_TI_TASK AUTOINIT", "16, 4, 3592"},
  };
  for (const Case& c : cases) {
    sim().Configure();
    InsInterpreter interpreter(kInsExecute);
    CString help, answer, result;
    ASSERT_EQ(interpreter.ParseLine("ZORCONNECTCPU BOARD=4 SLOT=1 LAYER=0", TRUE, help, answer, result), 0);
    std::string line = "ZORINST FILE=\"" + dir + "/I.EXE\" " + c.fields;
    EXPECT_EQ(interpreter.ParseLine(line.c_str(), TRUE, help, answer, result), 0) << c.fields;
    EXPECT_EQ(Args("zor_transfer_and_install"),
              std::vector<std::string>{std::to_string(interpreter.cpuConnection) + ", \"" + dir +
                                       "/I.EXE\", " + c.traced})
        << c.fields;
  }
}

TEST_F(InsCommandTest, MacroHandlerAloneChecksAndSends) {
  ASSERT_EQ(RunLine("Q8DEVICE 0", true).result, 0);
  InsInterpreter interpreter;
  CString help, answer, result;
  EXPECT_EQ(interpreter.ParseCmd("Q8CMD 00 20", FALSE, help, answer, result), 0);
  EXPECT_TRUE(Args("qj8_send_macro").empty());
  EXPECT_EQ(interpreter.ParseCmd("Q8CMD 00 20", TRUE, help, answer, result), 0);
  EXPECT_STREQ(answer, "Answer (hex): 00 01 ");
  EXPECT_EQ(interpreter.ParseCmd("Q8CMD 00", FALSE, help, answer, result), 1);
  EXPECT_STREQ(help, ins::kCmdHelp);
}

}  // namespace
