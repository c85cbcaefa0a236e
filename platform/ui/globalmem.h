// Global memory handles: blocks that move between owners (clipboard, drag
// and drop, printer settings) by handle.
#pragma once

#include "platform/base/winctrl.h"
#include "platform/base/windef.h"
#include "platform/base/winerror.h"

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags);
HGLOBAL GlobalFree(HGLOBAL hMem);
LPVOID GlobalLock(HGLOBAL hMem);
BOOL GlobalUnlock(HGLOBAL hMem);
SIZE_T GlobalSize(HGLOBAL hMem);
UINT GlobalFlags(HGLOBAL hMem);
