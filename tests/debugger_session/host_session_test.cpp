// A whole session with the debug kernel as a task on the simulated board,
// reached through the board driver: the program runs on the board's
// processor in real time; stops come back as service requests.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "app/core/project_data.h"
#include "debugger/driver_binding.h"
#include "debugger/kalven_board_qjx.h"
#include "debugger/session/debug_access_host.h"
#include "debugger/session/debug_control_host.h"
#include "debugger/session/debug_worker.h"
#include "debugger/session/debugger_host.h"
#include "debugger/session/frame_messages.h"
#include "debugger/session_globals.h"
#include "debugger/target_registers.h"
#include "drivers/sim/simulator.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"
#include "tests/debugger_session/board_program.h"
#include "tests/debugger_session/frame_recorder.h"

namespace session_test {
namespace {

constexpr uint16_t kKernelTask = 10;
constexpr DWORD kWaitMs = 10000;

class HostSessionTest : public testing::Test {
 protected:
  void SetUp() override {
    sim::Simulator::Instance().Configure();
    sim::Simulator::Instance().SetRealTime(true);
    plat::ClearMessageBoxRecords();
    SetDriverLibraryName(DriverLibrary::Rizo, "rizo32.dll");
    project.SetDebuggeeNum(kProgramTask);
    project.SetKernelNum(kKernelTask);
    board = std::make_unique<CKalvenBoardQJx>(0, &project);
    ASSERT_EQ(board->Open(nullptr), 0);
    path = WriteBoardProgram();
    InstallOnBoard(path);
    const std::string kernelDir = plat::ProgramDir() + "/";
    ASSERT_EQ(board->LoadDebugKernel(0, 0, 0, kKernelTask, kernelDir.c_str()), 0);
  }
  void TearDown() override {
    debugger.reset();
    board.reset();
    g_boardServiceCallback = nullptr;
    sim::Simulator::Instance().Configure();
  }
  void Open() {
    debugger = std::make_unique<CDebuggerHost>(path.c_str(), kProgramTask, kKernelTask, frame.Window(),
                                               &infoOk, &time, &date, board.get());
  }
  std::vector<FrameRecord> Await(UINT message) {
    EXPECT_TRUE(frame.WaitForMessage(message, kWaitMs));
    return frame.Take();
  }
  std::string StopAt(int line, uint16_t offset) const {
    return std::string(kProgramSource) + ":" + std::to_string(line) + "@" + Hex(startSegment * 16 + offset);
  }

  ProjectData project;
  std::unique_ptr<CKalvenBoardQJx> board;
  std::string path;
  FakeFrame frame;
  std::unique_ptr<CDebuggerHost> debugger;
  int infoOk = -1;
  uint16_t time = 0, date = 0;
  uint32_t startSegment = 0;
};

TEST_F(HostSessionTest, BreakpointsStepsAndWatchesOnTheBoard) {
  Open();
  ASSERT_TRUE(debugger->Started());
  EXPECT_EQ(infoOk, 1);
  startSegment = g_pRegisters->code.segment;
  char start[64];
  std::snprintf(start, sizeof start, "program starts at %04x:0000", startSegment);
  ExpectFrameSequence(frame.Take(), {{WM_OUTPUT_TEXT, Delivery::Sent, start}});

  debugger->StartProgram(1);
  debugger->SetLineBreakpoint(kProgramSource, 13, 1);
  debugger->Go();
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(13, 0x38)}});
  debugger->EvaluateWatch("counter");
  ExpectFrameSequence(Await(WM_WATCH_VALUE), {{WM_WATCH_VALUE, Delivery::Sent, "|7 (0x7)"}});
  debugger->RequestCallStack();
  ExpectFrameSequence(Await(WM_CALLSTACK_TEXT), {{WM_CALLSTACK_TEXT, Delivery::Sent, "main(), line 13\r\n"}});

  debugger->StepOver(kStepSourceLine);
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(14, 0x40)}});
  debugger->EvaluateWatch("counter");
  ExpectFrameSequence(Await(WM_WATCH_VALUE), {{WM_WATCH_VALUE, Delivery::Sent, "|8 (0x8)"}});

  debugger->TraceInto(kStepInstruction);  // pop bp
  ExpectFrameSequence(Await(WM_STOP_LOCATION),
                      {{WM_STOP_LOCATION, Delivery::Sent, ":0@" + Hex(startSegment * 16 + 0x41)}});
}

// With end points at every function start, a Go from the start code meets
// main's and helper's end points: the worker restarts the program from
// each without a report and stops only at the breakpoint.
TEST_F(HostSessionTest, EndPointStopsRestartTheProgramWithoutAReport) {
  constexpr uint16_t kLine13 = 0x38, kLine14 = 0x40;
  path = WriteBoardProgram(kLanguageWithEndPoints);
  InstallOnBoard(path);
  Open();
  ASSERT_TRUE(debugger->Started());
  startSegment = g_pRegisters->code.segment;
  frame.Take();
  debugger->StartProgram(1);
  debugger->SetLineBreakpoint(kProgramSource, 13, 1);
  debugger->Go();
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(13, kLine13)}});
  debugger->EvaluateWatch("counter");  // helper ran through its end point
  ExpectFrameSequence(Await(WM_WATCH_VALUE), {{WM_WATCH_VALUE, Delivery::Sent, "|7 (0x7)"}});

  debugger->StepOver(kStepSourceLine);
  ExpectFrameSequence(Await(WM_STOP_LOCATION), {{WM_STOP_LOCATION, Delivery::Sent, StopAt(14, kLine14)}});
  debugger->EvaluateWatch("counter");
  ExpectFrameSequence(Await(WM_WATCH_VALUE), {{WM_WATCH_VALUE, Delivery::Sent, "|8 (0x8)"}});
}

TEST_F(HostSessionTest, AFinishedProcedureCallIsToldFromTheWorkerThread) {
  constexpr WORD kProcedure = 0;  // the program has procedures 0 and 1 (its start-up)
  Open();
  ASSERT_TRUE(debugger->Started());
  debugger->StartProgram(0);
  board->CallProc(kProgramTask, kProcedure);  // this thread is not the worker's
  EXPECT_TRUE(frame.PumpUntil(
      [] {
        for (const plat::MessageBoxRecord& r : plat::MessageBoxRecords())
          if (r.caption == "Debugger" && r.text == "Function or procedure call finished!") return true;
        return false;
      },
      kWaitMs));
}

TEST_F(HostSessionTest, ReadsInsideTheKernelsSaveAreaComeFromItsCopy) {
  constexpr uint16_t kSaveSegment = 0x5000, kSaveOffset = 0x0000, kSaveSize = 0x10;
  constexpr uint32_t kSaveLinear = 0x50000;
  constexpr uint32_t kBefore = 8, kAfter = 8;  // the read starts before the area and ends after it
  CDebugAccessHost access(kKernelTask, kProgramTask, board.get());
  auto word = [&](WORD index, uint16_t v) { board->WriteParBlock(kKernelTask, index, 2, &v); };
  word(host_kernel::kSaveOffset, kSaveOffset);
  word(host_kernel::kSaveSegment, kSaveSegment);
  word(host_kernel::kSaveSize, kSaveSize);
  std::vector<uint8_t> memory(kBefore + kSaveSize + kAfter, 0x11), copy(kSaveSize, 0x22);
  board->WriteMemory(kSaveLinear - kBefore, WORD(memory.size()), memory.data());
  board->WriteParBlock(kKernelTask, host_kernel::kSaveCopy, kSaveSize, copy.data());

  std::vector<uint8_t> read(memory.size());
  const CAddr at(0, kSaveLinear - kBefore);
  ASSERT_EQ(access.ReadMemory(&at, uint32_t(read.size()), read.data()), 1);
  std::vector<uint8_t> expected(kBefore, 0x11);
  expected.insert(expected.end(), kSaveSize, 0x22);  // the area's first byte included
  expected.insert(expected.end(), kAfter, 0x11);
  EXPECT_EQ(read, expected);

  const CAddr none(0, 0);
  const uint8_t byte = 0x90;
  EXPECT_EQ(access.WriteMemory(&none, 1, &byte), 0) << "nothing is written at 0:0";
}

TEST_F(HostSessionTest, AProgramNotOnTheBoardIsAResult) {
  const std::string other = path.substr(0, path.rfind('/') + 1) + "OTHER.EXE";
  std::rename(path.c_str(), other.c_str());
  path = other;
  debugger = std::make_unique<CDebuggerHost>(path.c_str(), 0, kKernelTask, frame.Window(), &infoOk, &time,
                                             &date, board.get());
  EXPECT_FALSE(debugger->Started());
  EXPECT_EQ(time | date, 0);
  EXPECT_EQ(g_pDebugWorker, nullptr);
}

TEST(HostTaskFileName, PadsTheNameToEightAndKeepsTheExtension) {
  struct Case {
    const char* path;
    const char* name;
  } kCases[] = {{"C:\\PRJ\\TEST.EXE", "TEST    .EXE"},
                {"/prj/longername.exe", "longerna.exe"},
                {"EIGHTCHR.EXE", "EIGHTCHR.EXE"},
                {"NOEXT", "NOEXT   "}};
  for (const Case& c : kCases) {
    char out[16];
    MakeTaskFileName(c.path, out);
    EXPECT_STREQ(out, c.name) << c.path;
  }
}

}  // namespace
}  // namespace session_test
