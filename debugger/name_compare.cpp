#include "debugger/name_compare.h"

#include "platform/base/charcase.h"

bool EqualNoCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char x = mirt::ToLower1252(static_cast<unsigned char>(*a));
    unsigned char y = mirt::ToLower1252(static_cast<unsigned char>(*b));
    if (x != y) return false;
    if (x == 0) return true;
  }
}

const char* BaseNameOf(const char* path) {
  const char* base = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/') base = p + 1;
  }
  return base;
}
