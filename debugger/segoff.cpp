#include "debugger/segoff.h"

uint32_t SegOffToLinear(CAddr addr) { return addr.segment * 16u + addr.offset; }

void LinearToSegOff(CAddr& out, uint32_t linear) {
  // Every bit above the low 16 goes into the segment, so that addresses
  // beyond 1 MB convert back to themselves.
  out.segment = (linear >> 16) << 12;
  out.offset = linear & 0xFFFFu;
}

void AddToSegOff(CAddr& addr, uint32_t amount) {
  addr.offset += amount;
  if (addr.offset > 0xFFFFu) {
    addr.segment += (addr.offset & 0xFFFF0000u) >> 4;
    addr.offset &= 0xFFFFu;
  }
}

void LinearToSegOffNear(CAddr& out, uint32_t linear, const CAddr& reference) {
  int32_t d = int32_t(linear - reference.segment * 16u);
  if (d >= 0 && d < 0x10000) {
    out.segment = reference.segment;
    out.offset = uint32_t(d);
    return;
  }
  LinearToSegOff(out, linear);
}
