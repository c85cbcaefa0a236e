// The debugger of host programs: gdb with its annotations on, driven by
// commands written to its input. There is no worker thread; gdb's answers
// reach the frame through the reader of CGDBProcess.
#pragma once

#include <string>

#include "debugger/session/debugger.h"

class CGDBProcess;

class CDebuggerGDB : public CDebugger {
 public:
  // m_state values.
  static constexpr uint16_t kNotStarted = 1, kRunning = 2, kStopped = 3;

  // Starts gdb on the program with the breakpoints of g_breakpointList and
  // sets *pSessionActive to 1.
  CDebuggerGDB(const char* path, HWND frame, int* pSessionActive);
  ~CDebuggerGDB() override;

  // A path as gdb takes it: "c:\work\app.exe" becomes "//c/work/app.exe".
  static std::string GdbPath(const char* path);

  int Go() override;
  int TraceInto(uint8_t mode) override;
  int SetLineBreakpoint(const char* file, uint16_t line, uint8_t set) override;
  int StepOver(uint8_t mode) override;
  int StopProgram() override;
  int RequestCallStack() override;
  int EvaluateWatch(const char* expression) override;
  int IsRunning() override;
  int CanSetBreakpoints() override { return 1; }
  // Without a meaning for gdb: they do nothing.
  int SetAddressBreakpoint(uint32_t, uint8_t) override { return 0; }
  int StepOut() override { return 0; }
  int Break() override { return 0; }
  int RequestRegisters() override { return 0; }
  int SetIPToLine(const char*, uint16_t) override { return 0; }
  int SetIPToAddress(uint32_t) override { return 0; }
  int StartProgram(uint32_t) override { return 0; }
  int Reset() override { return 0; }
  int RunToLine(const char*, uint16_t) override { return 0; }
  int RunToAddress(uint32_t) override { return 0; }
  int CanInterrupt() override { return 0; }
  void StartWorkerThread() override {}

  CGDBProcess* Process() { return m_pProcess; }

  uint16_t m_state = kNotStarted;

 private:
  // "b main", then "r": the first step of a program not yet started.
  void RunToMain();

  CGDBProcess* m_pProcess = nullptr;
};

// Makes the session start CDebuggerGDB for programs of the host.
void UseGdbForHostPrograms();
