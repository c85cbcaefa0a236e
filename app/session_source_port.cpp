#include "app/session_source_port.h"

#include "debugger/session/debugger.h"

void CSessionSourcePort::SetLineBreakpoint(const char* path, WORD line, BOOL set) {
  if (g_pCurrentDebugger) g_pCurrentDebugger->SetLineBreakpoint(path, line, set ? 1 : 0);
}

void CSessionSourcePort::SetIPToLine(const char* path, WORD line) {
  if (g_pCurrentDebugger) g_pCurrentDebugger->SetIPToLine(path, line);
}

BOOL CSessionSourcePort::IsRunning() { return g_pCurrentDebugger && g_pCurrentDebugger->IsRunning(); }
