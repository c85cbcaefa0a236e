// Run control of a debug session: lets the target run, steps it, breaks
// into it and reacts to the stops that the kernel reports. Each session
// variant implements it.
#pragma once

#include "debugger/addr.h"

class CDebugControl {
 public:
  virtual ~CDebugControl() = default;
  // Runs the target; with a stack target it runs until SS:SP reaches it.
  virtual bool Go(const CAddr* stackTarget) = 0;
  virtual bool SingleStep() = 0;
  virtual void Break() = 0;
  // Reads the stop, decides whether to run on, and reports it.
  virtual bool HandleDebugEvent() = 0;
  virtual int StoppedAtBreakpoint() { return 0; }
  virtual void GetBreakAddress(CAddr*) {}
};

extern CDebugControl* g_pDebugControl;
