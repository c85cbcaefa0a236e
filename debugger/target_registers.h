// The register image of the debug kernel and the session's register block.
#pragma once

#include <cstdint>

#include "debugger/addr.h"

// The kernel's 48-byte register record, little-endian: eight 32-bit
// registers, then eight 16-bit ones.
struct KernelRegisterRecord {
  static const int kSize = 48;
  uint32_t eax, ebx, ecx, edx, esp, ebp, esi, edi;
  uint16_t flags, ip, cs, ds, ss, es, fs, gs;

  // Reads the record from its 48 wire bytes.
  static KernelRegisterRecord FromBytes(const uint8_t* bytes);
  // Writes it as its 48 wire bytes.
  void ToBytes(uint8_t* bytes) const;
};

// The register block of a board session: CS:IP, SS:SP, SS:BP and the
// kernel's answer (its length byte, then the 48-byte record).
struct TargetRegisters {
  CAddr code;
  CAddr stack;
  CAddr frame;
  uint8_t answer[1 + KernelRegisterRecord::kSize] = {};

  KernelRegisterRecord Record() const { return KernelRegisterRecord::FromBytes(answer + 1); }
  // Takes the record into the answer bytes and the three addresses.
  void SetRecord(const KernelRegisterRecord& rec);
};
