// System message texts of Win32 error numbers (FormatMessage with
// FORMAT_MESSAGE_FROM_SYSTEM) and the local heap that holds them.
#pragma once

#include <cstdarg>

#include "platform/base/windef.h"

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100u
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200u
#define FORMAT_MESSAGE_FROM_STRING 0x00000400u
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800u
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000u
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000u

#ifndef MAKELANGID
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#endif
#define LANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01

// Only FORMAT_MESSAGE_FROM_SYSTEM: the text of dwMessageId ended by CR LF,
// into lpBuffer (nSize bytes) or, with FORMAT_MESSAGE_ALLOCATE_BUFFER, into
// a new buffer whose address is stored at lpBuffer (free it with
// LocalFree). Returns the length without the NUL; 0 for an unknown number
// (ERROR_MR_MID_NOT_FOUND) or too small a buffer.
DWORD FormatMessage(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId, LPSTR lpBuffer,
                    DWORD nSize, va_list* Arguments);
HLOCAL LocalFree(HLOCAL hMem);
