// Whole installation files: the installation pass against the simulated
// rack, the run flags with their boxes, and driver faults in mid-file.
#include <string>
#include <vector>

#include "a_qjx/board_families.h"
#include "a_qjx/ins_texts.h"
#include "drivers/rizo32/rizo32.h"
#include "platform/sys/msgbox.h"
#include "tests/a_qjx_ins/ins_fixture.h"
#include "tests/support/test_support.h"

namespace {

const std::vector<std::string> kQjCalls = {
    "qj8_start",     "qj8_transfer_and_install", "qj8_write_par_byte",         "qj8_call_proc",
    "qj8_call_func", "qj8_send_macro",           "qj8_set_macro_interruptible"};

std::string Rule(const std::string& head, const std::string& line, const std::string& text) {
  return head + ins::kRule + line + "\r\n" + text;
}

class InsRunTest : public InsTest {
 protected:
  // A file that installs a program on the TESSERA at 0x300 and talks to it.
  std::string QjFile(const std::string& lineEnd) {
    std::string prog = Program("PROG.EXE");
    return WriteIns(
        "qj.ins",
        {"' program on the TESSERA-4/486", "Q8DEVICE 300 TIMEOUT=20", "Q8INST " + prog + " 100 10 0 0 1180",
         "", "q8par 10 0 AA BB", "Q8PROC 10 2", "Q8FUNC 10 2 01 02", "Q8CMD 05 30"},
        lineEnd);
  }
};

TEST_F(InsRunTest, InstallsAndTalksToAProgramWithEitherLineEnd) {
  for (const char* lineEnd : {"\r\n", "\n"}) {
    sim().Configure();
    InsInterpreter interpreter(kInsExecute);
    EXPECT_EQ(interpreter.RunFile(QjFile(lineEnd).c_str()), 0);
    EXPECT_EQ(CallsOf(kQjCalls),
              "qj8_start qj8_set_macro_interruptible qj8_transfer_and_install qj8_write_par_byte "
              "qj8_write_par_byte qj8_call_proc qj8_call_func qj8_send_macro");
    EXPECT_EQ(Args("qj8_start"), std::vector<std::string>{"0, ptr, 32"});  // address 0x300, time-out 0x20
    const sim::Task& task = board(0).tasks[0x10];
    EXPECT_EQ(task.program, 0x100);
    EXPECT_EQ(task.params.Get8(0), 0xAA);
    EXPECT_EQ(task.params.Get8(1), 0xBB);
    EXPECT_EQ(task.procCalls, (std::vector<uint16_t>{2, 0x8002}));
    EXPECT_TRUE(BoxTexts().empty());
  }
}

TEST_F(InsRunTest, SyntaxPassOfTheSameFileTouchesNoBoard) {
  InsInterpreter interpreter(kInsErrorBoxes);
  EXPECT_EQ(interpreter.RunFile(QjFile("\r\n").c_str()), 0);
  EXPECT_TRUE(sim().Trace().Entries().empty());
}

TEST_F(InsRunTest, RunFlagsChooseTheBoxes) {
  const std::string bad = "Q8PROC 10";
  struct Case {
    WORD flags;
    std::vector<std::string> lines;
    WORD result;
    std::vector<std::string> boxes;
  };
  const Case cases[] = {
      {kInsErrorBoxes | kInsExecute,
       {"Q8DEVICE 0", bad, "Q8PROC 0 0"},
       kInsSyntaxError,
       {Rule("Error at installation", bad, ins::kParameterError)}},
      {kInsErrorBoxes,
       {"Q8DEVICE 0", bad},
       kInsSyntaxError,
       {Rule("Error at syntax check", bad, ins::kParameterError)}},
      {kInsExecute, {bad}, kInsSyntaxError, {}},
      {kInsExecute | kInsFinishedBox, {"Q8DEVICE 0"}, 0, {ins::kFinished}},
      {kInsErrorBoxes | kInsFinishedBox,
       {bad},
       kInsSyntaxError,
       {Rule("Error at syntax check", bad, ins::kParameterError)}},
      {kInsExecute | kInsWarningBoxes,
       {"PELIXCONNECTCHANNELS NAME=A COUNT=1 INDEX=0", "Q8DEVICE 0"},
       0,
       {Rule("Warning", "PELIXCONNECTCHANNELS NAME=A COUNT=1 INDEX=0", ins::kPelixSkipped)}},
      {kInsExecute, {"PELIXCONNECTCHANNELS NAME=A COUNT=1 INDEX=0"}, 0, {}},
  };
  for (const Case& c : cases) {
    sim().Configure();
    plat::ClearMessageBoxRecords();
    InsInterpreter interpreter(c.flags);
    EXPECT_EQ(interpreter.RunFile(WriteIns("flags.ins", c.lines).c_str()), c.result) << c.flags;
    EXPECT_EQ(BoxTexts(), c.boxes) << c.flags;
    for (auto& r : plat::MessageBoxRecords()) {
      EXPECT_EQ(r.caption, ins::kBoxCaption);
      UINT icon = r.text == ins::kFinished ? MB_ICONINFORMATION : MB_ICONSTOP;
      EXPECT_EQ(r.type, MB_OK | icon | MB_TASKMODAL);
    }
  }
}

TEST_F(InsRunTest, ErrorStopsTheRunAtItsLine) {
  InsInterpreter interpreter(kInsExecute);
  EXPECT_EQ(interpreter.RunFile(WriteIns("stop.ins", {"Q8DEVICE 0", "NOT A COMMAND", "Q8PROC 0 0"}).c_str()),
            kInsSyntaxError);
  EXPECT_TRUE(Args("qj8_call_proc").empty());
}

TEST_F(InsRunTest, FlashFileIsAWarningUnlessAccepted) {
  std::string flash = mirt_test::WriteFile(dir + "/Flash.bin", "image");
  std::string file = WriteIns("flash.ins", {"ZORFLASHFILE FILE=\"" + flash + "\""});
  InsInterpreter warned(21);
  EXPECT_EQ(warned.RunFile(file.c_str()), 0);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{
                            Rule("Warning", "ZORFLASHFILE FILE=\"" + flash + "\"", ins::kFlashFileSkipped)});
  plat::ClearMessageBoxRecords();
  InsInterpreter accepted(21 | kInsFlashFileOk);
  EXPECT_EQ(accepted.RunFile(file.c_str()), 0);
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(InsRunTest, MissingFileIsToldApart) {
  InsInterpreter boxed(21);
  EXPECT_EQ(boxed.RunFile((dir + "/none.ins").c_str()), kInsFileNotOpened);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{ins::kFileNotOpened});
  plat::ClearMessageBoxRecords();
  InsInterpreter quiet(kInsExecute);
  EXPECT_EQ(quiet.RunFile((dir + "/none.ins").c_str()), kInsFileNotOpened);
  EXPECT_EQ(quiet.RunFile(nullptr), kInsFileNotOpened);
  EXPECT_TRUE(BoxTexts().empty());
}

// A driver fault in the middle of a file stops it there with the driver's
// code (code in the high byte, class in the low byte) and its text.
TEST_F(InsRunTest, DriverFaultInMidFileStopsTheRun) {
  std::string prog = Program("PROG.EXE");
  const std::vector<std::string> lines = {"Q8DEVICE 0",     "Q8INST " + prog + " 100 10 0 0 1180",
                                          "Q8PAR 10 0 1 2", "Q8PROC 10 2",
                                          "Q8FUNC 10 2 1",  "Q8CMD 05 30",
                                          "Q8PROC 10 3"};
  struct Case {
    const char* call;
    size_t failingLine;
  };
  const Case cases[] = {{"qj8_transfer_and_install", 1},
                        {"qj8_write_par_byte", 2},
                        {"qj8_call_proc", 3},
                        {"qj8_call_func", 4},
                        {"qj8_send_macro", 5}};
  for (const Case& c : cases) {
    sim().Configure();
    plat::ClearMessageBoxRecords();
    sim().Faults().Add({c.call, 2, 0x26, 1});
    InsInterpreter interpreter(21);
    EXPECT_EQ(interpreter.RunFile(WriteIns("fault.ins", lines).c_str()), 0x2602) << c.call;
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{Rule("Error at installation", lines[c.failingLine],
                                                        "Parameter #1 is wrong\r\nError Class: 2 hex\r\n"
                                                        "Error Code: 26 hex")})
        << c.call;
    // Nothing after the failing line ran, and the error was reported once.
    EXPECT_EQ(Args("qj8_call_proc").size(), c.failingLine >= 3 ? 1u : 0u) << c.call;
    uint8_t cls = 0xFF, code = 0xFF;
    qj8_get_error_class_and_code(&cls, &code);
    EXPECT_EQ(cls, 0);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(g_driverErrorRequest, 0u);
  }
}

TEST_F(InsRunTest, NothingRunsOnABoardThatDidNotStart) {
  board(0).osRunning = false;
  InsInterpreter interpreter(21);
  EXPECT_EQ(interpreter.RunFile(WriteIns("down.ins", {"Q8DEVICE 0", "Q8PROC 0 0"}).c_str()), 0x0101);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{Rule("Error at installation", "Q8DEVICE 0",
                                                      "MINI operating system is not active\r\n"
                                                      "Error Class: 1 hex\r\nError Code: 1 hex")});
  EXPECT_TRUE(Args("qj8_call_proc").empty());
}

TEST_F(InsRunTest, MalformedParameterByteWritesNothing) {
  std::string prog = Program("PROG.EXE");
  InsInterpreter interpreter(kInsExecute);
  EXPECT_EQ(interpreter.RunFile(WriteIns("par.ins", {"Q8DEVICE 0", "Q8INST " + prog + " 100 10 0 0 1180",
                                                     "Q8PAR 10 0 1 2 345"})
                                    .c_str()),
            kInsSyntaxError);
  EXPECT_TRUE(Args("qj8_write_par_byte").empty());
}

// Codes that a driver gives never read as "no file", "syntax error" or
// "wrong board number".
TEST_F(InsRunTest, DriverCodesStayApartFromTheRunsOwnCodes) {
  struct Case {
    uint8_t cls, code;
    WORD result;
  };
  const Case cases[] = {{7, 2, 0x8207}, {7, 0x12, 0x9207}, {1, 2, 0x8201}, {2, 0x26, 0x2602}};
  for (const Case& c : cases) {
    sim().Configure();
    sim().Faults().Add({"qj8_call_proc", c.cls, c.code, 1});
    InsInterpreter interpreter(kInsExecute);
    EXPECT_EQ(interpreter.RunFile(WriteIns("codes.ins", {"Q8DEVICE 0", "Q8PROC 0 0"}).c_str()), c.result);
  }
}

void CustomHandler() {}

TEST_F(InsRunTest, PreviousDriverHandlerComesBack) {
  qj8_set_error_handling(CustomHandler);
  std::string file = WriteIns("handler.ins", {"Q8DEVICE 0 RESET", "Q8PROC 0 0"});
  InsInterpreter interpreter(kInsExecute);
  EXPECT_EQ(interpreter.RunFile(file.c_str()), 0);
  EXPECT_EQ(qj8_set_error_handling(nullptr), &CustomHandler);
}

// Without a DEVICE line the interpreter still hears of a failing call.
TEST_F(InsRunTest, FailureIsSeenWithoutADeviceLine) {
  qj8_select_card(0);
  sim().Faults().Add({"qj8_call_proc", 2, 0x27, 1});
  InsInterpreter interpreter(kInsExecute);
  EXPECT_EQ(interpreter.RunFile(WriteIns("nodevice.ins", {"Q8PROC 0 0"}).c_str()), 0x2702);
}

// A failure the interpreter reported is not shown again by a tool's check.
TEST_F(InsRunTest, ToolCheckAfterAFailedRunShowsNothing) {
  InsInterpreter interpreter(kInsExecute);
  EXPECT_EQ(
      interpreter.RunFile(WriteIns("inst.ins", {"Q8DEVICE 0", "Q8INST NOFILE.EXE 100 10 0 0 0"}).c_str()),
      0x1101);
  CBoardFamily* family = FamilyForType(8);
  family->typeCode = 8;
  EXPECT_EQ(family->CheckDriverError(), 0);
  EXPECT_TRUE(BoxTexts().empty());
}

}  // namespace
