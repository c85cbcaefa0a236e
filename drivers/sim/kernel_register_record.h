// The register set of a board's CPU and the debug kernel's 48-byte register
// record: EAX, EBX, ECX, EDX, ESP, EBP, ESI, EDI (32 bits each), then Flags,
// IP, CS, DS, SS, ES, FS, GS (16 bits each), little-endian.
#pragma once
#include <array>
#include <cstdint>

namespace sim {

struct CpuRegisters {
  uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0, esp = 0, ebp = 0, esi = 0, edi = 0;
  uint16_t flags = 0x0002, ip = 0, cs = 0, ds = 0, ss = 0, es = 0, fs = 0, gs = 0;
  bool operator==(const CpuRegisters&) const = default;
};

constexpr uint16_t kFlagTrap = 0x100, kFlagInterrupt = 0x200;
constexpr uint32_t kKernelRecordSize = 48;

struct KernelRegisterRecord {
  std::array<uint8_t, kKernelRecordSize> bytes{};

  static KernelRegisterRecord From(const CpuRegisters& r);
  static KernelRegisterRecord FromBytes(const uint8_t* data);
  CpuRegisters Registers() const;
};

}  // namespace sim
