// Simulated time: nothing in the simulator sleeps; tests move the clock.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace sim {

class VirtualClock {
 public:
  uint64_t NowMs() const { return nowMs_; }
  // Moves time forward; listeners see each step (timers, real-time clock).
  void Advance(uint64_t ms);
  void OnAdvance(std::function<void(uint64_t fromMs, uint64_t toMs)> listener) {
    listeners_.push_back(std::move(listener));
  }
  void Reset() { nowMs_ = 0; }

 private:
  uint64_t nowMs_ = 0;
  std::vector<std::function<void(uint64_t, uint64_t)>> listeners_;
};

}  // namespace sim
