// Waiting on a 32-bit word until another thread changes it: a spin for a
// while, then a sleep in the kernel.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

namespace plat {

// Spins while *word holds value, until the time given; true once it holds
// another value.
bool SpinWhileWordIs(const std::atomic<uint32_t>* word, uint32_t value,
                     std::chrono::steady_clock::time_point until);

// Sleeps while *word holds value; returns at once if it holds another, and
// may return for no reason: callers check the word again.
void SleepWhileWordIs(std::atomic<uint32_t>* word, uint32_t value);

// Wakes every thread sleeping on word. Only the address is used, so the
// word may already be gone (its owner saw the change before the call).
void WakeWordSleepers(std::atomic<uint32_t>* word);

}  // namespace plat
