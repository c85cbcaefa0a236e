// The Win32 string and character functions (ANSI forms), over bytes shown
// as Windows-1252, and the memory macros.
#pragma once

#include <cstring>
#include <string>

#include "platform/base/format.h"
#include "platform/base/windef.h"

int lstrlen(LPCSTR lpString);  // NULL has length 0
LPSTR lstrcpy(LPSTR lpString1, LPCSTR lpString2);
// Copies at most iMaxLength - 1 bytes and always ends the copy with a NUL.
LPSTR lstrcpyn(LPSTR lpString1, LPCSTR lpString2, int iMaxLength);
LPSTR lstrcat(LPSTR lpString1, LPCSTR lpString2);
// -1, 0 or 1: bytes in order (lstrcmp), letters without case (lstrcmpi).
int lstrcmp(LPCSTR lpString1, LPCSTR lpString2);
int lstrcmpi(LPCSTR lpString1, LPCSTR lpString2);
#define lstrlenA lstrlen
#define lstrcpyA lstrcpy
#define lstrcpynA lstrcpyn
#define lstrcatA lstrcat
#define lstrcmpA lstrcmp
#define lstrcmpiA lstrcmpi

// Formats into a buffer of at least 1024 bytes, as Windows does: the text
// is cut at 1023 bytes. Returns the number of bytes stored.
int wvsprintf(LPSTR lpOut, LPCSTR lpFmt, va_list arglist);
int WsprintfStore(LPSTR lpOut, const std::string& text);
template <typename... A>
int wsprintf(LPSTR lpOut, LPCSTR lpFmt, const A&... args) {
  return WsprintfStore(lpOut, mirt::FormatString(lpFmt, args...));
}
#define wsprintfA wsprintf
#define wvsprintfA wvsprintf

// A string pointer whose high word is 0 stands for one character in its
// low word; the converted character comes back the same way.
LPSTR CharUpper(LPSTR lpsz);
LPSTR CharLower(LPSTR lpsz);
DWORD CharUpperBuff(LPSTR lpsz, DWORD cchLength);
DWORD CharLowerBuff(LPSTR lpsz, DWORD cchLength);
LPSTR CharNext(LPCSTR lpsz);
LPSTR CharPrev(LPCSTR lpszStart, LPCSTR lpszCurrent);
#define CharUpperA CharUpper
#define CharLowerA CharLower
#define CharNextA CharNext
#define CharPrevA CharPrev

BOOL IsCharAlpha(CHAR ch);
BOOL IsCharAlphaNumeric(CHAR ch);
BOOL IsCharUpper(CHAR ch);
BOOL IsCharLower(CHAR ch);
#define IsCharAlphaA IsCharAlpha
#define IsCharAlphaNumericA IsCharAlphaNumeric
#define IsCharUpperA IsCharUpper
#define IsCharLowerA IsCharLower

// number * numerator / denominator with a 64-bit product, rounded half away
// from zero; -1 when denominator is 0 or the result does not fit.
int MulDiv(int nNumber, int nNumerator, int nDenominator);

namespace plat {
// The text of a caller's buffer of size bytes: up to its NUL, and never past
// the buffer's end when the caller left the NUL out. NULL is empty.
std::string TextInBuffer(LPCSTR buffer, size_t size);
}  // namespace plat

#define ZeroMemory(dest, len) std::memset((dest), 0, (len))
#define FillMemory(dest, len, fill) std::memset((dest), (fill), (len))
#define CopyMemory(dest, src, len) std::memcpy((dest), (src), (len))
#define MoveMemory(dest, src, len) std::memmove((dest), (src), (len))
