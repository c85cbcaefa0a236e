// The worker of a session whose debug kernel is a task on the board,
// reached through the board driver. Stops arrive as the board's service
// requests; those that arrive on another thread are handed to this one.
#pragma once

#include <atomic>

#include "debugger/session/debug_worker_board.h"

class CDebugger;

class CDebugWorkerHost : public CDebugWorkerBoard {
 public:
  // Milliseconds between the board calls that let a running program's
  // time pass while no command comes.
  static constexpr DWORD kRunPollMs = 5;

  CDebugWorkerHost(const char* exePath, uint16_t debuggeeTask, uint16_t kernelTask, HWND frame,
                   HANDLE pipeRead, int* debugInfoOk, uint16_t* programTime, uint16_t* programDate,
                   CKalvenBoard* board);

  DWORD CommandLoop() override;
  void WaitForCommand() override;
  void OnInternalOpcode(uint8_t opcode) override;
  // Sets the entry address only: the program starts where the board has it.
  void StartProgram(uint32_t flag) override;
  bool OnWorkerThread() const;

  // The front end, through which events from other threads reach the pipe.
  CDebugger* m_pFrontEnd = nullptr;

 private:
  // Plants the board-side stops at the entries of the installed tasks and
  // of the debuggee's procedures.
  void PlantTaskEntries(uint16_t debuggeeTask);
  std::atomic<DWORD> m_threadId{0};
};

// Internal records of the host session.
enum : uint8_t { kOpHostDebugEvent = kOpFirstInternal, kOpHostCallFinished };

// Service requests of the debug kernel.
enum : WORD { kHostEventStopped = 0x80CF, kHostEventCallFinished = 0x81CF };

// The board's service request callback of a host session.
void HostServiceCallback(WORD message);
