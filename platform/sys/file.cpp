// File handles: CreateFile, reading, writing, positions, locks, times.
#include "platform/sys/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/sys/errno_map.h"
#include "platform/sys/file_object.h"
#include "platform/sys/path.h"
#include "platform/sys/serial_port.h"
#include "platform/sys/stream_object.h"

using plat::FileObject;

namespace {

int OpenFlags(DWORD access, DWORD disposition) {
  bool r = access & (GENERIC_READ | GENERIC_ALL);
  bool w = access & (GENERIC_WRITE | GENERIC_ALL);
  int flags = (r && w) ? O_RDWR : w ? O_WRONLY : O_RDONLY;
  switch (disposition) {
    case CREATE_NEW:
      flags |= O_CREAT | O_EXCL;
      break;
    case CREATE_ALWAYS:
      flags |= O_CREAT | O_TRUNC;
      break;
    case OPEN_ALWAYS:
      flags |= O_CREAT;
      break;
    case TRUNCATE_EXISTING:
      flags |= O_TRUNC;
      break;
    default:
      break;
  }
  return flags | O_CLOEXEC | O_NOCTTY;
}

// Empties the open file, also when the handle may not write (Windows
// truncates for CREATE_ALWAYS whatever the access asked for).
bool Truncate(int fd) {
  if (ftruncate(fd, 0) == 0) return true;
  if (errno != EINVAL && errno != EBADF) return false;
  std::string self = "/proc/self/fd/" + std::to_string(fd);
  int writable = open(self.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (writable < 0) return false;
  bool ok = ftruncate(writable, 0) == 0;
  int saved = errno;
  close(writable);
  errno = saved;
  return ok;
}

}  // namespace

HANDLE CreateFile(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES, DWORD disposition,
                  DWORD flagsAndAttributes, HANDLE) {
  if (!name || !*name || disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING ||
      (disposition == TRUNCATE_EXISTING && !(access & (GENERIC_WRITE | GENERIC_ALL)))) {
    SetLastError(name && !*name ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  if (plat::IsComPortName(name)) return plat::OpenComPort(name, access, disposition);
  std::string path = plat::NormalizeSeparators(name);
  struct stat before;
  bool existed = stat(path.c_str(), &before) == 0;
  if (existed && S_ISDIR(before.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  if (existed && disposition == CREATE_NEW) {
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
  }
  // Truncation waits until the share check has passed.
  int flags = OpenFlags(access, disposition) & ~O_TRUNC;
  int fd = open(path.c_str(), flags, 0666);
  if (fd < 0) {
    plat::SetLastErrorForPath(errno, path);
    return INVALID_HANDLE_VALUE;
  }
  // A failed open never leaves a file it created behind.
  auto fail = [&](DWORD error) {
    close(fd);
    if (!existed) unlink(path.c_str());
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  };
  struct stat st;
  fstat(fd, &st);
  if (!plat::ShareTableEnter(st.st_dev, st.st_ino, access, share)) return fail(ERROR_SHARING_VIOLATION);
  if (existed && (OpenFlags(access, disposition) & O_TRUNC) && !Truncate(fd)) {
    DWORD error = plat::Win32ErrorFromErrno(errno);
    plat::ShareTableLeave(st.st_dev, st.st_ino, access, share);
    return fail(error);
  }
  auto file = std::make_shared<FileObject>(fd, plat::AbsolutePath(path), access, share, st.st_dev, st.st_ino);
  file->deleteOnClose = flagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE;
  HANDLE h = plat::AddHandle(file);
  bool reportExisting = existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS);
  SetLastError(reportExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return h;
}

namespace {

// The file of a handle opened for the transfer asked; null with the last
// error set otherwise.
std::shared_ptr<FileObject> FileForTransfer(HANDLE h, bool writing, const void* buffer, DWORD count) {
  auto f = plat::FindHandle<FileObject>(h);
  if (!f) return nullptr;
  if (!(writing ? f->CanWrite() : f->CanRead())) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  if (!buffer && count) {
    SetLastError(ERROR_NOACCESS);
    return nullptr;
  }
  return f;
}

// Moves count bytes with read or write, again after short transfers and
// interruptions; reading stops at the end of the file. False on an error.
template <class Io>
bool Transfer(Io io, DWORD count, DWORD& done) {
  done = 0;
  while (done < count) {
    ssize_t n = io(done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      plat::SetLastErrorFromErrno(errno);
      return false;
    }
    if (n == 0) break;
    done += static_cast<DWORD>(n);
  }
  return true;
}

}  // namespace

BOOL ReadFile(HANDLE h, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED) {
  if (read) *read = 0;
  if (auto stream = plat::FindStream(h)) {
    DWORD done = 0;
    BOOL ok =
        (!buffer && toRead) ? (SetLastError(ERROR_NOACCESS), FALSE) : stream->Read(buffer, toRead, &done);
    if (read) *read = done;
    return ok;
  }
  auto f = FileForTransfer(h, false, buffer, toRead);
  if (!f) return FALSE;
  char* p = static_cast<char*>(buffer);
  DWORD done = 0;
  bool ok = Transfer([&](DWORD at) { return ::read(f->fd(), p + at, toRead - at); }, toRead, done);
  if (read) *read = done;
  return ok ? TRUE : FALSE;
}

BOOL WriteFile(HANDLE h, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED) {
  if (written) *written = 0;
  if (auto stream = plat::FindStream(h)) {
    DWORD done = 0;
    BOOL ok =
        (!buffer && toWrite) ? (SetLastError(ERROR_NOACCESS), FALSE) : stream->Write(buffer, toWrite, &done);
    if (written) *written = done;
    return ok;
  }
  auto f = FileForTransfer(h, true, buffer, toWrite);
  if (!f) return FALSE;
  const char* p = static_cast<const char*>(buffer);
  DWORD done = 0;
  bool ok = Transfer([&](DWORD at) { return ::write(f->fd(), p + at, toWrite - at); }, toWrite, done);
  if (written) *written = done;
  if (ok && done < toWrite) {
    SetLastError(ERROR_DISK_FULL);  // the device took no more
    return FALSE;
  }
  return ok ? TRUE : FALSE;
}

BOOL CloseHandle(HANDLE h) {
  if (auto stream = plat::FindStream(h)) stream->Close();  // wakes a thread blocked on it
  return plat::RemoveHandle(h) ? TRUE : FALSE;
}

namespace {

bool Seek(HANDLE h, LONGLONG distance, DWORD method, LONGLONG& result) {
  auto f = plat::FindHandle<FileObject>(h);
  if (!f) return false;
  int whence = method == FILE_BEGIN     ? SEEK_SET
               : method == FILE_CURRENT ? SEEK_CUR
               : method == FILE_END     ? SEEK_END
                                        : -1;
  if (whence < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  off_t base = 0;
  if (whence == SEEK_CUR) base = lseek(f->fd(), 0, SEEK_CUR);
  if (whence == SEEK_END) {
    struct stat st;
    base = fstat(f->fd(), &st) == 0 ? st.st_size : -1;
  }
  if (base < 0) {
    plat::SetLastErrorFromErrno(errno);
    return false;
  }
  if (base + distance < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return false;
  }
  off_t pos = lseek(f->fd(), base + distance, SEEK_SET);
  if (pos < 0) {
    plat::SetLastErrorFromErrno(errno);
    return false;
  }
  result = pos;
  return true;
}

}  // namespace

DWORD SetFilePointer(HANDLE h, LONG low, PLONG high, DWORD method) {
  LONGLONG distance = high ? ((static_cast<LONGLONG>(*high) << 32) | static_cast<DWORD>(low)) : low;
  LONGLONG pos;
  if (!Seek(h, distance, method, pos)) return INVALID_SET_FILE_POINTER;
  if (high) *high = static_cast<LONG>(pos >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(pos);
}

BOOL SetFilePointerEx(HANDLE h, LARGE_INTEGER distance, PLARGE_INTEGER newPos, DWORD method) {
  LONGLONG pos;
  if (!Seek(h, distance.QuadPart, method, pos)) return FALSE;
  if (newPos) newPos->QuadPart = pos;
  return TRUE;
}

BOOL GetFileSizeEx(HANDLE h, PLARGE_INTEGER size) {
  auto f = plat::FindHandle<FileObject>(h);
  if (!f) return FALSE;
  struct stat st;
  if (fstat(f->fd(), &st) != 0) {
    plat::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  if (size) size->QuadPart = st.st_size;
  return TRUE;
}

DWORD GetFileSize(HANDLE h, LPDWORD high) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size)) return INVALID_FILE_SIZE;
  if (high) *high = static_cast<DWORD>(size.QuadPart >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size.QuadPart);
}

BOOL FlushFileBuffers(HANDLE h) {
  auto f = plat::FindHandle<FileObject>(h);
  if (!f) return FALSE;
  if (fsync(f->fd()) != 0 && errno != EINVAL) {
    plat::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL SetEndOfFile(HANDLE h) {
  auto f = plat::FindHandle<FileObject>(h);
  if (!f) return FALSE;
  if (!f->CanWrite()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  off_t pos = lseek(f->fd(), 0, SEEK_CUR);
  if (pos < 0 || ftruncate(f->fd(), pos) != 0) {
    plat::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}

namespace {

uint64_t Join(DWORD low, DWORD high) { return (static_cast<uint64_t>(high) << 32) | low; }

bool SetLock(int fd, uint64_t offset, uint64_t length, short type) {
  struct flock fl = {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = static_cast<off_t>(offset);
  fl.l_len = static_cast<off_t>(length);
  return fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

bool Overlap(uint64_t o1, uint64_t l1, uint64_t o2, uint64_t l2) {
  return l1 && l2 && o1 < o2 + l2 && o2 < o1 + l1;
}

// The descriptor that carries the handle's exclusive locks: its own when it
// may write, else one opened for writing on the same file, which a lock
// needs (the lock is about the range, not the handle's access). When the
// file may not be written, -1: the handle's own descriptor then carries
// shared locks.
int LockDescriptor(FileObject& f) {
  if (f.CanWrite()) return f.fd();
  if (f.lockFd == -2) {
    std::string self = "/proc/self/fd/" + std::to_string(f.fd());
    f.lockFd = open(self.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  }
  return f.lockFd;
}

}  // namespace

BOOL LockFile(HANDLE h, DWORD offLow, DWORD offHigh, DWORD lenLow, DWORD lenHigh) {
  auto f = plat::FindHandle<FileObject>(h);
  if (!f) return FALSE;
  uint64_t offset = Join(offLow, offHigh), length = Join(lenLow, lenHigh);
  if (offset + length < offset || offset + length > INT64_MAX) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> lock(f->lockMutex);
  for (const auto& [o, l] : f->locks)
    if (Overlap(offset, length, o, l)) {
      SetLastError(ERROR_LOCK_VIOLATION);
      return FALSE;
    }
  // A zero-length lock is accepted and keeps nothing out.
  if (length != 0) {
    int fd = LockDescriptor(*f);
    if (!(fd >= 0 ? SetLock(fd, offset, length, F_WRLCK) : SetLock(f->fd(), offset, length, F_RDLCK))) {
      SetLastError(errno == EAGAIN || errno == EACCES ? ERROR_LOCK_VIOLATION
                                                      : plat::Win32ErrorFromErrno(errno));
      return FALSE;
    }
  }
  f->locks.emplace_back(offset, length);
  return TRUE;
}

BOOL UnlockFile(HANDLE h, DWORD offLow, DWORD offHigh, DWORD lenLow, DWORD lenHigh) {
  auto f = plat::FindHandle<FileObject>(h);
  if (!f) return FALSE;
  uint64_t offset = Join(offLow, offHigh), length = Join(lenLow, lenHigh);
  std::lock_guard<std::mutex> lock(f->lockMutex);
  for (auto it = f->locks.begin(); it != f->locks.end(); ++it) {
    if (it->first != offset || it->second != length) continue;
    if (length != 0) {
      int fd = LockDescriptor(*f);
      SetLock(fd >= 0 ? fd : f->fd(), offset, length, F_UNLCK);
    }
    f->locks.erase(it);
    return TRUE;
  }
  SetLastError(ERROR_NOT_LOCKED);
  return FALSE;
}

BOOL GetFileTime(HANDLE h, LPFILETIME creation, LPFILETIME access, LPFILETIME write) {
  auto f = plat::FindHandle<FileObject>(h);
  if (!f) return FALSE;
  struct stat st;
  if (fstat(f->fd(), &st) != 0) {
    plat::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  // POSIX keeps no creation time: the change time stands in for it.
  if (creation) *creation = plat::FileTimeFromUnix(st.st_ctim.tv_sec, st.st_ctim.tv_nsec);
  if (access) *access = plat::FileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec);
  if (write) *write = plat::FileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  return TRUE;
}

BOOL SetFileTime(HANDLE h, const FILETIME*, const FILETIME* access, const FILETIME* write) {
  auto f = plat::FindHandle<FileObject>(h);
  if (!f) return FALSE;
  struct timespec times[2];
  const FILETIME* given[2] = {access, write};
  for (int i = 0; i < 2; ++i) {
    if (!given[i]) {
      times[i].tv_nsec = UTIME_OMIT;
      times[i].tv_sec = 0;
      continue;
    }
    int64_t s, ns;
    plat::UnixFromFileTime(*given[i], s, ns);
    times[i].tv_sec = static_cast<time_t>(s);
    times[i].tv_nsec = static_cast<long>(ns);
  }
  if (futimens(f->fd(), times) != 0) {
    plat::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}
