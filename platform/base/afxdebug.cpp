#include "platform/base/afxdebug.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace mirt {

namespace {

void DefaultAssertHandler(const char* file, int line, const char* expr) {
  std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", expr ? expr : "", file ? file : "?", line);
  const char* abortFlag = std::getenv("MIRT_ASSERT_ABORT");
  if (abortFlag && std::strcmp(abortFlag, "1") == 0) std::abort();
}

std::atomic<AssertHandler> g_assertHandler{&DefaultAssertHandler};

}  // namespace

AssertHandler SetAssertHandler(AssertHandler handler) {
  return g_assertHandler.exchange(handler ? handler : &DefaultAssertHandler);
}

void AssertFailed(const char* file, int line, const char* expr) { g_assertHandler.load()(file, line, expr); }

void TraceText(const char* text) {
  static const bool enabled = std::getenv("MIRT_TRACE") != nullptr;
  if (enabled && text) std::fputs(text, stderr);
}

}  // namespace mirt

BOOL AfxAssertFailedLine(LPCSTR lpszFileName, int nLine) {
  mirt::AssertFailed(lpszFileName, nLine, "");
  return FALSE;
}

BOOL AfxIsValidAddress(const void* lp, UINT nBytes, BOOL bReadWrite) { return lp != nullptr || nBytes == 0; }

BOOL AfxIsValidString(LPCSTR lpsz, int nLength) { return lpsz != nullptr; }
