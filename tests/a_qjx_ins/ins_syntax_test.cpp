// The syntax pass, one line at a time: every command shape and its errors.
#include <string>

#include "a_qjx/ins_texts.h"
#include "tests/a_qjx_ins/ins_fixture.h"

namespace {

struct SyntaxCase {
  const char* line;
  int16_t result;
  WORD errorCode;
  const char* help;
  const char* text;  // null: not looked at
};

const char* const kErr = ins::kParameterError;

const SyntaxCase kCases[] = {
    // Empty lines, comments, keywords.
    {"", 0, 0, ins::kCommandOverview, ""},
    {"   ' Q8PROC 1 2", 0, 0, ins::kCommentHelp, ""},
    {"; Q8PROC 1", 0, 0, ins::kCommentHelp, ""},
    {"Q8PROC 1 2 ; not a comment", 1, kInsSyntaxError, ins::kProcHelp, kErr},
    {"q2proc 1 2", 0, 0, ins::kProcHelp, nullptr},
    {"LINKTIME 12:00 whatever", 0, 0, nullptr, nullptr},
    {"INSTALL PROG", 1, kInsSyntaxError, ins::kCommandOverview, ins::kNoKeyword},
    {"Q5DEVICE 1", 1, kInsSyntaxError, ins::kCommandOverview, ins::kNoKeyword},
    // QxDEVICE adr [TIMEOUT=time] [RESET osname]
    {"Q8DEVICE 1", 0, 0, ins::kDeviceHelp, nullptr},
    {"Q8DEVICE", 1, kInsSyntaxError, ins::kDeviceHelp, kErr},
    {"Q8DEVICE 12345", 1, kInsSyntaxError, ins::kDeviceHelp, kErr},
    {"Q8DEVICE 3G0", 1, kInsSyntaxError, ins::kDeviceHelp, kErr},
    {"Q7DEVICE 300 TIMEOUT=20", 0, 0, ins::kDeviceHelp, nullptr},
    {"Q6DEVICE 2 RESET", 0, 0, ins::kDeviceHelp, nullptr},
    {"Q2DEVICE 1 TIMEOUT=20 RESET", 0, 0, ins::kDeviceHelp, nullptr},
    {"Q8DEVICE 1 RESET QJ8-OS.10R", 0, 0, ins::kDeviceHelp, nullptr},
    {"Q8DEVICE 1 TIMEOUT=5 RESET QJ8-OS.10R", 0, 0, ins::kDeviceHelp, nullptr},
    {"Q8DEVICE 1 RESET QJ8-OS.10R MORE", 1, kInsSyntaxError, ins::kDeviceHelp, kErr},
    {"Q8DEVICE 1 BOOT", 1, kInsSyntaxError, ins::kDeviceHelp, kErr},
    {"Q8DEVICE 1 TIMEOUT=5 TIMEOUT=6", 1, kInsSyntaxError, ins::kDeviceHelp, kErr},
    // A time-out that is not decimal fails the run but not the line.
    {"Q8DEVICE 1 TIMEOUT=1A", 0, kInsSyntaxError, ins::kDeviceHelp, nullptr},
    // QxINST filename number task interrupt datasize flags
    {"Q8INST PROG.EXE 100 10 0 0 1180", 0, 0, ins::kInstHelp, nullptr},
    {"Q8INST PROG.EXE FFFF 3FF FF FFFFFF FFFFFFFF", 0, 0, ins::kInstHelp, nullptr},
    {"Q8INST PROG.EXE 100 10 0 0", 1, kInsSyntaxError, ins::kInstHelp, kErr},
    {"Q8INST PROG.EXE 100 10 0 0 1180 7", 1, kInsSyntaxError, ins::kInstHelp, kErr},
    {"Q8INST PROG.EXE 10000 10 0 0 1180", 1, kInsSyntaxError, ins::kInstHelp, kErr},
    {"Q8INST PROG.EXE 100 10 100 0 1180", 1, kInsSyntaxError, ins::kInstHelp, kErr},
    {"Q8INST PROG.EXE 100 10 0 1000000 1180", 1, kInsSyntaxError, ins::kInstHelp, kErr},
    {"Q8INST PROG.EXE 100 10 0 0 100000000", 1, kInsSyntaxError, ins::kInstHelp, kErr},
    // QxPAR task start b1 ... bm
    {"Q8PAR 10 0 1 2 FF", 0, 0, ins::kParHelp, nullptr},
    {"Q8PAR 10 0", 1, kInsSyntaxError, ins::kParHelp, kErr},
    {"Q8PAR 10 0 100", 1, kInsSyntaxError, ins::kParHelp, kErr},
    {"Q8PAR 10 0 1 XY 2", 1, kInsSyntaxError, ins::kParHelp, kErr},
    {"Q8PAR 10000 0 1", 1, kInsSyntaxError, ins::kParHelp, kErr},
    {"Q8PAR 10 FFFF 1", 0, 0, ins::kParHelp, nullptr},
    {"Q8PAR 10 FFFF 1 2", 1, kInsSyntaxError, ins::kParHelp, kErr},  // would wrap to byte 0
    // QxPROC task procnr
    {"Q6PROC 10 2", 0, 0, ins::kProcHelp, nullptr},
    {"Q6PROC 10", 1, kInsSyntaxError, ins::kProcHelp, kErr},
    {"Q6PROC 10 12345", 1, kInsSyntaxError, ins::kProcHelp, kErr},
    // QxFUNC task funcnr [p1] ... [pn]
    {"Q7FUNC 10 2", 0, 0, ins::kFuncHelp, nullptr},
    {"Q7FUNC 10 2 1 22 XYZ", 0, 0, ins::kFuncHelp, nullptr},  // parameters are taken as written
    {"Q7FUNC 10", 1, kInsSyntaxError, ins::kFuncHelp, kErr},
    {"Q7FUNC 10 G", 1, kInsSyntaxError, ins::kFuncHelp, kErr},
    // QxCMD code format [length word] [count word] [data]
    {"Q8CMD 00 20", 0, 0, ins::kCmdHelp, nullptr},
    {"Q8CMD 0 0", 0, 0, ins::kCmdHelp, nullptr},
    {"Q8CMD 00 02 AA BB", 0, 0, ins::kCmdHelp, nullptr},
    {"Q8CMD 00 02 AA", 1, kInsSyntaxError, ins::kCmdHelp, kErr},
    {"Q8CMD 00 02 AA BB CC", 1, kInsSyntaxError, ins::kCmdHelp, kErr},
    {"Q8CMD 00 0B 1 2 3 4 5 6 7 8 9 A B", 0, 0, ins::kCmdHelp, nullptr},
    {"Q8CMD 00 0C", 0, 0, ins::kCmdHelp, nullptr},
    {"Q8CMD 00 0E AA", 1, kInsSyntaxError, ins::kCmdHelp, kErr},
    {"Q8CMD 00 0D 02 00 AA BB", 0, 0, ins::kCmdHelp, nullptr},
    {"Q8CMD 00 0F 00 00", 0, 0, ins::kCmdHelp, nullptr},
    {"Q8CMD 00 0D 02", 1, kInsSyntaxError, ins::kCmdHelp, kErr},
    {"Q8CMD 00 0D 03 00 AA BB", 1, kInsSyntaxError, ins::kCmdHelp, kErr},
    {"Q8CMD 00 D0 05 00", 0, 0, ins::kCmdHelp, nullptr},
    {"Q8CMD 00 F0 05", 1, kInsSyntaxError, ins::kCmdHelp, kErr},
    {"Q8CMD 00 DD 01 00 05 00 AA", 0, 0, ins::kCmdHelp, nullptr},
    {"Q8CMD 00 C0", 1, kInsSyntaxError, ins::kCmdHelp, kErr},
    {"Q8CMD 00 E0", 1, kInsSyntaxError, ins::kCmdHelp, kErr},
    {"Q8CMD 00", 1, kInsSyntaxError, ins::kCmdHelp, kErr},
    {"Q8CMD 100 20", 1, kInsSyntaxError, ins::kCmdHelp, kErr},
    {"Q8CMD 00 2Z", 1, kInsSyntaxError, ins::kCmdHelp, kErr},
    // ZOR commands
    {"ZORRESET BOARD=4", 0, 0, ins::kZorResetHelp, nullptr},
    {"zorreset board=1F", 0, 0, ins::kZorResetHelp, nullptr},
    {"ZORRESET", 1, kInsSyntaxError, ins::kZorResetHelp, kErr},
    {"ZORRESET BOARD=", 1, kInsSyntaxError, ins::kZorResetHelp, kErr},
    {"ZORRESET BOARD=12345", 1, kInsSyntaxError, ins::kZorResetHelp, kErr},
    {"ZORRESET BOARD=4 NOW", 1, kInsSyntaxError, ins::kZorResetHelp, kErr},  // the value runs to the end
    {"ZORCONNECTCPU BOARD=4 SLOT=1 LAYER=0", 0, 0, ins::kZorConnectHelp, nullptr},
    {"ZORCONNECTCPU LAYER=0 SLOT=1 BOARD=4", 0, 0, ins::kZorConnectHelp, nullptr},
    {"ZORCONNECTCPU BOARD=4 SLOT=1", 1, kInsSyntaxError, ins::kZorConnectHelp, kErr},
    {"ZORCONNECTCPU BOARD=4 SLOT=1X LAYER=0", 1, kInsSyntaxError, ins::kZorConnectHelp, kErr},
    {"ZORLOADVANTOR VANTOR=\"ZOR.OS\"", 0, 0, ins::kZorVantorHelp, nullptr},
    {"ZORLOADVANTOR VANTOR=ZOR.OS", 1, kInsSyntaxError, ins::kZorVantorHelp, kErr},
    {"ZORLOADVANTOR \"ZOR.OS\"", 1, kInsSyntaxError, ins::kZorVantorHelp, kErr},
    {"ZORINST FILE=\"P.EXE\" NO=100", 0, 0, ins::kZorInstHelp, nullptr},
    {"ZORINST NO=100 TASK=5 FILE=\"P.EXE\" LEVEL=2 DATASIZE=12345678 AUTOINIT ACTIVATE", 0, 0,
     ins::kZorInstHelp, nullptr},
    {"ZORINST FILE=\"P.EXE NO=100", 1, kInsSyntaxError, ins::kZorInstHelp, kErr},
    {"ZORINST FILE=\"P.EXE\"", 1, kInsSyntaxError, ins::kZorInstHelp, kErr},
    {"ZORINST NO=100", 1, kInsSyntaxError, ins::kZorInstHelp, kErr},
    {"ZORINST FILE=\"P.EXE\" NO=100 DATASIZE=123456789", 1, kInsSyntaxError, ins::kZorInstHelp, kErr},
    {"ZORINST FILE=\"P.EXE\" NO=100 TASKTYPE=ZOR_TI_TASK", 0, 0, ins::kZorInstHelp, nullptr},
    {"ZORINST FILE=\"P.EXE\" NO=100 TASKTYPE=ZOR_II_TASK IRQ=5", 0, 0, ins::kZorInstHelp, nullptr},
    {"ZORINST FILE=\"P.EXE\" NO=100 TASKTYPE=ZOR_II_TASK", 1, kInsSyntaxError, ins::kZorInstHelp, kErr},
    {"ZORINST FILE=\"P.EXE\" NO=100 TASKTYPE=ZOR_NI_TASK IRQ=5", 1, kInsSyntaxError, ins::kZorInstHelp, kErr},
    {"ZORINST FILE=\"P.EXE\" NO=100 IRQ=5", 1, kInsSyntaxError, ins::kZorInstHelp, kErr},
    {"ZORINST FILE=\"P.EXE\" NO=100 TASKTYPE=ZOR_XX_TASK", 1, kInsSyntaxError, ins::kZorInstHelp, kErr},
    {"ZORINST FILE=\"P NO=1.EXE\" TASK=2", 1, kInsSyntaxError, ins::kZorInstHelp,
     kErr},  // NO= only in the name
    {"ZORPROC TASK=1 PROC=2", 0, 0, ins::kZorProcHelp, nullptr},
    {"ZORPROC TASK=1", 1, kInsSyntaxError, ins::kZorProcHelp, kErr},
    {"ZORPROC SUBTASK=1 PROC=2", 1, kInsSyntaxError, ins::kZorProcHelp, kErr},
    {"ZORFUNC TASK=1 FUNC=2 PARA=1 2 3", 0, 0, ins::kZorFuncHelp, nullptr},
    {"ZORFUNC TASK=1 FUNC=2 PARA=", 0, 0, ins::kZorFuncHelp, nullptr},
    {"ZORFUNC TASK=1 FUNC=2 PARA=1 XYZ", 1, kInsSyntaxError, ins::kZorFuncHelp, kErr},
    {"ZORFUNC TASK=1 FUNC=2", 1, kInsSyntaxError, ins::kZorFuncHelp, kErr},
    {"ZORPAR TASK=1 START=10 PARA=AA BB", 0, 0, ins::kZorParHelp, nullptr},
    {"ZORPAR TASK=1 START=FFFF PARA=AA", 0, 0, ins::kZorParHelp, nullptr},
    {"ZORPAR TASK=1 START=10000 PARA=AA", 1, kInsSyntaxError, ins::kZorParHelp, kErr},
    {"ZORPAR TASK=1 START=123456789 PARA=AA", 1, kInsSyntaxError, ins::kZorParHelp, kErr},
    {"ZORPAR TASK=1 PARA=AA", 1, kInsSyntaxError, ins::kZorParHelp, kErr},
    {"ZORLOADMDD SLOT=1 LAYER=0 PROGNO=4FF", 0, 0, ins::kZorMddHelp, nullptr},
    {"ZORLOADMDD SLOT=1 LAYER=0", 1, kInsSyntaxError, ins::kZorMddHelp, kErr},
    {"ZORFLASHFILE FILE=\"/no/such/folder/FLASH.BIN\"", 1, kInsSyntaxError, ins::kZorFlashHelp, kErr},
    {"ZORFLASHFILE", 1, kInsSyntaxError, ins::kZorFlashHelp, kErr},
    {"PELIXCONNECTCHANNELS NAME=A COUNT=1 INDEX=0", 2, 0, ins::kPelixHelp, ins::kPelixSkipped},
    {"PELIXCONNECTCHANNELS NAME=A COUNT=1", 1, kInsSyntaxError, ins::kPelixHelp, kErr},
};

TEST(InsSyntaxTest, EveryCommandShape) {
  for (const SyntaxCase& c : kCases) {
    LineOutcome o = RunLine(c.line, false);
    EXPECT_EQ(o.result, c.result) << c.line;
    EXPECT_EQ(o.errorCode, c.errorCode) << c.line;
    if (c.help) {
      EXPECT_STREQ(o.help, c.help) << c.line;
    }
    if (c.text) {
      EXPECT_STREQ(o.text, c.text) << c.line;
    }
    EXPECT_TRUE(o.answer.IsEmpty()) << c.line;
  }
}

TEST(InsSyntaxTest, SyntaxPassCallsNoDriver) {
  sim::Simulator::Instance().Configure();
  for (const SyntaxCase& c : kCases) RunLine(c.line, false);
  EXPECT_TRUE(sim::Simulator::Instance().Trace().Entries().empty());
}

TEST(InsSyntaxTest, FunctionParametersAreBounded) {
  std::string line = "Q8FUNC 10 2";
  for (int i = 0; i < 256; ++i) line += " 1";
  EXPECT_EQ(RunLine(line, false).result, 0);
  LineOutcome o = RunLine(line + " 1", false);
  EXPECT_EQ(o.result, 1);
  EXPECT_EQ(o.errorCode, kInsSyntaxError);
  EXPECT_STREQ(o.text, ins::kTooManyParameters);
}

TEST(InsSyntaxTest, IsOfCharsCountsAndChecksCharacters) {
  struct Case {
    const char* text;
    int limit;
    bool expected;
  };
  const Case cases[] = {{"", 4, true},       {"1aF", 4, true}, {"1aF0", 4, true},
                        {"1aF00", 4, false}, {"1G", 4, false}, {" 1", 4, false}};
  for (const Case& c : cases)
    EXPECT_EQ(InsInterpreter::IsOfChars(c.text, c.limit, "0123456789ABCDEFabcdef"), c.expected) << c.text;
}

}  // namespace
