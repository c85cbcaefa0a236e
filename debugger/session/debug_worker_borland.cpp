#include "debugger/session/debug_worker_borland.h"

#include <cstdio>

#include "debugger/breakpoint_addr_list.h"
#include "debugger/debug_interp.h"
#include "debugger/kernel_link_serial.h"
#include "debugger/session/debug_access_borland.h"
#include "debugger/session/debug_control_borland.h"
#include "debugger/session_globals.h"

CDebugWorkerBorland::CDebugWorkerBorland(const char* exePath, HWND frame, HANDLE pipeRead, int* ok,
                                         int* debugInfoOk, uint16_t* programTime, uint16_t* programDate,
                                         uint16_t pcPort, uint32_t baudRate, CKalvenBoard* board)
    : CDebugWorkerBoard(exePath, frame, pipeRead, board) {
  *ok = 0;
  *programTime = *programDate = 0;
  char port[32];
  std::snprintf(port, sizeof port, "\\\\.\\COM%d", pcPort);
  int opened = 0;
  g_pKernelLink = new CTDKernelCommunicationSerial(port, baudRate, &opened);
  if (!opened) return;
  g_pRegisters = new TargetRegisters;
  g_pDebugControl = new CDebugControlBorland(exePath, &startAddress, ok, programTime, programDate);
  g_pRegisters->code = startAddress;
  CreateSessionObjects(exePath, new CDebugAccessBorland, debugInfoOk, *programTime != 0 || *programDate != 0);
  if (*ok && m_pCanInterrupt) *m_pCanInterrupt = 1;
}

CDebugControlBorland* CDebugWorkerBorland::Control() const {
  return static_cast<CDebugControlBorland*>(g_pDebugControl);
}

int CDebugWorkerBorland::CanSetBreakpoints() { return !IsRunning(); }

void CDebugWorkerBorland::SetQuietStop(int flag) {
  CDebugWorker::SetQuietStop(flag);
  if (IsRunning() && g_pDebugControl) Control()->AbortWait();
}

void CDebugWorkerBorland::StartProgram(uint32_t flag) {
  if (!g_pRegisters || !g_pDebugInterp || !g_pBreakpointAddrList || !g_pDebugControl) return;
  const CAddr main = FindMainRoutine();
  if (!main.IsValid()) {
    g_pDebugInterp->SetEntryAddress(&g_pRegisters->code);
  } else {
    const CAddr none = CAddr::Invalid();
    g_pDebugInterp->SetEntryAddress(&none);
    g_pBreakpointAddrList->AddUserBreakpoint(main);
    Control()->RunUntilStop(nullptr);
    g_pBreakpointAddrList->RemoveUserBreakpoint(main);
  }
  if (flag) OnTargetStopped();
  TakeStartState();
  if (endAddress.Linear() != 0) g_pBreakpointAddrList->AddProgramEndBreakpoint(endAddress);
  CDebugWorker::StartProgram(flag);
}
