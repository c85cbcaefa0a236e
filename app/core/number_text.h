// Number texts typed into the debugger's dialogs and variable cells.
#pragma once

#include "platform/base/windef.h"

// Reads a number as the user typed it: "$1F", "0x1F" and "1Fh" are
// hexadecimal, anything else decimal; only the text before the first blank
// counts. A decimal text keeps the historic reading in which a letter adds
// nothing ("1F" is 10). A text that is no number in any of these forms
// (empty, "0x" alone, "g1", ...) reads as 0. The value wraps in 32 bits.
DWORD ParseNumberText(const char* text);
