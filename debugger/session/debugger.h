// The debugger as the GUI thread sees it: every command becomes a one-byte
// opcode with fixed-size arguments on a pipe that the session's worker
// thread reads. A text argument travels as a pointer to a new[] copy,
// which the worker frees.
#pragma once

#include <cstdint>
#include <mutex>

#include "platform/base/windef.h"

class CDebugger {
 public:
  // The destructor waits for the worker this many times this many ms.
  static constexpr DWORD kQuitPollMs = 10;
  static constexpr int kQuitPolls = 300;

  CDebugger(const char* exePath, HWND frame);
  // Quits the worker thread (opcode 13, waiting up to 3 s, then closing
  // the pipe under it) and deletes the worker.
  virtual ~CDebugger();
  CDebugger(const CDebugger&) = delete;
  CDebugger& operator=(const CDebugger&) = delete;

  // Results are those of the pipe writes.
  virtual int Go();
  virtual int TraceInto(uint8_t mode);
  virtual int SetLineBreakpoint(const char* file, uint16_t line, uint8_t set);
  virtual int SetAddressBreakpoint(uint32_t linear, uint8_t set);
  virtual int StepOver(uint8_t mode);
  virtual int StepOut();
  virtual int StopProgram();
  virtual int Break();
  virtual int RequestCallStack();
  virtual int RequestRegisters();
  virtual int EvaluateWatch(const char* expression);
  virtual int IsRunning();
  virtual int CanSetBreakpoints();
  virtual int SetIPToLine(const char* file, uint16_t line);
  virtual int SetIPToAddress(uint32_t linear);
  virtual int StartProgram(uint32_t flag);
  virtual int Reset();
  virtual int RunToLine(const char* file, uint16_t line);
  virtual int RunToAddress(uint32_t linear);
  virtual int CanInterrupt();
  virtual void StartWorkerThread();
  // Hands the worker thread a record of the session's own (an opcode
  // from kOpFirstInternal on) from any thread; starts no thread.
  int PostInternal(uint8_t opcode);

  HANDLE m_hPipeWrite = nullptr;
  HANDLE m_hPipeRead = nullptr;
  int m_bThreadStarted = 0;
  int m_bProgramStarted = 0;
  HANDLE m_hThread = nullptr;
  int m_bCanInterrupt = 0;

 protected:
  // Ends the worker thread and deletes the worker; variants whose worker
  // needs their own objects to quit call it from their destructor.
  void QuitWorker();

 private:
  class Record;
  // Writes a whole record in one write, so that records from two threads
  // never mix; the thread starts before the first.
  int Send(const Record& record);
  int WriteRecord(const Record& record);
  bool m_bQuit = false;
  std::mutex m_writeMutex;
};

extern CDebugger* g_pCurrentDebugger;
// The frame window of the current session.
extern HWND g_pDebugFrame;
