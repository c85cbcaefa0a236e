#include "debugger/debug_control.h"

CDebugControl* g_pDebugControl = nullptr;
