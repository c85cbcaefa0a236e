// The worker's world in a test: a program with debug information, a fake
// target behind the memory access, a fake run control that records what
// it was asked, the session globals pointing at them, and a fake frame.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "debugger/breakpoint_addr_list.h"
#include "debugger/debug_control.h"
#include "debugger/debug_interp_borland.h"
#include "debugger/session/debug_worker.h"
#include "debugger/eval_borland.h"
#include "tests/debugger/fake_target.h"
#include "tests/debugger_session/frame_recorder.h"

namespace session_test {

// The program: loaded at 0x1000, code in segment 0x1010.
//   main   1010:0000, lines 3 @0, 4 @5, 6 @A
//   helper 1010:0010, lines 7 @10, 8 @14, 12 @20
//   global int counter at 1020:0000
constexpr uint16_t kCodeSegment = 0x1010;
constexpr uint16_t kStackSegment = 0x2000;
constexpr uint32_t kCounterLinear = 0x10200;
constexpr char kSourceFile[] = "a.c";

// Run control that records its calls; Go and SingleStep run `onRun`.
class FakeControl : public CDebugControl {
 public:
  bool Go(const CAddr*) override {
    calls.push_back("Go");
    if (onRun) onRun();
    return result;
  }
  bool SingleStep() override {
    calls.push_back("SingleStep");
    if (onRun) onRun();
    return result;
  }
  void Break() override { calls.push_back("Break"); }
  bool HandleDebugEvent() override { return true; }
  int StoppedAtBreakpoint() override { return stoppedAtBreakpoint; }
  void GetBreakAddress(CAddr* out) override { *out = breakAddress; }

  std::vector<std::string> calls;
  std::function<void()> onRun;
  bool result = true;
  int stoppedAtBreakpoint = 0;
  CAddr breakAddress;
};

class WorkerWorld {
 public:
  WorkerWorld();
  ~WorkerWorld();

  // Sets the target's registers (and the session's block) to CS:IP,
  // SS:SP, SS:BP.
  void SetRegisters(CAddr code, uint16_t sp, uint16_t bp);
  // The breakpoint list as "linear:kinds" entries, lowest address first.
  std::string Breakpoints() const;

  FakeFrame frame;
  fixture::FakeTarget target;
  FakeControl control;
  std::unique_ptr<CDebugInterpBorland> interp;
  std::unique_ptr<CBreakpointAddrList> breakpoints;
  std::unique_ptr<CEvalBorland> eval;
  std::unique_ptr<TargetRegisters> registers;
  std::unique_ptr<CDebugWorker> worker;
};

}  // namespace session_test
