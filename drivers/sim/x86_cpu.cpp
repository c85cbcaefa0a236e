#include "drivers/sim/x86_cpu.h"

#include <x86emu.h>

namespace sim {

namespace {

constexpr uint8_t kIntBreakpoint = 3, kIntTerminate = 0x20, kIntDos = 0x21, kDosExit = 0x4C;

X86Cpu* Self(x86emu_t* emu) { return static_cast<X86Cpu*>(emu->_private); }

unsigned AccessSize(unsigned type) {
  switch (type & 0xFF) {
    case X86EMU_MEMIO_16:
      return 2;
    case X86EMU_MEMIO_32:
      return 4;
    default:
      return 1;
  }
}

}  // namespace

X86Cpu::X86Cpu(CpuBus& bus) : bus_(bus), emu_(x86emu_new(X86EMU_PERM_RWX, X86EMU_PERM_RW)) {
  emu_->_private = this;
  x86emu_set_memio_handler(emu_, &X86Cpu::MemIo);
  x86emu_set_intr_handler(emu_, &X86Cpu::Interrupt);
  x86emu_set_code_handler(emu_, &X86Cpu::BeforeInstruction);
  SetRegisters(CpuRegisters{});
}

X86Cpu::~X86Cpu() { x86emu_done(emu_); }

CpuRegisters X86Cpu::Registers() const {
  const auto& x = emu_->x86;
  CpuRegisters r;
  r.eax = x.R_EAX;
  r.ebx = x.R_EBX;
  r.ecx = x.R_ECX;
  r.edx = x.R_EDX;
  r.esp = x.R_ESP;
  r.ebp = x.R_EBP;
  r.esi = x.R_ESI;
  r.edi = x.R_EDI;
  r.flags = uint16_t(x.R_FLG);
  r.ip = x.R_IP;
  r.cs = x.R_CS;
  r.ds = x.R_DS;
  r.ss = x.R_SS;
  r.es = x.R_ES;
  r.fs = x.R_FS;
  r.gs = x.R_GS;
  return r;
}

void X86Cpu::SetRegisters(const CpuRegisters& r) {
  auto& x = emu_->x86;
  x.R_EAX = r.eax;
  x.R_EBX = r.ebx;
  x.R_ECX = r.ecx;
  x.R_EDX = r.edx;
  x.R_ESP = r.esp;
  x.R_EBP = r.ebp;
  x.R_ESI = r.esi;
  x.R_EDI = r.edi;
  x.R_EFLG = (x.R_EFLG & 0xFFFF0000u) | r.flags | 0x0002;
  x.R_EIP = r.ip;
  x86emu_set_seg_register(emu_, x.R_CS_SEL, r.cs);
  x86emu_set_seg_register(emu_, x.R_DS_SEL, r.ds);
  x86emu_set_seg_register(emu_, x.R_SS_SEL, r.ss);
  x86emu_set_seg_register(emu_, x.R_ES_SEL, r.es);
  x86emu_set_seg_register(emu_, x.R_FS_SEL, r.fs);
  x86emu_set_seg_register(emu_, x.R_GS_SEL, r.gs);
  x.mode &= ~uint32_t(_MODE_HALTED);
}

void X86Cpu::SetExitAddress(uint16_t cs, uint16_t ip) {
  exitSet_ = true;
  exitCs_ = cs;
  exitIp_ = ip;
}

CpuStop X86Cpu::Run(uint64_t maxInstructions, bool trace) {
  stop_ = CpuStop{};
  traceFirst_ = trace;
  firstInstruction_ = true;
  traced_ = false;
  emu_->x86.mode &= ~uint32_t(_MODE_HALTED);
  if (maxInstructions > 0) {
    emu_->max_instr = emu_->x86.R_TSC + maxInstructions;
    x86emu_run(emu_, X86EMU_RUN_MAX_INSTR);
  }
  if (stop_.reason == StopReason::Running) {
    if (emu_->x86.mode & _MODE_HALTED) StopAs(StopReason::Halted);
    // The budget ended right after a traced instruction.
    else if (traced_)
      StopAs(StopReason::Step);
  }
  stop_.cs = emu_->x86.R_CS;
  stop_.ip = emu_->x86.R_IP;
  return stop_;
}

void X86Cpu::StopAs(StopReason reason) {
  if (stop_.reason == StopReason::Running) stop_.reason = reason;
  x86emu_stop(emu_);
}

int X86Cpu::OnInstruction() {
  if (stop_.reason != StopReason::Running) return 1;
  auto& x = emu_->x86;
  if (!firstInstruction_ && traced_) {
    StopAs(StopReason::Step);
    return 1;
  }
  if (exitSet_ && x.R_CS == exitCs_ && x.R_IP == exitIp_) {
    StopAs(StopReason::Ended);
    return 1;
  }
  traced_ = (x.R_FLG & kFlagTrap) || (firstInstruction_ && traceFirst_);
  firstInstruction_ = false;
  return 0;
}

int X86Cpu::OnInterrupt(uint8_t num, unsigned type) {
  auto& x = emu_->x86;
  bool soft = (type & 0xFF) == INTR_TYPE_SOFT;
  if (soft && num == kIntBreakpoint) {
    StopAs(StopReason::Breakpoint);
    return 1;
  }
  if (soft && (num == kIntTerminate || (num == kIntDos && x.R_AH == kDosExit))) {
    stop_.exitCode = num == kIntDos ? x.R_AL : 0;
    StopAs(StopReason::Ended);
    return 1;
  }
  uint32_t vector = 0;
  for (int i = 0; i < 4; ++i) vector |= uint32_t(bus_.ReadMemory(num * 4u + i)) << (8 * i);
  if (vector != 0) return 0;  // the program's own handler
  if (type & INTR_MODE_RESTART) {
    // Stop on the faulting instruction.
    x86emu_set_seg_register(emu_, x.R_CS_SEL, x.saved_cs);
    x.R_EIP = x.saved_eip;
  }
  stop_.interrupt = num;
  StopAs(StopReason::Fault);
  return 1;
}

unsigned X86Cpu::MemIo(x86emu_s* emu, uint32_t addr, uint32_t* val, unsigned type) {
  CpuBus& bus = Self(emu)->bus_;
  unsigned n = AccessSize(type);
  switch (type & ~0xFFu) {
    case X86EMU_MEMIO_W:
      for (unsigned i = 0; i < n; ++i) bus.WriteMemory(addr + i, uint8_t(*val >> (8 * i)));
      return 0;
    case X86EMU_MEMIO_I: {
      uint32_t v = 0;
      for (unsigned i = 0; i < n; ++i) v |= uint32_t(bus.In(uint16_t(addr + i))) << (8 * i);
      *val = v;
      return 0;
    }
    case X86EMU_MEMIO_O:
      for (unsigned i = 0; i < n; ++i) bus.Out(uint16_t(addr + i), uint8_t(*val >> (8 * i)));
      return 0;
    default: {  // read or instruction fetch
      uint32_t v = 0;
      for (unsigned i = 0; i < n; ++i) v |= uint32_t(bus.ReadMemory(addr + i)) << (8 * i);
      *val = v;
      return 0;
    }
  }
}

int X86Cpu::Interrupt(x86emu_s* emu, uint8_t num, unsigned type) { return Self(emu)->OnInterrupt(num, type); }

int X86Cpu::BeforeInstruction(x86emu_s* emu) { return Self(emu)->OnInstruction(); }

}  // namespace sim
