#include "platform/ui/futex_word.h"

#include <climits>
#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace mirt_ui {

static_assert(sizeof(std::atomic<uint32_t>) == sizeof(uint32_t), "the kernel reads the word itself");

void SleepWhileWordIs(std::atomic<uint32_t>* word, uint32_t value) {
  syscall(SYS_futex, reinterpret_cast<uint32_t*>(word), FUTEX_WAIT_PRIVATE, value, nullptr, nullptr, 0);
}

void WakeWordSleepers(std::atomic<uint32_t>* word) {
  syscall(SYS_futex, reinterpret_cast<uint32_t*>(word), FUTEX_WAKE_PRIVATE, INT_MAX, nullptr, nullptr, 0);
}

}  // namespace mirt_ui
