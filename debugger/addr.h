// A target address in x86 real mode: segment and offset, compared by their
// linear value segment * 16 + offset.
#pragma once

#include <cstdint>

class CAddr final {
 public:
  uint32_t segment;
  uint32_t offset;

  CAddr() : segment(0), offset(0) {}
  CAddr(uint32_t seg, uint32_t off) : segment(seg), offset(off) {}
  CAddr(const CAddr& other) = default;
  CAddr& operator=(const CAddr& other) = default;

  // The invalid address (0xFFFFFFFF : 0xFFFFFFFF).
  static CAddr Invalid() { return CAddr(0xFFFFFFFFu, 0xFFFFFFFFu); }

  uint32_t Linear() const { return segment * 16u + offset; }
  bool IsValid() const { return segment != 0xFFFFFFFFu && offset != 0xFFFFFFFFu; }

  // value != -1: true for 0:value; value == -1: true for the invalid address.
  virtual bool IsEqualLinear(uint32_t value) const;
  virtual bool IsEqual(const CAddr& other) const;
  // value != -1 gives 0:value, -1 gives the invalid address.
  virtual void SetLinear(uint32_t value);
  virtual bool IsLess(const CAddr& other) const;
  virtual bool IsGreater(const CAddr& other) const;
  // One byte back; at offset 0 the segment steps down and the offset is 15.
  virtual void Decrement();
  // A new address n bytes further; an offset beyond 0xFFFF renormalises to
  // segment = linear >> 4, offset = linear & 15.
  virtual CAddr Add(uint32_t n) const;
};
