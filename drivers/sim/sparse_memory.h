// Board RAM: a sparse byte store over the whole 32-bit address space.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace sim {

class SparseMemory {
 public:
  uint8_t Read8(uint32_t addr) const;
  void Write8(uint32_t addr, uint8_t value);
  void Read(uint32_t addr, void* dest, uint32_t count) const;
  void Write(uint32_t addr, const void* src, uint32_t count);
  uint16_t Read16(uint32_t addr) const;
  uint32_t Read32(uint32_t addr) const;
  void Write16(uint32_t addr, uint16_t value);
  void Write32(uint32_t addr, uint32_t value);
  void Clear() { pages_.clear(); }

 private:
  static constexpr uint32_t kPageBits = 12;
  using Page = std::array<uint8_t, 1u << kPageBits>;
  std::unordered_map<uint32_t, std::unique_ptr<Page>> pages_;
};

}  // namespace sim
