// Run control through the debug kernel on the serial link: runs with 'D',
// single steps with the trap flag, a planted breakpoint under the start
// address lifted for one instruction, stops that must not be reported run
// on in a loop.
#pragma once

#include <cstdint>

#include "debugger/debug_control.h"
#include "debugger/target_registers.h"

class CDebugControlBorland : public CDebugControl {
 public:
  // The session handshake: two polls, 'O', 'P', 'C' with the program's
  // name (its DOS time and date, both 0 when it is not on the board), 'N'
  // and 'J' for the start address. *ok is 1 once 'C' was answered.
  CDebugControlBorland(const char* exePath, CAddr* start, int* ok, uint16_t* programTime,
                       uint16_t* programDate);
  ~CDebugControlBorland() override;  // sends 'U'

  bool Go(const CAddr* stackTarget) override;
  bool SingleStep() override;
  void Break() override;
  bool HandleDebugEvent() override;
  int StoppedAtBreakpoint() override;
  void GetBreakAddress(CAddr* value) override;

  // Runs until a stop that is to be reported, handling the stops on the
  // way itself (used to run to the main routine).
  bool RunUntilStop(const CAddr* stackTarget);
  // Ends the link's wait for the running program.
  void AbortWait();
  void ArmSingleStep(TargetRegisters& record);
  void DisarmSingleStep(TargetRegisters& record);

  uint32_t steppingOverBreakpoint = 0;
  uint32_t keepRunning = 0;
  uint32_t passedLine = 0;
  CAddr stackTarget;
  CAddr runStart;
  uint32_t savedInterruptFlag = 0;

 private:
  enum class StopOutcome { Reported, RunOn, Failed };
  StopOutcome HandleOneStop();
  // Lifts a breakpoint planted at runStart for one instruction.
  void LiftBreakpointAtRunStart(TargetRegisters& record);
  bool HasStackTarget() const { return stackTarget.Linear() != 0; }
  void SetStackTarget(const CAddr* target);
};
