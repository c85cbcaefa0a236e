#include "platform/base/winstring.h"

#include <cstdint>

#include "platform/base/charcase.h"

namespace {

const int kWsprintfMax = 1024;

bool IsCharInWord(LPCSTR p) { return reinterpret_cast<uintptr_t>(p) >> 16 == 0; }

LPSTR ConvertChars(LPSTR lpsz, unsigned char (*convert)(unsigned char)) {
  if (!lpsz) return nullptr;
  if (IsCharInWord(lpsz)) {
    uintptr_t c = convert(static_cast<unsigned char>(reinterpret_cast<uintptr_t>(lpsz) & 0xFF));
    return reinterpret_cast<LPSTR>(c);
  }
  for (char* p = lpsz; *p; ++p) *p = static_cast<char>(convert(static_cast<unsigned char>(*p)));
  return lpsz;
}

DWORD ConvertBuff(LPSTR lpsz, DWORD cchLength, unsigned char (*convert)(unsigned char)) {
  if (!lpsz) return 0;
  for (DWORD i = 0; i < cchLength; ++i)
    lpsz[i] = static_cast<char>(convert(static_cast<unsigned char>(lpsz[i])));
  return cchLength;
}

}  // namespace

int lstrlen(LPCSTR lpString) { return lpString ? static_cast<int>(std::strlen(lpString)) : 0; }

LPSTR lstrcpy(LPSTR lpString1, LPCSTR lpString2) {
  if (!lpString1) return nullptr;
  return std::strcpy(lpString1, lpString2 ? lpString2 : "");
}

LPSTR lstrcpyn(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
  if (!lpString1 || iMaxLength <= 0) return lpString1;
  const char* src = lpString2 ? lpString2 : "";
  size_t n = strnlen(src, static_cast<size_t>(iMaxLength - 1));
  std::memcpy(lpString1, src, n);
  lpString1[n] = '\0';
  return lpString1;
}

LPSTR lstrcat(LPSTR lpString1, LPCSTR lpString2) {
  if (!lpString1) return nullptr;
  return std::strcat(lpString1, lpString2 ? lpString2 : "");
}

int lstrcmp(LPCSTR lpString1, LPCSTR lpString2) {
  int d = std::strcmp(lpString1 ? lpString1 : "", lpString2 ? lpString2 : "");
  return d < 0 ? -1 : (d > 0 ? 1 : 0);
}

int lstrcmpi(LPCSTR lpString1, LPCSTR lpString2) {
  const unsigned char* a = reinterpret_cast<const unsigned char*>(lpString1 ? lpString1 : "");
  const unsigned char* b = reinterpret_cast<const unsigned char*>(lpString2 ? lpString2 : "");
  for (;; ++a, ++b) {
    int ca = mirt::ToLower1252(*a);
    int cb = mirt::ToLower1252(*b);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

int WsprintfStore(LPSTR lpOut, const std::string& text) {
  if (!lpOut) return 0;
  size_t n = text.size() < kWsprintfMax - 1 ? text.size() : kWsprintfMax - 1;
  std::memcpy(lpOut, text.data(), n);
  lpOut[n] = '\0';
  return static_cast<int>(n);
}

int wvsprintf(LPSTR lpOut, LPCSTR lpFmt, va_list arglist) {
  std::string text;
  mirt::FormatVaList(text, lpFmt, arglist);
  return WsprintfStore(lpOut, text);
}

LPSTR CharUpper(LPSTR lpsz) { return ConvertChars(lpsz, &mirt::ToUpper1252); }

LPSTR CharLower(LPSTR lpsz) { return ConvertChars(lpsz, &mirt::ToLower1252); }

DWORD CharUpperBuff(LPSTR lpsz, DWORD cchLength) { return ConvertBuff(lpsz, cchLength, &mirt::ToUpper1252); }

DWORD CharLowerBuff(LPSTR lpsz, DWORD cchLength) { return ConvertBuff(lpsz, cchLength, &mirt::ToLower1252); }

LPSTR CharNext(LPCSTR lpsz) {
  if (!lpsz) return nullptr;
  return const_cast<LPSTR>(*lpsz ? lpsz + 1 : lpsz);
}

LPSTR CharPrev(LPCSTR lpszStart, LPCSTR lpszCurrent) {
  if (!lpszCurrent) return nullptr;
  return const_cast<LPSTR>(lpszStart && lpszCurrent > lpszStart ? lpszCurrent - 1 : lpszCurrent);
}

BOOL IsCharAlpha(CHAR ch) { return mirt::IsAlpha1252(static_cast<unsigned char>(ch)); }

BOOL IsCharAlphaNumeric(CHAR ch) { return IsCharAlpha(ch) || (ch >= '0' && ch <= '9'); }

BOOL IsCharUpper(CHAR ch) { return mirt::IsUpper1252(static_cast<unsigned char>(ch)); }

BOOL IsCharLower(CHAR ch) { return mirt::IsLower1252(static_cast<unsigned char>(ch)); }

int MulDiv(int nNumber, int nNumerator, int nDenominator) {
  if (nDenominator == 0) return -1;
  int64_t product = static_cast<int64_t>(nNumber) * nNumerator;
  int64_t half = (nDenominator < 0 ? -static_cast<int64_t>(nDenominator) : nDenominator) / 2;
  bool negative = (product < 0) != (nDenominator < 0);
  int64_t magnitude = (product < 0 ? -product : product) + half;
  int64_t result = magnitude / (nDenominator < 0 ? -static_cast<int64_t>(nDenominator) : nDenominator);
  if (negative) result = -result;
  if (result > INT32_MAX || result < INT32_MIN) return -1;
  return static_cast<int>(result);
}

std::string plat::TextInBuffer(LPCSTR buffer, size_t size) {
  return buffer ? std::string(buffer, strnlen(buffer, size)) : std::string();
}
