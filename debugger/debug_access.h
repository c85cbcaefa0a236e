// Memory access to the debugged target, implemented by each session variant.
#pragma once

#include <cstdint>

#include "debugger/addr.h"

class CDebugAccess {
 public:
  virtual ~CDebugAccess() = default;
  // Both return non-zero on success.
  virtual int ReadMemory(const CAddr* address, uint32_t length, uint8_t* buffer) = 0;
  virtual int WriteMemory(const CAddr* address, uint32_t length, const uint8_t* bytes) = 0;
  // Board-side breakpoint calls, used when m_bThroughBoard is 1.
  virtual int PlantBoardBreakpoint(const CAddr* address, uint16_t context, uint16_t kinds) = 0;
  virtual int ClearBoardBreakpoint(const CAddr* address) = 0;

  uint8_t m_bThroughBoard = 0;
};
