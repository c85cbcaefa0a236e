// Memory and register access to the debugged target, implemented by each
// session variant. The stack and pointer operations are built here on the
// memory and register operations.
#pragma once

#include <cstdint>

#include "debugger/addr.h"

struct TargetRegisters;

class CDebugAccess {
 public:
  virtual ~CDebugAccess() = default;
  // All return non-zero on success.
  virtual int ReadMemory(const CAddr* address, uint32_t length, uint8_t* buffer) = 0;
  virtual int WriteMemory(const CAddr* address, uint32_t length, const uint8_t* bytes) = 0;
  // The far pointer at SS:SP, and at SS:BP+2.
  virtual int ReadReturnAddressAtStack(CAddr* out);
  virtual int ReadFrameReturnAddress(CAddr* out);
  virtual int WriteReturnAddressAtStack(const CAddr* value);
  virtual int WriteFrameReturnAddress(const CAddr* value);
  // A far pointer stored as offset word, then segment word.
  virtual int ReadFarPointer(const CAddr* at, CAddr* out);
  virtual int WriteFarPointer(const CAddr* at, const CAddr* value);
  // A 16-bit offset at `at`, with SS as its segment.
  virtual int ReadNearPointer(const CAddr* at, CAddr* out);
  virtual int ReadFarPointerAfterWord(const CAddr* at, CAddr* out);
  virtual int WriteRegisters(TargetRegisters* block) = 0;
  virtual int ReadRegisters(TargetRegisters* block) = 0;
  // Register names and flag letters as in ApplyRegisterByName.
  virtual int SetRegisterByName(const char* name, double value) = 0;
  // Board-side breakpoint calls, used when m_bThroughBoard is 1.
  virtual int PlantBoardBreakpoint(const CAddr* address, uint16_t context, uint16_t kinds) = 0;
  virtual int ClearBoardBreakpoint(const CAddr* address) = 0;

  uint8_t m_bThroughBoard = 0;

 protected:
  // The current registers for the stack operations.
  virtual int ReadStackRegisters(TargetRegisters* block) { return ReadRegisters(block); }

 private:
  int WriteFarPointerAt(const CAddr& at, const CAddr& value);
};
