// A task's parameter, data or information area: bytes addressed by index,
// little-endian words and double words, reads beyond the end give zeros.
#pragma once
#include <cstdint>
#include <vector>

namespace sim {

class ByteArea {
 public:
  ByteArea() = default;
  explicit ByteArea(size_t size) : bytes_(size, 0) {}

  size_t Size() const { return bytes_.size(); }
  void Resize(size_t size) { bytes_.resize(size, 0); }
  bool Fits(uint32_t index, uint32_t count) const { return uint64_t(index) + count <= bytes_.size(); }

  uint8_t Get8(uint32_t i) const { return i < bytes_.size() ? bytes_[i] : 0; }
  uint16_t Get16(uint32_t i) const { return uint16_t(Get8(i) | Get8(i + 1) << 8); }
  uint32_t Get32(uint32_t i) const { return Get16(i) | uint32_t(Get16(i + 2)) << 16; }
  void Set8(uint32_t i, uint8_t v) {
    if (i >= bytes_.size()) bytes_.resize(i + 1, 0);
    bytes_[i] = v;
  }
  void Set16(uint32_t i, uint16_t v) {
    Set8(i, uint8_t(v));
    Set8(i + 1, uint8_t(v >> 8));
  }
  void Set32(uint32_t i, uint32_t v) {
    Set16(i, uint16_t(v));
    Set16(i + 2, uint16_t(v >> 16));
  }

  void Read(uint32_t i, void* dest, uint32_t n) const {
    auto* out = static_cast<uint8_t*>(dest);
    for (uint32_t k = 0; k < n; ++k) out[k] = Get8(i + k);
  }
  void Write(uint32_t i, const void* src, uint32_t n) {
    auto* in = static_cast<const uint8_t*>(src);
    for (uint32_t k = 0; k < n; ++k) Set8(i + k, in[k]);
  }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace sim
