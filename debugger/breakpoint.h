// A source breakpoint: a file and a 1-based line.
#pragma once

#include <cstdint>

#include "platform/base/cstring.h"

class CBreakpoint {
 public:
  CBreakpoint() = default;
  CBreakpoint(const char* fileName, uint16_t lineNumber) : file(fileName), line(lineNumber) {}
  CBreakpoint(const CBreakpoint& other) = default;
  CBreakpoint& operator=(const CBreakpoint& other) = default;
  virtual ~CBreakpoint() = default;

  // Same line, and the same file as open documents are matched
  // (plat::SameFilePath: letter case counts).
  virtual bool IsEqual(const CBreakpoint& other) const;

  CString file;
  uint16_t line = 0;
};
