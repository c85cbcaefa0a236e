// Target memory and registers through the debug kernel on the serial
// link: 'F' reads, 'G' writes, 'J' and 'K' for the register record.
#pragma once

#include "debugger/debug_access.h"
#include "debugger/target_registers.h"

// The kernel's register record into block->answer and the addresses; a
// failure shows `failureText` (caption "Error") and leaves the block.
bool BorlandReadRegisterRecord(TargetRegisters* block, const char* failureText);
// 'K' with the block's record; a failure shows "Write Registers".
bool BorlandWriteRegisterRecord(const TargetRegisters& block);

class CDebugAccessBorland : public CDebugAccess {
 public:
  // Bytes of one 'F' answer, and of one 'G' request's data (the frame's
  // 126 bytes less count, offset and segment).
  static constexpr uint32_t kReadChunk = 127;
  static constexpr uint32_t kWriteChunk = 121;

  int ReadMemory(const CAddr* address, uint32_t length, uint8_t* buffer) override;
  int WriteMemory(const CAddr* address, uint32_t length, const uint8_t* bytes) override;
  int WriteRegisters(TargetRegisters* block) override;
  int ReadRegisters(TargetRegisters* block) override;
  int SetRegisterByName(const char* name, double value) override;
  int PlantBoardBreakpoint(const CAddr*, uint16_t, uint16_t) override { return 0; }
  int ClearBoardBreakpoint(const CAddr*) override { return 0; }

 protected:
  int ReadStackRegisters(TargetRegisters* block) override;
};
