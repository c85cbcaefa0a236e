#include "debugger/session/debugger_host.h"

#include "debugger/kalven_board.h"
#include "debugger/session/debug_worker_host.h"

CKalvenBoard* g_pHostBoard = nullptr;

CDebuggerHost::CDebuggerHost(const char* exePath, uint16_t debuggeeTask, uint16_t kernelTask, HWND frame,
                             int* debugInfoOk, uint16_t* programTime, uint16_t* programDate,
                             CKalvenBoard* board)
    : CDebugger(exePath, frame), m_board(board) {
  g_pDebugFrame = frame;
  g_pHostBoard = board;
  auto* worker = new CDebugWorkerHost(exePath, debuggeeTask, kernelTask, frame, m_hPipeRead, debugInfoOk,
                                      programTime, programDate, board);
  worker->m_pFrontEnd = this;
  g_pDebugWorker = worker;
  m_started = *programTime != 0 || *programDate != 0;
  if (!m_started) {
    QuitWorker();
    return;
  }
  if (board) board->SetService(HostServiceCallback);
}

CDebuggerHost::~CDebuggerHost() {
  if (m_started && m_board) m_board->SetService(nullptr);
  QuitWorker();
}
