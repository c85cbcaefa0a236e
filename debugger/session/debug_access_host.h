// Target memory and registers through the board driver, with the debug
// kernel installed as a task on the board: registers travel in the kernel
// task's parameter block, memory is the board's (bytes inside the
// kernel's save area come from the saved copy), breakpoints on the board
// are kernel function calls.
#pragma once

#include <cstdint>

#include "debugger/debug_access.h"

class CKalvenBoard;

// Parameter indices of the debug kernel task.
namespace host_kernel {
constexpr uint16_t kStart = 0x1C, kSingleStep = 0xC8, kLifted = 0x5E, kRecord = 0x26, kSaveOffset = 0x14,
                   kSaveSegment = 0x16, kSaveSize = 0x30CE, kSaveCopy = 0xCE, kDebuggee = 0x34EF,
                   kStopHandshake = 0x34F1;
constexpr uint16_t kRequested = 0xFFFF;
// Kernel functions: plant and clear a breakpoint on the board.
constexpr uint16_t kFuncPlant = 3, kFuncClear = 4;
}  // namespace host_kernel

class CDebugAccessHost : public CDebugAccess {
 public:
  CDebugAccessHost(uint16_t kernelTask, uint16_t debuggeeTask, CKalvenBoard* board);

  int ReadMemory(const CAddr* address, uint32_t length, uint8_t* buffer) override;
  int WriteMemory(const CAddr* address, uint32_t length, const uint8_t* bytes) override;
  int WriteRegisters(TargetRegisters* block) override;
  int ReadRegisters(TargetRegisters* block) override;
  int SetRegisterByName(const char* name, double value) override;
  int PlantBoardBreakpoint(const CAddr* address, uint16_t context, uint16_t kinds) override;
  int ClearBoardBreakpoint(const CAddr* address) override;

  uint16_t kernelTask;
  uint16_t debuggeeTask;
  CKalvenBoard* board;

 private:
  int CallKernel(uint16_t function, const CAddr& address, uint16_t context, uint16_t kinds);
};
