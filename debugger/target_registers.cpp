#include "debugger/target_registers.h"

namespace {

uint32_t Get32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t Get16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

void Put16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}

}  // namespace

KernelRegisterRecord KernelRegisterRecord::FromBytes(const uint8_t* b) {
  KernelRegisterRecord r;
  uint32_t* longs[] = {&r.eax, &r.ebx, &r.ecx, &r.edx, &r.esp, &r.ebp, &r.esi, &r.edi};
  uint16_t* words[] = {&r.flags, &r.ip, &r.cs, &r.ds, &r.ss, &r.es, &r.fs, &r.gs};
  for (int i = 0; i < 8; ++i) *longs[i] = Get32(b + 4 * i);
  for (int i = 0; i < 8; ++i) *words[i] = Get16(b + 32 + 2 * i);
  return r;
}

void KernelRegisterRecord::ToBytes(uint8_t* b) const {
  const uint32_t longs[] = {eax, ebx, ecx, edx, esp, ebp, esi, edi};
  const uint16_t words[] = {flags, ip, cs, ds, ss, es, fs, gs};
  for (int i = 0; i < 8; ++i) Put32(b + 4 * i, longs[i]);
  for (int i = 0; i < 8; ++i) Put16(b + 32 + 2 * i, words[i]);
}

void TargetRegisters::SetRecord(const KernelRegisterRecord& rec) {
  answer[0] = KernelRegisterRecord::kSize;
  rec.ToBytes(answer + 1);
  code = CAddr(rec.cs, rec.ip);
  stack = CAddr(rec.ss, rec.esp & 0xFFFF);
  frame = CAddr(rec.ss, rec.ebp & 0xFFFF);
}
