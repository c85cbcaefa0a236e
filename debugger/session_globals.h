// The process-wide objects of the current debug session.
#pragma once

class CDebugAccess;
class CDebugInterp;
class CEval;
class CBreakpointAddrList;
struct TargetRegisters;

extern CDebugAccess* g_pDebugAccess;
extern CDebugInterp* g_pDebugInterp;
extern TargetRegisters* g_pRegisters;
extern CEval* g_pEval;
extern CEval* g_pRegEval;
extern CBreakpointAddrList* g_pBreakpointAddrList;
