#include "debugger/debug_access.h"

#include "debugger/target_registers.h"

namespace {

constexpr uint32_t kDebugAccessFarPointerSize = 4;
constexpr uint32_t kDebugAccessNearPointerSize = 2;
// BP points at the caller's BP; the return address follows it.
constexpr uint32_t kDebugAccessFrameReturnOffset = 2;

CAddr DebugAccessFarPointerOf(const uint8_t* bytes) {
  return CAddr(bytes[2] | (bytes[3] << 8), bytes[0] | (bytes[1] << 8));
}

}  // namespace

int CDebugAccess::ReadFarPointer(const CAddr* at, CAddr* out) {
  uint8_t bytes[kDebugAccessFarPointerSize] = {};
  int ok = ReadMemory(at, kDebugAccessFarPointerSize, bytes);
  *out = DebugAccessFarPointerOf(bytes);
  return ok;
}

int CDebugAccess::WriteFarPointerAt(const CAddr& at, const CAddr& value) {
  const uint8_t bytes[kDebugAccessFarPointerSize] = {uint8_t(value.offset), uint8_t(value.offset >> 8),
                                                     uint8_t(value.segment), uint8_t(value.segment >> 8)};
  return WriteMemory(&at, kDebugAccessFarPointerSize, bytes);
}

int CDebugAccess::WriteFarPointer(const CAddr* at, const CAddr* value) {
  uint8_t old[kDebugAccessFarPointerSize];
  ReadMemory(at, kDebugAccessFarPointerSize, old);
  return WriteFarPointerAt(*at, *value);
}

int CDebugAccess::ReadReturnAddressAtStack(CAddr* out) {
  TargetRegisters regs;
  ReadStackRegisters(&regs);
  return ReadFarPointer(&regs.stack, out);
}

int CDebugAccess::ReadFrameReturnAddress(CAddr* out) {
  TargetRegisters regs;
  ReadStackRegisters(&regs);
  CAddr at(regs.frame.segment, (regs.frame.offset + kDebugAccessFrameReturnOffset) & 0xFFFF);
  return ReadFarPointer(&at, out);
}

int CDebugAccess::WriteReturnAddressAtStack(const CAddr* value) {
  TargetRegisters regs;
  ReadStackRegisters(&regs);
  return WriteFarPointerAt(regs.stack, *value);
}

int CDebugAccess::WriteFrameReturnAddress(const CAddr* value) {
  TargetRegisters regs;
  ReadStackRegisters(&regs);
  return WriteFarPointerAt(
      CAddr(regs.frame.segment, (regs.frame.offset + kDebugAccessFrameReturnOffset) & 0xFFFF), *value);
}

int CDebugAccess::ReadNearPointer(const CAddr* at, CAddr* out) {
  TargetRegisters regs;
  ReadRegisters(&regs);
  uint8_t bytes[kDebugAccessNearPointerSize] = {};
  int ok = ReadMemory(at, kDebugAccessNearPointerSize, bytes);
  *out = CAddr(regs.stack.segment, bytes[0] | (bytes[1] << 8));
  return ok;
}

int CDebugAccess::ReadFarPointerAfterWord(const CAddr* at, CAddr* out) {
  CAddr after(at->segment, at->offset + kDebugAccessNearPointerSize);
  return ReadFarPointer(&after, out);
}
