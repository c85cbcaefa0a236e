#include "debugger/addr.h"

bool CAddr::IsEqualLinear(uint32_t value) const {
  if (value == 0xFFFFFFFFu) return segment >= 0xFFFFFFFEu && offset >= 0xFFFFFFFEu;
  return segment == 0 && offset == value;
}

bool CAddr::IsEqual(const CAddr& other) const { return Linear() == other.Linear(); }

void CAddr::SetLinear(uint32_t value) {
  if (value == 0xFFFFFFFFu) {
    *this = Invalid();
    return;
  }
  segment = 0;
  offset = value;
}

bool CAddr::IsLess(const CAddr& other) const { return Linear() < other.Linear(); }

bool CAddr::IsGreater(const CAddr& other) const { return Linear() > other.Linear(); }

void CAddr::Decrement() {
  if (offset == 0) {
    --segment;
    offset = 15;
    return;
  }
  --offset;
}

CAddr CAddr::Add(uint32_t n) const {
  // The whole amount counts, also above 0xFFFF.
  uint64_t off = uint64_t(offset) + n;
  if (off <= 0xFFFF) return CAddr(segment, uint32_t(off));
  uint32_t linear = uint32_t(uint64_t(segment) * 16u + off);
  return CAddr(linear >> 4, linear & 15u);
}
