// Environment variables of the process.
#pragma once

#include "platform/base/windef.h"
#include "platform/base/winerror.h"

// The length without NUL when it fits; else the size needed with NUL;
// 0 with ERROR_ENVVAR_NOT_FOUND when the variable is not set.
DWORD GetEnvironmentVariable(LPCSTR lpName, LPSTR lpBuffer, DWORD nSize);
// lpValue NULL removes the variable.
BOOL SetEnvironmentVariable(LPCSTR lpName, LPCSTR lpValue);
// Replaces each %NAME% of a set variable by its value (names without
// letter case); unknown names stay as written. Returns the size needed
// including the NUL (also when the buffer is too small); 0 on failure.
DWORD ExpandEnvironmentStrings(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize);
