#include "platform/ui/answer_spin.h"

#include <thread>

namespace {
// Covers waking an idle GUI thread and a short handler on a busy machine.
constexpr std::chrono::nanoseconds kLongestSpin = std::chrono::microseconds(50);
constexpr std::chrono::nanoseconds kShortestSpin = std::chrono::microseconds(1);
}  // namespace

std::chrono::nanoseconds AnswerSpin::Longest() {
  // With one processor the answering thread cannot run while this one spins.
  static const bool kSpinning = std::thread::hardware_concurrency() > 1;
  return kSpinning ? kLongestSpin : std::chrono::nanoseconds(0);
}

void AnswerSpin::Answered(Clock::duration took) {
  if (took <= kLongestSpin) {
    budget_ = Longest();
    return;
  }
  budget_ /= 2;
  if (budget_ < kShortestSpin) budget_ = std::chrono::nanoseconds(0);
}
