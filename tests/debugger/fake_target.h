// A target of 1 MB of memory behind the memory access interface.
#pragma once

#include <cstring>
#include <vector>

#include "debugger/debug_access.h"
#include "debugger/register_by_name.h"
#include "debugger/target_registers.h"

namespace fixture {

class FakeTarget : public CDebugAccess {
 public:
  std::vector<uint8_t> memory = std::vector<uint8_t>(0x110000, 0);
  int writes = 0;
  bool failWrites = false;
  struct BoardCall {
    uint32_t linear;
    uint16_t context, kinds;
  };
  std::vector<BoardCall> boardCalls;

  int ReadMemory(const CAddr* address, uint32_t length, uint8_t* buffer) override {
    for (uint32_t i = 0; i < length; ++i) buffer[i] = At(address->Linear() + i);
    return 1;
  }
  int WriteMemory(const CAddr* address, uint32_t length, const uint8_t* bytes) override {
    ++writes;
    if (failWrites) return 0;
    for (uint32_t i = 0; i < length; ++i) At(address->Linear() + i) = bytes[i];
    return 1;
  }
  int PlantBoardBreakpoint(const CAddr* address, uint16_t context, uint16_t kinds) override {
    boardCalls.push_back({address->Linear(), context, kinds});
    return 1;
  }
  int ClearBoardBreakpoint(const CAddr*) override { return 1; }
  int ReadRegisters(TargetRegisters* block) override {
    *block = registers;
    return 1;
  }
  int WriteRegisters(TargetRegisters* block) override {
    KernelRegisterRecord rec = block->Record();
    rec.cs = uint16_t(block->code.segment);
    rec.ip = uint16_t(block->code.offset);
    rec.ss = uint16_t(block->stack.segment);
    rec.esp = block->stack.offset;
    rec.ebp = block->frame.offset;
    registers.SetRecord(rec);
    ++registerWrites;
    return 1;
  }
  int SetRegisterByName(const char* name, double value) override {
    KernelRegisterRecord rec = registers.Record();
    ApplyRegisterByName(rec, name, value);
    registers.SetRecord(rec);
    return 1;
  }

  TargetRegisters registers;
  int registerWrites = 0;

  uint8_t& At(uint32_t linear) { return memory[linear % memory.size()]; }
  template <typename T>
  void Put(uint32_t linear, T v) {
    std::memcpy(&At(linear), &v, sizeof v);
  }
  template <typename T>
  T Get(uint32_t linear) {
    T v;
    std::memcpy(&v, &At(linear), sizeof v);
    return v;
  }
};

}  // namespace fixture
