// What the frame tells a test driver about its debug session: the session
// flag, the lines of the source or disassembly view in front (screen
// rectangles, the caret, execution and breakpoint lines), the watches of
// the Variable bar, the rows of the Registers bar while it is shown, and
// the first row of the board memory tool.
#pragma once

#include "platform/base/windef.h"

// Adds the report to the layer's test hook; the first call only.
void AddDebugStateReport();
// The memory tool window whose first row the report carries.
void ReportMemoryTool(HWND tool);
