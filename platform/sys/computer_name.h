// The name of this computer, as Windows gives it: the host name up to its
// first dot, in capital letters, at most MAX_COMPUTERNAME_LENGTH characters.
#pragma once

#include "platform/base/windef.h"

#ifndef MAX_COMPUTERNAME_LENGTH
#define MAX_COMPUTERNAME_LENGTH 15
#endif

// *nSize: in, the buffer's size in characters; out, the name's length
// without the NUL. Too small a buffer gives FALSE with ERROR_BUFFER_OVERFLOW
// and the size needed (with the NUL) in *nSize.
BOOL GetComputerName(LPSTR lpBuffer, LPDWORD nSize);
