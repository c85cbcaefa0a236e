// Anonymous pipes. ReadFile on a read end returns as soon as some bytes
// are there; once every write end is closed and the pipe is empty it fails
// with ERROR_BROKEN_PIPE. WriteFile to a pipe without reader fails with
// ERROR_NO_DATA (the process never receives SIGPIPE). Closing a handle
// wakes a thread blocked on it (ERROR_OPERATION_ABORTED).
#pragma once

#include "platform/base/windef.h"
#include "platform/base/winerror.h"
#include "platform/sys/security.h"

#define DUPLICATE_CLOSE_SOURCE 0x00000001u
#define DUPLICATE_SAME_ACCESS 0x00000002u

// The buffer size is a hint; 0 takes the system's default.
BOOL CreatePipe(PHANDLE hReadPipe, PHANDLE hWritePipe, LPSECURITY_ATTRIBUTES lpPipeAttributes, DWORD nSize);

// Looks at the bytes waiting in a read end without taking them: up to
// nBufferSize of them are copied, *lpTotalBytesAvail is how many there are
// (any pointer may be NULL). An empty pipe whose writers are gone fails
// with ERROR_BROKEN_PIPE.
BOOL PeekNamedPipe(HANDLE hNamedPipe, LPVOID lpBuffer, DWORD nBufferSize, LPDWORD lpBytesRead,
                   LPDWORD lpTotalBytesAvail, LPDWORD lpBytesLeftThisMessage);

// A second handle to a pipe end or serial port of this process
// (GetCurrentProcess() for both processes). Inheritance is not kept per
// handle: a child process receives exactly its three standard handles.
BOOL DuplicateHandle(HANDLE hSourceProcessHandle, HANDLE hSourceHandle, HANDLE hTargetProcessHandle,
                     LPHANDLE lpTargetHandle, DWORD dwDesiredAccess, BOOL bInheritHandle, DWORD dwOptions);
