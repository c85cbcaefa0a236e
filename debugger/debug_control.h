// The run control of a debug session, as far as the kernel link uses it:
// the link hands it every debug event that the kernel reports.
#pragma once

class CDebugControl {
 public:
  virtual ~CDebugControl() = default;
  // Reads the stop, decides whether to run on, and reports it.
  virtual bool HandleDebugEvent() = 0;
};

extern CDebugControl* g_pDebugControl;
