// A real-mode x86 processor (libx86emu) over a bus of memory and I/O ports.
// It stops on an executed INT3 (the instruction pointer then stands past
// it), after one instruction when the trap flag was set, on reaching the
// exit address, on INT 20h or INT 21h function 4Ch, on HLT, and on an
// interrupt or exception whose vector is 0:0.
#pragma once
#include <cstdint>

#include "drivers/sim/kernel_register_record.h"

struct x86emu_s;

namespace sim {

class CpuBus {
 public:
  virtual ~CpuBus() = default;
  virtual uint8_t ReadMemory(uint32_t linear) = 0;
  virtual void WriteMemory(uint32_t linear, uint8_t value) = 0;
  virtual uint8_t In(uint16_t port) = 0;
  virtual void Out(uint16_t port, uint8_t value) = 0;
};

enum class StopReason { Running, Breakpoint, Step, StopRequest, Ended, Halted, Fault };

struct CpuStop {
  StopReason reason = StopReason::Running;
  uint16_t cs = 0, ip = 0;  // where the processor stands
  uint8_t interrupt = 0;    // Fault: the interrupt or exception number
  uint8_t exitCode = 0;     // Ended by INT 21h function 4Ch: AL
};

class X86Cpu {
 public:
  explicit X86Cpu(CpuBus& bus);
  ~X86Cpu();
  X86Cpu(const X86Cpu&) = delete;
  X86Cpu& operator=(const X86Cpu&) = delete;

  CpuRegisters Registers() const;
  void SetRegisters(const CpuRegisters& r);
  // Reaching this address (a far return to it) ends the program.
  void SetExitAddress(uint16_t cs, uint16_t ip);

  // Executes at most maxInstructions; the reason is Running when all of
  // them ran without a stop. `trace` stops after the first instruction as
  // a set trap flag would.
  CpuStop Run(uint64_t maxInstructions, bool trace = false);

 private:
  static unsigned MemIo(x86emu_s* emu, uint32_t addr, uint32_t* val, unsigned type);
  static int Interrupt(x86emu_s* emu, uint8_t num, unsigned type);
  static int BeforeInstruction(x86emu_s* emu);
  int OnInterrupt(uint8_t num, unsigned type);
  int OnInstruction();
  void StopAs(StopReason reason);

  CpuBus& bus_;
  x86emu_s* emu_;
  bool exitSet_ = false;
  uint16_t exitCs_ = 0, exitIp_ = 0;
  // State of the current Run.
  CpuStop stop_;
  bool traceFirst_ = false, firstInstruction_ = false, traced_ = false;
};

}  // namespace sim
