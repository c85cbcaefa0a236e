// The worker of a session with the debug kernel on a serial line.
#pragma once

#include "debugger/session/debug_worker_board.h"

class CDebugControlBorland;

class CDebugWorkerBorland : public CDebugWorkerBoard {
 public:
  // Opens "\\.\COM<pcPort>", shakes hands with the kernel and creates the
  // session objects. *ok 0: no communication; time and date both 0: the
  // program is not on the board.
  CDebugWorkerBorland(const char* exePath, HWND frame, HANDLE pipeRead, int* ok, int* debugInfoOk,
                      uint16_t* programTime, uint16_t* programDate, uint16_t pcPort, uint32_t baudRate,
                      CKalvenBoard* board);

  int CanSetBreakpoints() override;
  // From the GUI thread: a running program's wait ends too.
  void SetQuietStop(int flag) override;
  // Runs to the main routine, takes the start state and marks the
  // program's end.
  void StartProgram(uint32_t flag) override;

 private:
  CDebugControlBorland* Control() const;
};
