#include "drivers/sim/virtual_clock.h"

namespace sim {

void VirtualClock::Advance(uint64_t ms) {
  uint64_t from = nowMs_;
  nowMs_ += ms;
  for (auto& l : listeners_) l(from, nowMs_);
}

}  // namespace sim
