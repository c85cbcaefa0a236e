// ASSERT, VERIFY, TRACE and friends. Checks run in debug builds (NDEBUG not
// set, which also defines _DEBUG); release builds never stop on them.
#pragma once

#include "platform/base/format.h"
#include "platform/base/windef.h"

#if !defined(NDEBUG) && !defined(_DEBUG)
#define _DEBUG 1
#endif

namespace mirt {

// Called for a failed check with its file and line. The default writes one
// line to standard error and carries on; with MIRT_ASSERT_ABORT=1 in the
// environment it aborts. Tests may install their own.
typedef void (*AssertHandler)(const char* file, int line, const char* expr);
AssertHandler SetAssertHandler(AssertHandler handler);
void AssertFailed(const char* file, int line, const char* expr);

// Debug output: to standard error when MIRT_TRACE is set, else dropped,
// as the Windows program's debugger output would be.
void TraceText(const char* text);

template <typename... A>
void Trace(const char* fmt, const A&... args) {
  TraceText(FormatString(fmt, args...).c_str());
}

}  // namespace mirt

BOOL AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
BOOL AfxIsValidAddress(const void* lp, UINT nBytes, BOOL bReadWrite = TRUE);
BOOL AfxIsValidString(LPCSTR lpsz, int nLength = -1);

#ifdef _DEBUG
#define ASSERT(f) ((f) ? (void)0 : ::mirt::AssertFailed(__FILE__, __LINE__, #f))
#define VERIFY(f) ASSERT(f)
#define TRACE(...) ::mirt::Trace(__VA_ARGS__)
#define DEBUG_ONLY(f) (f)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define TRACE(...) ((void)0)
#define DEBUG_ONLY(f) ((void)0)
#endif

#define TRACE0(sz) TRACE("%s", sz)
#define TRACE1(sz, p1) TRACE(sz, p1)
#define TRACE2(sz, p1, p2) TRACE(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(sz, p1, p2, p3)
#define ASSERT_POINTER(p, type) ASSERT(((p) != NULL) && AfxIsValidAddress((p), sizeof(type), FALSE))
#define ASSERT_NULL_OR_POINTER(p, type) ASSERT(((p) == NULL) || AfxIsValidAddress((p), sizeof(type), FALSE))
