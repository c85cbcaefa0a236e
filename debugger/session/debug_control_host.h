// Run control through the debug kernel task on the board: the program is
// started by parameter words of the kernel task, and its stops arrive as
// service requests of the board (HostServiceCallback).
#pragma once

#include <atomic>
#include <cstdint>

#include "debugger/debug_control.h"

class CKalvenBoard;

// "C:\PRJ\TEST.EXE" gives "TEST    .EXE": the name padded with blanks to 8
// characters, then the dot and the extension, 12 characters at most.
void MakeTaskFileName(const char* path, char* out);

class CDebugControlHost : public CDebugControl {
 public:
  // Seconds a single step waits for its stop.
  static constexpr int kStepWaitSeconds = 2;

  // Finds the program on the board: with debuggeeTask 0 the task whose
  // descriptor names the program, else that task. Gives its DOS time,
  // date (both 0 when it is not there) and start address.
  CDebugControlHost(const char* exePath, uint16_t debuggeeTask, uint16_t kernelTask, CAddr* start,
                    uint16_t* programTime, uint16_t* programDate, CKalvenBoard* board);

  bool Go(const CAddr* stackTarget) override;
  bool SingleStep() override;
  void Break() override {}
  bool HandleDebugEvent() override;

  uint32_t steppingOverBreakpoint = 0;
  uint32_t keepRunning = 0;
  uint32_t passedLine = 0;
  CAddr stackTarget;
  CAddr runStart;
  std::atomic<uint32_t> eventArrived{0};
  // While a single step waits, its stop is only noted: the step reports it.
  std::atomic<bool> singleStepping{false};
  uint16_t kernelTask;
  CKalvenBoard* board;

 private:
  // Lifts a breakpoint at the start and lets the kernel run (or step).
  bool Start(uint16_t singleStep);
  bool ReadDescriptor(uint16_t task, CAddr* start, uint16_t* programTime, uint16_t* programDate,
                      const char* name);
};
