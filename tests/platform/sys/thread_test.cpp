// Threads, events, waits, critical sections and interlocked counters.
#include <gtest/gtest.h>

#include "platform/sys/file.h"
#include "platform/sys/thread.h"
#include "platform/sys/time.h"

namespace {

DWORD ReturnParam(LPVOID p) { return static_cast<DWORD>(reinterpret_cast<uintptr_t>(p)); }

DWORD WaitThenExit(LPVOID p) {
  WaitForSingleObject(static_cast<HANDLE>(p), INFINITE);
  ExitThread(42);
}

TEST(ThreadTest, ExitCodesAndSuspendedStart) {
  DWORD id = 0;
  HANDLE t = CreateThread(nullptr, 0, ReturnParam, reinterpret_cast<LPVOID>(7), CREATE_SUSPENDED, &id);
  ASSERT_NE(nullptr, t);
  EXPECT_NE(0u, id);
  EXPECT_NE(GetCurrentThreadId(), id);
  DWORD code = 0;
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(t, 30));  // held until resumed
  ASSERT_TRUE(GetExitCodeThread(t, &code));
  EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), code);
  EXPECT_EQ(1u, ResumeThread(t));
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(t, 5000));
  ASSERT_TRUE(GetExitCodeThread(t, &code));
  EXPECT_EQ(7u, code);
  EXPECT_EQ(0u, ResumeThread(t));
  EXPECT_TRUE(CloseHandle(t));
  EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(t, 0));
  EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());
}

TEST(ThreadTest, EventsReleaseWaiters) {
  HANDLE go = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  HANDLE t = CreateThread(nullptr, 0, WaitThenExit, go, 0, nullptr);
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(t, 20));
  SetEvent(go);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(t, 5000));
  DWORD code = 0;
  GetExitCodeThread(t, &code);
  EXPECT_EQ(42u, code);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(go, 0));  // manual reset: stays set
  ResetEvent(go);
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(go, 0));

  HANDLE autoEvent = CreateEvent(nullptr, FALSE, TRUE, nullptr);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(autoEvent, 0));
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(autoEvent, 0));  // consumed

  HANDLE both[2] = {go, autoEvent};
  SetEvent(autoEvent);
  EXPECT_EQ(WAIT_OBJECT_0 + 1, WaitForMultipleObjects(2, both, FALSE, 0));
  SetEvent(autoEvent);
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForMultipleObjects(2, both, TRUE, 10));
  SetEvent(go);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, both, TRUE, 0));
  EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, both, FALSE, 0));  // the lowest index wins
  EXPECT_EQ(WAIT_FAILED, WaitForMultipleObjects(0, both, FALSE, 0));
  for (HANDLE h : {t, go, autoEvent}) CloseHandle(h);
}

struct Shared {
  CRITICAL_SECTION cs;
  long plain = 0;
  LONG counter = 0;
};

DWORD Hammer(LPVOID p) {
  auto* s = static_cast<Shared*>(p);
  for (int i = 0; i < 10000; ++i) {
    EnterCriticalSection(&s->cs);
    EnterCriticalSection(&s->cs);  // re-entrant
    ++s->plain;
    LeaveCriticalSection(&s->cs);
    LeaveCriticalSection(&s->cs);
    InterlockedIncrement(&s->counter);
  }
  return 0;
}

TEST(ThreadTest, CriticalSectionsAndInterlocked) {
  Shared s;
  InitializeCriticalSection(&s.cs);
  HANDLE threads[4];
  for (HANDLE& h : threads) h = CreateThread(nullptr, 0, Hammer, &s, 0, nullptr);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(4, threads, TRUE, 10000));
  for (HANDLE h : threads) CloseHandle(h);
  EXPECT_EQ(40000, s.plain);
  EXPECT_EQ(40000, s.counter);
  DeleteCriticalSection(&s.cs);

  LONG v = 5;
  EXPECT_EQ(5, InterlockedExchange(&v, 9));
  EXPECT_EQ(9, InterlockedCompareExchange(&v, 1, 3));  // no match: unchanged
  EXPECT_EQ(9, InterlockedCompareExchange(&v, 1, 9));
  EXPECT_EQ(1, InterlockedExchangeAdd(&v, 4));
  EXPECT_EQ(4, InterlockedDecrement(&v));
}

}  // namespace
