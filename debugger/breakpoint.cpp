#include "debugger/breakpoint.h"

#include "platform/sys/path.h"

bool CBreakpoint::IsEqual(const CBreakpoint& other) const {
  return line == other.line && plat::SameFilePath(file.str(), other.file.str());
}
