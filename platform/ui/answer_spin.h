// Private: how long a thread that sent a message to another thread spins
// for the answer before it sleeps. A sleeping thread costs a futex wake to
// the answering thread and, once woken, the time its processor takes to
// come back; answers that come within the spin avoid both. Answers that
// come late halve the spin, down to none; an early one restores it.
#pragma once

#include <chrono>

class AnswerSpin {
 public:
  using Clock = std::chrono::steady_clock;

  // Whether to spin at all, and until when for a message sent at sent.
  bool Spins() const { return budget_.count() > 0; }
  Clock::time_point Until(Clock::time_point sent) const { return sent + budget_; }
  // Learns from how long an answer took.
  void Answered(Clock::duration took);

 private:
  static std::chrono::nanoseconds Longest();
  std::chrono::nanoseconds budget_ = Longest();
};
