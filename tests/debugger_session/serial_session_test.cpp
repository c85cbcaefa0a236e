// A whole session with the debug kernel over a pseudo-terminal: the
// program runs on the simulated board's processor; the frame sees what a
// user sees (start, stops, watches, registers, call stack, program end).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "debugger/kernel_link.h"
#include "debugger/session/debug_worker.h"
#include "debugger/session/debugger_borland.h"
#include "debugger/session/frame_messages.h"
#include "debugger/session_globals.h"
#include "debugger/target_registers.h"
#include "drivers/rizo32/rizo32.h"
#include "drivers/serial_kernel/serial_kernel.h"
#include "drivers/sim/simulator.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/registry.h"
#include "tests/debugger_session/board_program.h"
#include "tests/debugger_session/frame_recorder.h"

namespace session_test {
namespace {

constexpr uint16_t kPcPort = 9;
constexpr uint32_t kBaud = 19200;
constexpr DWORD kWaitMs = 10000;

class SerialSessionTest : public testing::Test {
 protected:
  void SetUp() override {
    sim::Simulator::Instance().Configure();
    plat::ClearMessageBoxRecords();
    path = WriteBoardProgram();
    StartBoard();
    InstallOnBoard(path);
    kernel = std::make_unique<sim::SerialKernel>(0);
    ASSERT_FALSE(kernel->DevicePath().empty());
    HKEY key;
    ASSERT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\mirt2\\Ports", &key), ERROR_SUCCESS);
    std::string dev = kernel->DevicePath();
    RegSetValueEx(key, "COM9", 0, REG_SZ, reinterpret_cast<const BYTE*>(dev.c_str()), DWORD(dev.size() + 1));
    RegCloseKey(key);
  }
  void TearDown() override {
    debugger.reset();
    kernel.reset();
  }
  void Open() {
    debugger = std::make_unique<CDebuggerBorland>(path.c_str(), frame.Window(), &ok, &infoOk, &time, &date,
                                                  kPcPort, kBaud, nullptr);
  }
  // Runs a command and waits for the frame message it ends with.
  std::vector<FrameRecord> Await(UINT message) {
    EXPECT_TRUE(frame.WaitForMessage(message, kWaitMs));
    return frame.Take();
  }
  uint32_t Code(uint16_t offset) const { return startSegment * 16 + offset; }
  std::string StopAt(int line, uint16_t offset) const {
    return std::string(kProgramSource) + ":" + std::to_string(line) + "@" + Hex(Code(offset));
  }

  std::string path;
  std::unique_ptr<sim::SerialKernel> kernel;
  FakeFrame frame;
  std::unique_ptr<CDebuggerBorland> debugger;
  int ok = -1, infoOk = -1;
  uint16_t time = 0, date = 0;
  uint32_t startSegment = 0;
};

TEST_F(SerialSessionTest, StartRunsToMainAndBreakpointsStepsAndWatchesFollowTheProgram) {
  Open();
  ASSERT_TRUE(debugger->Started());
  EXPECT_EQ(infoOk, 1);
  EXPECT_NE(time | date, 0);
  startSegment = g_pRegisters->code.segment;
  char start[64];
  std::snprintf(start, sizeof start, "program starts at %04x:0000", startSegment);
  ExpectFrameSequence(frame.Take(), {{WM_OUTPUT_TEXT, Delivery::Sent, start}});

  debugger->StartProgram(1);
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(10, kMainOffset)}});

  debugger->SetLineBreakpoint(kProgramSource, 13, 1);
  debugger->Go();
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(13, 0x38)}});

  debugger->EvaluateWatch("counter");
  ExpectFrameSequence(Await(WM_WATCH_VALUE), {{WM_WATCH_VALUE, Delivery::Sent, "|7 (0x7)"}});
  debugger->RequestCallStack();
  ExpectFrameSequence(Await(WM_CALLSTACK_TEXT), {{WM_CALLSTACK_TEXT, Delivery::Sent, "main(), line 13\r\n"}});
  debugger->RequestRegisters();
  auto registers = Await(WM_REGISTER_TEXT);
  ASSERT_EQ(registers.size(), 1u);
  EXPECT_NE(registers[0].text.find("IP"), std::string::npos) << registers[0].text;

  debugger->StepOver(kStepSourceLine);
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(14, 0x40)}});
  debugger->EvaluateWatch("counter");
  ExpectFrameSequence(Await(WM_WATCH_VALUE), {{WM_WATCH_VALUE, Delivery::Sent, "|8 (0x8)"}});

  debugger->Go();
  ExpectFrameSequence(Await(WM_PROGRAM_END), {{WM_PROGRAM_END, Delivery::Posted, ""}});
}

TEST_F(SerialSessionTest, StepIntoAFunctionAndOutAgain) {
  Open();
  ASSERT_TRUE(debugger->Started());
  startSegment = g_pRegisters->code.segment;
  frame.Take();
  debugger->StartProgram(1);
  Await(WM_STOP_LOCATION);
  debugger->RunToLine(kProgramSource, 12);
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(12, 0x30)}});
  debugger->TraceInto(kStepSourceLine);
  ExpectFrameSequence(Await(WM_STOP_LOCATION),
                      {{WM_STOP_LOCATION, Delivery::Sent, StopAt(20, kHelperOffset)}});
  debugger->RequestCallStack();
  ExpectFrameSequence(Await(WM_CALLSTACK_TEXT),
                      {{WM_CALLSTACK_TEXT, Delivery::Sent, "helper(), line 20\r\nmain(), line 12\r\n"}});
  debugger->TraceInto(kStepSourceLine);
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(21, 0x68)}});
  debugger->StepOut();
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(13, 0x38)}});
  debugger->EvaluateWatch("counter");
  ExpectFrameSequence(Await(WM_WATCH_VALUE), {{WM_WATCH_VALUE, Delivery::Sent, "|7 (0x7)"}});
}

TEST_F(SerialSessionTest, InstructionStepsKeepTheTrapUntilTheProgramRuns) {
  constexpr uint16_t kTrapFlag = 0x100;
  Open();
  ASSERT_TRUE(debugger->Started());
  startSegment = g_pRegisters->code.segment;
  frame.Take();
  debugger->StartProgram(1);
  Await(WM_STOP_LOCATION);
  debugger->TraceInto(kStepInstruction);  // arms the trap: one 'K'
  Await(WM_STOP_LOCATION);
  kernel->ClearLog();
  debugger->TraceInto(kStepInstruction);  // mov bp, sp
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, ":0@" + Hex(Code(0x23))}});
  EXPECT_EQ(kernel->Log(), (std::vector<std::string>{"D", "J"})) << "a step of a stepping session";
  EXPECT_EQ(g_pRegisters->Record().flags & kTrapFlag, 0) << "the trap is not shown";
  EXPECT_NE(kernel->Reg16(sim::SerialKernel::FLAGS) & kTrapFlag, 0);
  debugger->SetLineBreakpoint(kProgramSource, 13, 1);
  debugger->Go();
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(13, 0x38)}});
  debugger->EvaluateWatch("counter");
  ExpectFrameSequence(Await(WM_WATCH_VALUE), {{WM_WATCH_VALUE, Delivery::Sent, "|7 (0x7)"}});
}

// With end points at every function start, a Go from main's start meets
// three stops in a row it must not report: the step over main's lifted end
// point, helper's end point and the step over it. The program runs on.
TEST_F(SerialSessionTest, EndPointStopsRunOnUntilTheBreakpointWithoutAReport) {
  constexpr uint16_t kLine13 = 0x38, kLine14 = 0x40;
  // The steps over main's and helper's lifted end points, the run to
  // helper's end point and the run on to the breakpoint.
  constexpr long kRunsToTheBreakpoint = 4;
  path = WriteBoardProgram(kLanguageWithEndPoints);
  InstallOnBoard(path);
  Open();
  ASSERT_TRUE(debugger->Started());
  startSegment = g_pRegisters->code.segment;
  frame.Take();
  debugger->StartProgram(1);
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(10, kMainOffset)}});

  debugger->SetLineBreakpoint(kProgramSource, 13, 1);
  kernel->ClearLog();
  debugger->Go();
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(13, kLine13)}});
  const std::vector<std::string> log = kernel->Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "J"), kRunsToTheBreakpoint) << testing::PrintToString(log);
  debugger->EvaluateWatch("counter");  // helper ran through its end point
  ExpectFrameSequence(Await(WM_WATCH_VALUE), {{WM_WATCH_VALUE, Delivery::Sent, "|7 (0x7)"}});

  debugger->StepOver(kStepSourceLine);
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(14, kLine14)}});
  debugger->Go();
  ExpectFrameSequence(Await(WM_PROGRAM_END), {{WM_PROGRAM_END, Delivery::Posted, ""}});
}

TEST_F(SerialSessionTest, ABreakStopsARunningProgramAndShowsWhereItIs) {
  constexpr uint8_t kJumpToItself[] = {0xEB, 0xFE};
  constexpr uint16_t kLoopOffset = 0x28;
  Open();
  ASSERT_TRUE(debugger->Started());
  startSegment = g_pRegisters->code.segment;
  frame.Take();
  debugger->StartProgram(1);
  Await(WM_STOP_LOCATION);
  ASSERT_EQ(qj8_write_memory(Code(kLoopOffset), sizeof kJumpToItself, kJumpToItself), 0);
  debugger->Go();
  ASSERT_TRUE(frame.PumpUntil([&] { return debugger->IsRunning() && kernel->Running(); }, kWaitMs));
  debugger->Break();
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(11, kLoopOffset)}});
  EXPECT_TRUE(plat::MessageBoxRecords().empty()) << plat::MessageBoxRecords().front().text;
}

TEST_F(SerialSessionTest, AProgramNotOnTheBoardIsAResultNotASession) {
  const std::string other = path.substr(0, path.rfind('/') + 1) + "OTHER.EXE";
  std::rename(path.c_str(), other.c_str());
  path = other;
  Open();
  EXPECT_FALSE(debugger->Started());
  EXPECT_EQ(ok, 1) << "the kernel answered";
  EXPECT_EQ(time | date, 0);
  EXPECT_EQ(g_pDebugWorker, nullptr) << "the worker and its objects are gone";
  EXPECT_EQ(g_pKernelLink, nullptr);
  EXPECT_EQ(g_pRegisters, nullptr);
}

TEST_F(SerialSessionTest, ASilentKernelMeansNoCommunication) {
  kernel->SetSilent(true);
  Open();
  EXPECT_FALSE(debugger->Started());
  EXPECT_EQ(ok, 0);
}

}  // namespace
}  // namespace session_test
