// Global memory blocks from and to byte strings, for the tests.
#pragma once

#include <cstring>
#include <string>

#include "platform/ui/globalmem.h"

inline HGLOBAL BytesBlock(const std::string& s) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, s.size());
  if (!s.empty()) memcpy(GlobalLock(h), s.data(), s.size());
  GlobalUnlock(h);
  return h;
}

inline std::string BlockBytes(HGLOBAL h) {
  std::string s(static_cast<const char*>(GlobalLock(h)), GlobalSize(h));
  GlobalUnlock(h);
  return s;
}
