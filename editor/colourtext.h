// Colours as the profile and keyword files write them: "red,green,blue" in
// decimal. A missing part counts 0; each part keeps its low byte.
#pragma once

#include "platform/base/cstring.h"
#include "platform/base/windef.h"

COLORREF ParseColour(const char* text);
CString FormatColour(COLORREF colour);
