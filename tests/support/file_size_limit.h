// While alive, no file of this process may grow beyond a limit: writes past
// it fail with EFBIG (also for root, unlike folder permissions), which lets
// tests make a save fail half-way.
#pragma once

#include <signal.h>
#include <sys/resource.h>

namespace mirt_test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &m_old);
    m_oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit r = m_old;
    r.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &r);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_old);
    signal(SIGXFSZ, m_oldHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit m_old;
  void (*m_oldHandler)(int);
};

}  // namespace mirt_test
