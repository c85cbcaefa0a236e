#include "debugger/session/debugger_borland.h"

#include "debugger/session/debug_worker_borland.h"

CDebuggerBorland::CDebuggerBorland(const char* exePath, HWND frame, int* ok, int* debugInfoOk,
                                   uint16_t* programTime, uint16_t* programDate, uint16_t pcPort,
                                   uint32_t baudRate, CKalvenBoard* board)
    : CDebugger(exePath, frame) {
  g_pDebugFrame = frame;
  auto* worker = new CDebugWorkerBorland(exePath, frame, m_hPipeRead, ok, debugInfoOk, programTime,
                                         programDate, pcPort, baudRate, board);
  worker->m_pCanInterrupt = &m_bCanInterrupt;
  g_pDebugWorker = worker;
  m_started = *ok && (*programTime != 0 || *programDate != 0);
  // A session that cannot go on lets its worker and objects go now.
  if (!m_started) QuitWorker();
}
