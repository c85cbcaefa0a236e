#include "platform/sys/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

#include "platform/sys/path.h"

namespace plat {

namespace {

// A symbolic link is kept: its target is what gets replaced.
std::string ResolveTarget(const std::string& path) {
  std::string p = NormalizeSeparators(path);
  struct stat st;
  if (lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char buf[PATH_MAX];
    if (realpath(p.c_str(), buf)) return buf;
  }
  return p;
}

std::string RandomSuffix() {
  static thread_local std::mt19937_64 rng{std::random_device{}()};
  static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string s;
  for (int i = 0; i < 8; ++i) s += digits[rng() % 36];
  return s;
}

void SyncDirectory(const std::string& dir) {
  int fd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path) : m_path(std::move(path)) {
  m_target = ResolveTarget(m_path);
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

bool AtomicFileWriter::Fail(const char* what) {
  if (m_errno == 0) {
    m_errno = errno ? errno : EIO;
    m_error = std::string(what) + " " + m_target + ": " + std::strerror(m_errno);
  }
  Discard();
  return false;
}

bool AtomicFileWriter::Open() {
  Discard();
  m_errno = 0;
  m_error.clear();
  std::string dir = DirectoryPart(m_target);
  std::string base = FileNamePart(m_target);
  if (base.empty()) {
    errno = EISDIR;
    return Fail("cannot write");
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temp = JoinPath(dir, "." + base + ".tmp-" + RandomSuffix());
    m_fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd >= 0) {
      m_temp = temp;
      return true;
    }
    if (errno != EEXIST) break;
  }
  return Fail("cannot create a temporary file for");
}

bool AtomicFileWriter::Write(const void* data, size_t size) {
  if (m_fd < 0) {
    if (m_errno == 0) errno = EBADF;
    return Fail("cannot write");
  }
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = ::write(m_fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail("cannot write");
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool AtomicFileWriter::Commit() {
  if (m_fd < 0) {
    if (m_errno == 0) errno = EBADF;
    return Fail("cannot write");
  }
  struct stat old;
  if (stat(m_target.c_str(), &old) == 0) fchmod(m_fd, old.st_mode & 07777);
  if (fsync(m_fd) != 0) return Fail("cannot sync");
  int fd = m_fd;
  m_fd = -1;
  if (close(fd) != 0) return Fail("cannot write");
  if (rename(m_temp.c_str(), m_target.c_str()) != 0) return Fail("cannot replace");
  m_temp.clear();
  SyncDirectory(DirectoryPart(m_target));
  return true;
}

void AtomicFileWriter::Discard() {
  int saved = errno;
  if (m_fd >= 0) {
    close(m_fd);
    m_fd = -1;
  }
  if (!m_temp.empty()) {
    unlink(m_temp.c_str());
    m_temp.clear();
  }
  errno = saved;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* error,
                           int* errnoOut) {
  AtomicFileWriter w(path);
  bool ok = w.Open() && w.Write(bytes) && w.Commit();
  if (error) *error = ok ? std::string() : w.Error();
  if (errnoOut) *errnoOut = ok ? 0 : w.ErrorCode();
  return ok;
}

}  // namespace plat
