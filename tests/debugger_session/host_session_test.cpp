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

std::string Hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%x", v);
  return buf;
}

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
