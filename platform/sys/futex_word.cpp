#include "platform/sys/futex_word.h"

#include <climits>
#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace plat {

static_assert(sizeof(std::atomic<uint32_t>) == sizeof(uint32_t), "the kernel reads the word itself");

bool SpinWhileWordIs(const std::atomic<uint32_t>* word, uint32_t value,
                     std::chrono::steady_clock::time_point until) {
  constexpr int kSpinsPerClockRead = 32;
  for (;;) {
    for (int i = 0; i < kSpinsPerClockRead; ++i) {
      if (word->load(std::memory_order_acquire) != value) return true;
#if defined(__x86_64__) || defined(__i386__)
      __builtin_ia32_pause();
#endif
    }
    if (std::chrono::steady_clock::now() >= until) return word->load(std::memory_order_acquire) != value;
  }
}

void SleepWhileWordIs(std::atomic<uint32_t>* word, uint32_t value) {
  syscall(SYS_futex, reinterpret_cast<uint32_t*>(word), FUTEX_WAIT_PRIVATE, value, nullptr, nullptr, 0);
}

void WakeWordSleepers(std::atomic<uint32_t>* word) {
  syscall(SYS_futex, reinterpret_cast<uint32_t*>(word), FUTEX_WAKE_PRIVATE, INT_MAX, nullptr, nullptr, 0);
}

}  // namespace plat
