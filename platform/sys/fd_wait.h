// Waiting on a descriptor that another thread may cancel: the shared part
// of pipe ends and serial ports.
#pragma once

#include <atomic>
#include <cstdint>

namespace plat {

class CancellableFd {
 public:
  explicit CancellableFd(int fd);
  ~CancellableFd();  // closes both descriptors
  CancellableFd(const CancellableFd&) = delete;
  CancellableFd& operator=(const CancellableFd&) = delete;

  int fd() const { return m_fd; }
  // Wakes every wait, now and later.
  void Cancel();
  bool Cancelled() const { return m_cancelled; }

  enum Result { Ready, TimedOut, Aborted, Failed };
  // Waits until the descriptor is readable (or at its end, or broken) or
  // writable; timeoutMs < 0 waits for ever. Failed leaves errno set.
  Result WaitReadable(int64_t timeoutMs);
  Result WaitWritable(int64_t timeoutMs);

 private:
  Result Wait(short events, int64_t timeoutMs);
  int m_fd;
  int m_wake;  // eventfd written by Cancel
  std::atomic<bool> m_cancelled{false};
};

// Milliseconds of a monotonic clock.
int64_t MonotonicMs();

}  // namespace plat
