#include "platform/base/crtstring.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

int LowerAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }
int UpperAscii(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }

// Digits of value in radix, most significant first, after an optional '-'.
char* ToText(unsigned long long value, bool negative, char* buffer, int radix) {
  if (!buffer) return nullptr;
  if (radix < 2 || radix > 36) {
    buffer[0] = '\0';
    return buffer;
  }
  char digits[66];
  int n = 0;
  do {
    int d = static_cast<int>(value % radix);
    digits[n++] = static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10);
    value /= radix;
  } while (value);
  char* p = buffer;
  if (negative) *p++ = '-';
  while (n) *p++ = digits[--n];
  *p = '\0';
  return buffer;
}

char* SignedToText(long long value, char* buffer, int radix, unsigned long long mask) {
  if (radix == 10 && value < 0)
    return ToText(0ULL - static_cast<unsigned long long>(value), true, buffer, radix);
  return ToText(static_cast<unsigned long long>(value) & mask, false, buffer, radix);
}

}  // namespace

int _stricmp(const char* string1, const char* string2) {
  return _strnicmp(string1, string2, static_cast<size_t>(-1));
}

int _strnicmp(const char* string1, const char* string2, size_t count) {
  const unsigned char* a = reinterpret_cast<const unsigned char*>(string1 ? string1 : "");
  const unsigned char* b = reinterpret_cast<const unsigned char*>(string2 ? string2 : "");
  for (size_t i = 0; i < count; ++i) {
    int d = LowerAscii(a[i]) - LowerAscii(b[i]);
    if (d != 0 || a[i] == 0) return d;
  }
  return 0;
}

int _memicmp(const void* buf1, const void* buf2, size_t count) {
  const unsigned char* a = static_cast<const unsigned char*>(buf1);
  const unsigned char* b = static_cast<const unsigned char*>(buf2);
  for (size_t i = 0; i < count; ++i) {
    int d = LowerAscii(a[i]) - LowerAscii(b[i]);
    if (d != 0) return d;
  }
  return 0;
}

char* _strupr(char* str) {
  if (str) {
    for (char* p = str; *p; ++p) *p = static_cast<char>(UpperAscii(static_cast<unsigned char>(*p)));
  }
  return str;
}

char* _strlwr(char* str) {
  if (str) {
    for (char* p = str; *p; ++p) *p = static_cast<char>(LowerAscii(static_cast<unsigned char>(*p)));
  }
  return str;
}

char* _strrev(char* str) {
  if (str) std::reverse(str, str + std::strlen(str));
  return str;
}

char* _strdup(const char* str) {
  if (!str) return nullptr;
  size_t n = std::strlen(str) + 1;
  char* copy = static_cast<char*>(std::malloc(n));
  if (copy) std::memcpy(copy, str, n);
  return copy;
}

char* _itoa(int value, char* buffer, int radix) { return SignedToText(value, buffer, radix, 0xFFFFFFFFull); }

// long is 32 bits on Windows: keep that width.
char* _ltoa(long value, char* buffer, int radix) {
  return SignedToText(static_cast<int>(value), buffer, radix, 0xFFFFFFFFull);
}

char* _ultoa(unsigned long value, char* buffer, int radix) {
  return ToText(value & 0xFFFFFFFFul, false, buffer, radix);
}

char* _i64toa(long long value, char* buffer, int radix) { return SignedToText(value, buffer, radix, ~0ULL); }

char* _ui64toa(unsigned long long value, char* buffer, int radix) {
  return ToText(value, false, buffer, radix);
}

int _mbscmp(const unsigned char* string1, const unsigned char* string2) {
  return std::strcmp(
      reinterpret_cast<const char*>(string1 ? string1 : reinterpret_cast<const unsigned char*>("")),
      reinterpret_cast<const char*>(string2 ? string2 : reinterpret_cast<const unsigned char*>("")));
}

int _mbsicmp(const unsigned char* string1, const unsigned char* string2) {
  return _stricmp(reinterpret_cast<const char*>(string1), reinterpret_cast<const char*>(string2));
}

unsigned char* _mbsnbcpy(unsigned char* dest, const unsigned char* src, size_t count) {
  if (!dest) return nullptr;
  std::strncpy(reinterpret_cast<char*>(dest),
               reinterpret_cast<const char*>(src ? src : reinterpret_cast<const unsigned char*>("")), count);
  return dest;
}

unsigned int _mbctolower(unsigned int c) {
  return c < 256 ? static_cast<unsigned>(LowerAscii(static_cast<unsigned char>(c))) : c;
}

unsigned int _mbctoupper(unsigned int c) {
  return c < 256 ? static_cast<unsigned>(UpperAscii(static_cast<unsigned char>(c))) : c;
}
