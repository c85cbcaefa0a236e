// Threads, events and waits. There is no forced termination of a thread
// (no TerminateThread): a thread that must end is told so cooperatively
// (a flag or event it checks, a pipe it reads being closed) and then
// waited for. Closing a thread handle does not stop the thread.
#pragma once

#include "platform/base/windef.h"
#include "platform/base/winerror.h"
#include "platform/sys/security.h"

#ifndef INFINITE
#define INFINITE 0xFFFFFFFF
#endif
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED_0 0x00000080u
#ifndef WAIT_TIMEOUT
#define WAIT_TIMEOUT 258L
#endif
#define WAIT_FAILED ((DWORD)0xFFFFFFFF)
#define MAXIMUM_WAIT_OBJECTS 64
#define STILL_ACTIVE 259
#define CREATE_SUSPENDED 0x00000004u

typedef DWORD (*LPTHREAD_START_ROUTINE)(LPVOID lpThreadParameter);

// The thread starts at once, or with CREATE_SUSPENDED when ResumeThread
// brings its suspend count to 0. *lpThreadId receives its id.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES lpThreadAttributes, SIZE_T dwStackSize,
                    LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter, DWORD dwCreationFlags,
                    LPDWORD lpThreadId);
// The previous suspend count; (DWORD)-1 on failure. Only a thread created
// suspended can be held: running threads are never stopped from outside.
DWORD ResumeThread(HANDLE hThread);
// STILL_ACTIVE while the thread runs, then its exit code.
BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);
// Ends the calling thread, which must have been made by CreateThread.
[[noreturn]] void ExitThread(DWORD dwExitCode);
DWORD GetCurrentThreadId();

// Events: manual-reset ones stay signalled until reset; auto-reset ones
// release one waiter and reset themselves.
HANDLE CreateEvent(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                   LPCSTR lpName);
BOOL SetEvent(HANDLE hEvent);
BOOL ResetEvent(HANDLE hEvent);

// Waits on threads and events: WAIT_OBJECT_0 (+ index), WAIT_TIMEOUT, or
// WAIT_FAILED with the last error set (ERROR_INVALID_HANDLE, ...).
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds);

typedef struct _CRITICAL_SECTION {
  void* impl;
} CRITICAL_SECTION, *LPCRITICAL_SECTION;
void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
// Re-entrant for the owning thread, as on Windows.
void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection);

LONG InterlockedIncrement(LONG volatile* lpAddend);
LONG InterlockedDecrement(LONG volatile* lpAddend);
LONG InterlockedExchange(LONG volatile* Target, LONG Value);
LONG InterlockedExchangeAdd(LONG volatile* Addend, LONG Value);
LONG InterlockedCompareExchange(LONG volatile* Destination, LONG Exchange, LONG Comparand);
