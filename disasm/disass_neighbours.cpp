#include "disasm/disass_neighbours.h"

CDisassBreakpoints* g_pDisassBreakpoints = nullptr;
CDisassSourceInfo* g_pDisassSourceInfo = nullptr;
DisassSourceDocFactory g_pfnNewDisassSourceDoc = nullptr;
CDisassMainFrame* g_pDisassMainFrame = nullptr;
