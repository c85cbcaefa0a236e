// The debugger front end of a session with the debug kernel on a serial
// line.
#pragma once

#include "debugger/session/debugger.h"

class CKalvenBoard;

class CDebuggerBorland : public CDebugger {
 public:
  // Creates the worker and its session objects. *ok 0 (no communication)
  // or program time and date both 0 (not on the board) leave a front end
  // without worker, which the caller deletes; Started() tells.
  CDebuggerBorland(const char* exePath, HWND frame, int* ok, int* debugInfoOk, uint16_t* programTime,
                   uint16_t* programDate, uint16_t pcPort, uint32_t baudRate, CKalvenBoard* board);
  // True when the session can go on.
  bool Started() const { return m_started; }

 private:
  bool m_started = false;
};
