#include "platform/sys/fd_wait.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace plat {

CancellableFd::CancellableFd(int fd) : m_fd(fd), m_wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CancellableFd::~CancellableFd() {
  if (m_fd >= 0) close(m_fd);
  if (m_wake >= 0) close(m_wake);
}

void CancellableFd::Cancel() {
  m_cancelled = true;
  uint64_t one = 1;
  if (m_wake >= 0) (void)!write(m_wake, &one, sizeof one);
}

CancellableFd::Result CancellableFd::WaitReadable(int64_t timeoutMs) { return Wait(POLLIN, timeoutMs); }
CancellableFd::Result CancellableFd::WaitWritable(int64_t timeoutMs) { return Wait(POLLOUT, timeoutMs); }

CancellableFd::Result CancellableFd::Wait(short events, int64_t timeoutMs) {
  int64_t deadline = timeoutMs < 0 ? -1 : MonotonicMs() + timeoutMs;
  for (;;) {
    if (m_cancelled) return Aborted;
    pollfd fds[2] = {{m_fd, events, 0}, {m_wake, POLLIN, 0}};
    int wait = -1;
    if (deadline >= 0) {
      int64_t left = deadline - MonotonicMs();
      wait = left < 0 ? 0 : static_cast<int>(left > 0x7FFFFFFF ? 0x7FFFFFFF : left);
    }
    int n = poll(fds, m_wake >= 0 ? 2 : 1, wait);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Failed;
    if (m_cancelled) return Aborted;
    if (n == 0) return TimedOut;
    if (fds[0].revents) return Ready;
  }
}

int64_t MonotonicMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

}  // namespace plat
