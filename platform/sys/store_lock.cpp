#include "platform/sys/store_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/sys/path.h"

namespace plat {

StoreFileLock::StoreFileLock(const std::string& file) {
  std::string dir = DirectoryPart(NormalizeSeparators(file));
  m_fd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (m_fd < 0) return;
  while (flock(m_fd, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    close(m_fd);
    m_fd = -1;
    return;
  }
}

StoreFileLock::~StoreFileLock() {
  if (m_fd >= 0) close(m_fd);  // drops the lock
}

}  // namespace plat
