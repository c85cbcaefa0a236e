#include "debugger/breakpoint.h"

#include "debugger/name_compare.h"

bool CBreakpoint::IsEqual(const CBreakpoint& other) const {
  return line == other.line && EqualNoCase(file, other.file);
}
