#include "drivers/sim/kernel_register_record.h"

#include <cstring>

namespace sim {

namespace {

constexpr uint32_t kWordsAt = 32;

void Put(uint8_t* p, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) p[i] = uint8_t(v >> (8 * i));
}

uint32_t Get(const uint8_t* p, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v |= uint32_t(p[i]) << (8 * i);
  return v;
}

}  // namespace

KernelRegisterRecord KernelRegisterRecord::From(const CpuRegisters& r) {
  KernelRegisterRecord rec;
  uint8_t* p = rec.bytes.data();
  const uint32_t dwords[] = {r.eax, r.ebx, r.ecx, r.edx, r.esp, r.ebp, r.esi, r.edi};
  const uint16_t words[] = {r.flags, r.ip, r.cs, r.ds, r.ss, r.es, r.fs, r.gs};
  for (int i = 0; i < 8; ++i) Put(p + 4 * i, dwords[i], 4);
  for (int i = 0; i < 8; ++i) Put(p + kWordsAt + 2 * i, words[i], 2);
  return rec;
}

KernelRegisterRecord KernelRegisterRecord::FromBytes(const uint8_t* data) {
  KernelRegisterRecord rec;
  std::memcpy(rec.bytes.data(), data, kKernelRecordSize);
  return rec;
}

CpuRegisters KernelRegisterRecord::Registers() const {
  const uint8_t* p = bytes.data();
  CpuRegisters r;
  uint32_t* dwords[] = {&r.eax, &r.ebx, &r.ecx, &r.edx, &r.esp, &r.ebp, &r.esi, &r.edi};
  uint16_t* words[] = {&r.flags, &r.ip, &r.cs, &r.ds, &r.ss, &r.es, &r.fs, &r.gs};
  for (int i = 0; i < 8; ++i) *dwords[i] = Get(p + 4 * i, 4);
  for (int i = 0; i < 8; ++i) *words[i] = uint16_t(Get(p + kWordsAt + 2 * i, 2));
  return r;
}

}  // namespace sim
