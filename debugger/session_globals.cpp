#include "debugger/session_globals.h"

CDebugAccess* g_pDebugAccess = nullptr;
CDebugInterp* g_pDebugInterp = nullptr;
TargetRegisters* g_pRegisters = nullptr;
CEval* g_pEval = nullptr;
CEval* g_pRegEval = nullptr;
CBreakpointAddrList* g_pBreakpointAddrList = nullptr;
