// The worker's operations on a fake target and run control: temporary
// breakpoints per command, stop reports, the resume rule, Reset, the call
// stack walk, watches, and the command loop's end.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "debugger/session/frame_messages.h"
#include "debugger/session_globals.h"
#include "debugger/target_registers.h"
#include "platform/sys/file.h"
#include "platform/sys/pipe.h"
#include "tests/debugger/boxes.h"
#include "tests/debugger_session/worker_fixture.h"

namespace session_test {
namespace {

// helper's line 8; its frame at BP 0x200 returns to main's line 6.
const CAddr kInHelper(kCodeSegment, 0x14);
constexpr uint16_t kSp = 0x100, kBp = 0x200;
constexpr uint32_t kStackLinear = 0x20000;
const CAddr kReturnIntoMain(kCodeSegment, 0x0A);

class WorkerTest : public testing::Test {
 protected:
  void SetUp() override {
    w.SetRegisters(kInHelper, kSp, kBp);
    PutFar(kStackLinear + kBp + 2, kReturnIntoMain);
  }
  void PutFar(uint32_t linear, CAddr a) {
    w.target.Put<uint16_t>(linear, uint16_t(a.offset));
    w.target.Put<uint16_t>(linear + 2, uint16_t(a.segment));
  }
  WorkerWorld w;
};

struct RunCase {
  const char* command;
  std::function<int(CDebugWorker&)> run;
  const char* breakpointsAfter;  // "linear:kinds" (2 trace, 4 step over, 10 return)
};

TEST_F(WorkerTest, EachRunningCommandLeavesItsTemporaryBreakpoints) {
  const RunCase kCases[] = {
      {"Go", [](CDebugWorker& k) { return k.Go(); }, "10120:10 "},
      {"TraceInto", [](CDebugWorker& k) { return k.TraceInto(kStepSourceLine); },
       "10100:6 10105:2 1010a:12 10110:6 10114:6 10120:16 "},
      {"StepOver", [](CDebugWorker& k) { return k.StepOver(kStepSourceLine); },
       "1010a:10 10110:4 10114:4 10120:14 "},
      {"StepOut", [](CDebugWorker& k) { return k.StepOut(); }, "1010a:10 10120:10 "},
      {"RunToLine", [](CDebugWorker& k) { return k.RunToLine(kSourceFile, 3); }, "10100:10 10120:10 "},
  };
  for (const RunCase& c : kCases) {
    SCOPED_TRACE(c.command);
    w.breakpoints->RemoveAllOfKind(BP_ALL_KINDS);
    // Left from an earlier step: a return stop outside and inside helper,
    // a trace and a step-over stop in main.
    w.breakpoints->Add(CAddr(kCodeSegment, 0x00), BP_RETURN | BP_STEP_OVER, 0);
    w.breakpoints->Add(CAddr(kCodeSegment, 0x20), BP_RETURN, 0);
    w.breakpoints->Add(CAddr(kCodeSegment, 0x05), BP_TRACE, 0);
    w.control.calls.clear();
    const int writes = w.target.registerWrites;
    w.worker->SetQuietStop(1);
    EXPECT_EQ(c.run(*w.worker), 1);
    EXPECT_EQ(w.Breakpoints(), c.breakpointsAfter);
    EXPECT_EQ(w.control.calls, std::vector<std::string>{"Go"});
    EXPECT_GT(w.target.registerWrites, writes) << "registers go to the target before it runs";
    EXPECT_EQ(w.worker->m_bQuietStop, 0) << "running clears a quiet stop";
    EXPECT_TRUE(w.worker->IsRunning());
  }
}

TEST_F(WorkerTest, InstructionStepsGoToTheRunControl) {
  EXPECT_EQ(w.worker->TraceInto(kStepInstruction), 1);
  EXPECT_EQ(w.worker->StepOver(kStepInstruction), 1);
  EXPECT_EQ(w.control.calls, (std::vector<std::string>{"SingleStep", "SingleStep"}));
  EXPECT_EQ(w.worker->TraceInto(0), 0) << "an unknown mode does nothing";
  EXPECT_EQ(w.control.calls.size(), 2u);
}

struct StopCase {
  const char* what;
  CAddr exit;
  CAddr ip;
  FrameRecord report;
};

TEST_F(WorkerTest, StopsAreReportedAsLocationProgramEndOrCrash) {
  const StopCase kCases[] = {
      {"at a line",
       CAddr(0x1000, 0x30),
       CAddr(kCodeSegment, 0x0A),
       {WM_STOP_LOCATION, Delivery::Sent, "a.c:6@1010a"}},
      {"inside a line",
       CAddr(0x1000, 0x30),
       CAddr(kCodeSegment, 0x0B),
       {WM_STOP_LOCATION, Delivery::Sent, ":0@1010b"}},
      {"at the exit address",
       CAddr(0x1000, 0x30),
       CAddr(0x1000, 0x30),
       {WM_PROGRAM_END, Delivery::Posted, ""}},
      {"at 0:0 with exit 0:0", CAddr(0, 0), CAddr(0, 0), {WM_SYSTEM_CRASHED, Delivery::Posted, ""}},
  };
  for (const StopCase& c : kCases) {
    SCOPED_TRACE(c.what);
    w.worker->m_exitAddress = c.exit;
    w.SetRegisters(c.ip, kSp, kBp);
    w.worker->OnTargetStopped();
    ExpectFrameSequence(w.frame.Take(), {c.report});
    EXPECT_FALSE(w.worker->IsRunning());
  }
}

TEST_F(WorkerTest, AQuietStopReportsNothing) {
  w.worker->SetQuietStop(1);
  w.worker->OnTargetStopped();
  EXPECT_TRUE(w.frame.Take().empty());
}

TEST_F(WorkerTest, AStopJustBehindTheBreakAddressResumesAtTheResumeAddress) {
  struct Case {
    uint16_t ipOffset;
    uint16_t expectedOffset;
  } kCases[] = {{0x03, 0x20}, {0x0A, 0x0A}};  // 3 bytes behind resumes; 10 behind does not
  w.control.stoppedAtBreakpoint = 1;
  w.control.breakAddress = CAddr(kCodeSegment, 0x00);
  const CAddr resume(kCodeSegment, 0x20);
  w.worker->SetResumeAddress(&resume);
  for (const Case& c : kCases) {
    w.SetRegisters(CAddr(kCodeSegment, c.ipOffset), kSp, kBp);
    w.worker->OnTargetStopped();
    EXPECT_EQ(g_pRegisters->code.offset, c.expectedOffset);
    EXPECT_EQ(w.target.registers.code.offset, c.expectedOffset);
  }
}

TEST_F(WorkerTest, ResetTwiceReportsTheSameStartAndPutsTheExitAddressOnTheStack) {
  const CAddr start(kCodeSegment, 0x00);
  w.SetRegisters(start, kSp, kBp);
  w.worker->SaveStartRegisters();
  w.worker->m_exitAddress = CAddr(0x1000, 0x30);
  for (int round = 0; round < 2; ++round) {
    w.SetRegisters(kInHelper, kSp - 8, kBp);
    w.worker->Reset();
    ExpectFrameSequence(w.frame.Take(), {{WM_STOP_LOCATION, Delivery::Sent, "a.c:3@10100"}});
    EXPECT_EQ(w.target.Get<uint16_t>(kStackLinear + kSp), 0x30);
    EXPECT_EQ(w.target.Get<uint16_t>(kStackLinear + kSp + 2), 0x1000);
  }
}

TEST_F(WorkerTest, CallStackWalksTheFrameChainAndStopsOnACycle) {
  // helper's frame links to a main frame at 0x300 whose link points at
  // itself: the walk must end there.
  constexpr uint16_t kMainBp = 0x300;
  w.target.Put<uint16_t>(kStackLinear + kBp, kMainBp);
  w.target.Put<uint16_t>(kStackLinear + kMainBp, kMainBp);
  PutFar(kStackLinear + kMainBp + 2, CAddr(kCodeSegment, 0x05));
  w.worker->SendCallStack();
  ExpectFrameSequence(w.frame.Take(), {{WM_CALLSTACK_TEXT, Delivery::Sent,
                                        "helper(), line 8\r\nmain(), line 6\r\nmain(), line 4\r\n"}});
}

TEST_F(WorkerTest, CallStackOfALongChainStopsAtTheDepthLimit) {
  // Every frame links to the next higher one, each returning into main.
  constexpr uint16_t kFrameSize = 6;  // link word and far return address
  uint16_t bp = kBp;
  for (int i = 0; i < CDebugWorker::kMaxCallStackDepth + 10; ++i, bp += kFrameSize) {
    w.target.Put<uint16_t>(kStackLinear + bp, uint16_t(bp + kFrameSize));
    PutFar(kStackLinear + bp + 2, kReturnIntoMain);
  }
  w.worker->SendCallStack();
  const auto records = w.frame.Take();
  ASSERT_EQ(records.size(), 1u);
  size_t lines = 0;
  for (char ch : records[0].text) lines += ch == '\n';
  EXPECT_EQ(lines, size_t(CDebugWorker::kMaxCallStackDepth) + 1) << "helper, then one line per frame walked";
}

TEST_F(WorkerTest, WatchesAnswerTheirValueOrNotDefined) {
  constexpr int16_t kCounter = 42;
  w.target.Put<int16_t>(kCounterLinear, kCounter);
  w.worker->EvaluateWatch("counter");
  w.worker->EvaluateWatch("nosuch");
  ExpectFrameSequence(w.frame.Take(), {{WM_WATCH_VALUE, Delivery::Sent, "|42 (0x2a)"},
                                       {WM_WATCH_VALUE, Delivery::Sent, "|<not defined>"}});
}

TEST_F(WorkerTest, LineBreakpointsByLineAndAnInvalidLine) {
  w.worker->SetLineBreakpoint(kSourceFile, 4);
  EXPECT_EQ(w.Breakpoints(), "10105:1 ");
  w.worker->SetLineBreakpoint(kSourceFile, 99);
  EXPECT_EQ(fixture::BoxesShown(), "[Error] Unable to set breakpoint (Address/Line invalid).\n");
  w.worker->ClearLineBreakpoint(kSourceFile, 4);
  EXPECT_EQ(w.Breakpoints(), "");
}

TEST_F(WorkerTest, SetIPToLinePostsAStopThatOutlivesTheCall) {
  std::string file = kSourceFile;
  w.worker->SetIPToLine(file.c_str(), 6);
  file = "overwritten";
  EXPECT_EQ(w.target.registers.code.offset, 0x0A);
  ExpectFrameSequence(w.frame.Take(), {{WM_STOP_LOCATION, Delivery::Posted, "a.c:6@1010a"}});
}

TEST_F(WorkerTest, CommandLoopEndsWhenItsPipeCloses) {
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 0));
  CDebugWorker looping("a.exe", w.frame.Window(), readEnd);
  std::thread loop([&] { looping.CommandLoop(); });
  const uint8_t kUnknownOpcode = 77;
  DWORD written = 0;
  WriteFile(writeEnd, &kUnknownOpcode, 1, &written, nullptr);
  CloseHandle(writeEnd);
  loop.join();  // hangs here if the loop spins on a closed pipe
  CloseHandle(readEnd);
  SUCCEED();
}

}  // namespace
}  // namespace session_test
