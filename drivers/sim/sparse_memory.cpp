#include "drivers/sim/sparse_memory.h"

namespace sim {

uint8_t SparseMemory::Read8(uint32_t addr) const {
  auto it = pages_.find(addr >> kPageBits);
  return it == pages_.end() ? 0 : (*it->second)[addr & ((1u << kPageBits) - 1)];
}

void SparseMemory::Write8(uint32_t addr, uint8_t value) {
  auto& page = pages_[addr >> kPageBits];
  if (!page) {
    page = std::make_unique<Page>();
    page->fill(0);
  }
  (*page)[addr & ((1u << kPageBits) - 1)] = value;
}

void SparseMemory::Read(uint32_t addr, void* dest, uint32_t count) const {
  auto* out = static_cast<uint8_t*>(dest);
  for (uint32_t i = 0; i < count; ++i) out[i] = Read8(addr + i);
}

void SparseMemory::Write(uint32_t addr, const void* src, uint32_t count) {
  auto* in = static_cast<const uint8_t*>(src);
  for (uint32_t i = 0; i < count; ++i) Write8(addr + i, in[i]);
}

uint16_t SparseMemory::Read16(uint32_t addr) const { return uint16_t(Read8(addr) | Read8(addr + 1) << 8); }

uint32_t SparseMemory::Read32(uint32_t addr) const {
  return uint32_t(Read16(addr)) | uint32_t(Read16(addr + 2)) << 16;
}

void SparseMemory::Write16(uint32_t addr, uint16_t value) {
  Write8(addr, uint8_t(value));
  Write8(addr + 1, uint8_t(value >> 8));
}

void SparseMemory::Write32(uint32_t addr, uint32_t value) {
  Write16(addr, uint16_t(value));
  Write16(addr + 2, uint16_t(value >> 16));
}

}  // namespace sim
