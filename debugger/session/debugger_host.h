// The debugger front end of a session whose debug kernel is a task on
// the board.
#pragma once

#include "debugger/session/debugger.h"

class CKalvenBoard;

class CDebuggerHost : public CDebugger {
 public:
  // Program time and date both 0 (not on the board) leave a front end
  // without worker, which the caller deletes; Started() tells. Otherwise
  // the board's service requests go to HostServiceCallback.
  CDebuggerHost(const char* exePath, uint16_t debuggeeTask, uint16_t kernelTask, HWND frame, int* debugInfoOk,
                uint16_t* programTime, uint16_t* programDate, CKalvenBoard* board);
  ~CDebuggerHost() override;
  bool Started() const { return m_started; }

 private:
  bool m_started = false;
  CKalvenBoard* m_board;
};

// The board of the current host session.
extern CKalvenBoard* g_pHostBoard;
