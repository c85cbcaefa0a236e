// The "%04d %04d %04d %04d" rectangle texts under "Window size" and
// "Open Files".
#pragma once

#include "platform/base/cstring.h"
#include "platform/base/windef.h"

// Reads left, top, right and bottom at character positions 0, 5, 10 and
// 15; false for an empty text. A text too short for a number reads it as 0.
bool ParsePlacementRect(const char* text, RECT& out);
CString FormatPlacementRect(const RECT& rect);
