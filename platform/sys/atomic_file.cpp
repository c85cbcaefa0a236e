#include "platform/sys/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
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

constexpr size_t kSuffixLength = 8;

std::string RandomSuffix() {
  static thread_local std::mt19937_64 rng{std::random_device{}()};
  static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string s;
  for (size_t i = 0; i < kSuffixLength; ++i) s += digits[rng() % 36];
  return s;
}

std::string TempPrefix(const std::string& base) { return "." + base + ".tmp-"; }

void SyncDirectory(const std::string& dir) {
  int fd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

// Whether a byte-range lock of another open file (this process's other
// handles included) covers part of the file.
bool LockedByOthers(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  struct flock fl = {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  bool locked = fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
  close(fd);
  return locked;
}

// Removes the temporary files of earlier saves of the target whose writer
// is gone: a live writer holds a lock on its temporary file.
void RemoveStaleTemporaries(const std::string& dir, const std::string& base) {
  std::string prefix = TempPrefix(base);
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return;
  while (dirent* e = readdir(d)) {
    std::string_view name = e->d_name;
    if (name.size() != prefix.size() + kSuffixLength || name.substr(0, prefix.size()) != prefix) continue;
    std::string path = JoinPath(dir, std::string(name));
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat held, named;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
        lstat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino && held.st_dev == named.st_dev)
      unlink(path.c_str());
    close(fd);
  }
  closedir(d);
}

}  // namespace

int ReplaceRefusal(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return 0;
  if (S_ISDIR(st.st_mode)) return EISDIR;
  // The owner's write bit is the read-only attribute, which even an
  // administrator may not write through.
  if (!(st.st_mode & S_IWUSR) || faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return EACCES;
  if (LockedByOthers(path)) return EBUSY;
  return 0;
}

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

// The file is created with the target's mode (a new target: 0666 less the
// umask) and locked before anyone can see it. Without O_TMPFILE it gets its
// name at once.
bool AtomicFileWriter::CreateTemporary() {
  std::string dir = DirectoryPart(m_target);
  struct stat st;
  bool exists = stat(m_target.c_str(), &st) == 0;
  mode_t mode = exists ? (st.st_mode & 07777) : 0666;
  m_fd = open(dir.empty() ? "." : dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode & 0666);
  m_unnamed = m_fd >= 0;
  if (m_unnamed) {
    if (exists) fchmod(m_fd, mode);
    flock(m_fd, LOCK_EX);
    return true;
  }
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temp = JoinPath(dir, TempPrefix(FileNamePart(m_target)) + RandomSuffix());
    m_fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0600);
    if (m_fd >= 0) {
      m_temp = temp;
      flock(m_fd, LOCK_EX);
      fchmod(m_fd, mode);
      return true;
    }
    if (errno != EEXIST) break;
  }
  return false;
}

// Gives an unnamed temporary file its name beside the target.
bool AtomicFileWriter::NameTemporary() {
  if (!m_unnamed) return true;
  std::string self = "/proc/self/fd/" + std::to_string(m_fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temp = JoinPath(DirectoryPart(m_target), TempPrefix(FileNamePart(m_target)) + RandomSuffix());
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      m_temp = temp;
      m_unnamed = false;
      return true;
    }
    if (errno != EEXIST) break;
  }
  return false;
}

bool AtomicFileWriter::Open() {
  Discard();
  m_errno = 0;
  m_error.clear();
  std::string base = FileNamePart(m_target);
  if (base.empty()) {
    errno = EISDIR;
    return Fail("cannot write");
  }
  if (int refusal = ReplaceRefusal(m_target)) {
    errno = refusal;
    return Fail("cannot write");
  }
  RemoveStaleTemporaries(DirectoryPart(m_target), base);
  if (!CreateTemporary()) return Fail("cannot create a temporary file for");
  return true;
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
  if (int refusal = ReplaceRefusal(m_target)) {
    errno = refusal;
    return Fail("cannot replace");
  }
  if (!NameTemporary()) return Fail("cannot create a temporary file for");
  if (rename(m_temp.c_str(), m_target.c_str()) != 0) return Fail("cannot replace");
  m_temp.clear();
  close(m_fd);  // held (and locked) until the temporary name was gone; synced above
  m_fd = -1;
  SyncDirectory(DirectoryPart(m_target));
  return true;
}

void AtomicFileWriter::Discard() {
  int saved = errno;
  if (!m_temp.empty()) {
    unlink(m_temp.c_str());
    m_temp.clear();
  }
  if (m_fd >= 0) {
    close(m_fd);
    m_fd = -1;
  }
  m_unnamed = false;
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
