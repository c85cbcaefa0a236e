// The text form of a breakpoint in the Edit Breakpoints list:
// "file <name>, line <number>".
#pragma once

#include "debugger/breakpoint.h"

CString BreakpointListText(const CBreakpoint& bp);
// Recovers the breakpoint of such a text; file names may hold ", ".
bool ParseBreakpointListText(const char* text, CBreakpoint& bp);
