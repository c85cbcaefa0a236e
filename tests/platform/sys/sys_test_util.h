// Helpers shared by the platform/sys tests.
#pragma once

#include <cstdlib>
#include <string>

#include "platform/sys/registry.h"
#include "tests/support/test_support.h"

namespace sys_test {

// Points the settings folder at a fresh directory and drops the registry
// in memory, so each test starts from an empty store.
inline std::string FreshSettings(const std::string& hint) {
  std::string dir = mirt_test::MakeTempDir(hint);
  setenv("MIRT_CONFIG_DIR", dir.c_str(), 1);
  plat::ReloadRegistry();
  return dir;
}

}  // namespace sys_test

#include <signal.h>
#include <sys/resource.h>

namespace sys_test {

// While alive, no file of this process may grow beyond limit bytes: writes
// past it fail with EFBIG (also for root, unlike folder permissions).
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

 private:
  rlimit m_old;
  void (*m_oldHandler)(int);
};

}  // namespace sys_test
