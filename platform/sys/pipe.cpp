// Anonymous pipes over POSIX pipes.
#include "platform/sys/pipe.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/sys/errno_map.h"
#include "platform/sys/file.h"
#include "platform/sys/pipe_end.h"
#include "platform/sys/process.h"

namespace plat {

std::shared_ptr<StreamObject> FindStream(HANDLE h) {
  return std::dynamic_pointer_cast<StreamObject>(FindHandleObject(h));
}

ssize_t WriteNoSignal(int fd, const void* data, size_t size) {
  sigset_t pipeOnly, old;
  sigemptyset(&pipeOnly);
  sigaddset(&pipeOnly, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeOnly, &old);
  ssize_t n;
  do {
    n = ::write(fd, data, size);
  } while (n < 0 && errno == EINTR);
  if (n < 0 && errno == EPIPE) {
    int saved = errno;
    timespec zero = {0, 0};
    sigset_t pending;
    sigpending(&pending);
    if (sigismember(&pending, SIGPIPE) && !sigismember(&old, SIGPIPE))
      sigtimedwait(&pipeOnly, nullptr, &zero);
    errno = saved;
  }
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  return n;
}

bool PipeEnd::FillPeeked() {
  int avail = 0;
  if (ioctl(m_fd.fd(), FIONREAD, &avail) == 0 && avail > 0) {
    std::string more(static_cast<size_t>(avail), '\0');
    ssize_t n = ::read(m_fd.fd(), more.data(), more.size());
    if (n > 0) m_peeked.append(more.data(), static_cast<size_t>(n));
  }
  if (!m_peeked.empty()) return true;
  // Nothing waiting: the end of the pipe shows as readable with no bytes.
  return m_fd.WaitReadable(0) != CancellableFd::Ready;
}

BOOL PipeEnd::Read(void* buffer, DWORD size, DWORD* done) {
  *done = 0;
  if (!m_readEnd) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (size == 0) return TRUE;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_peeked.empty()) {
      DWORD n = static_cast<DWORD>(std::min<size_t>(size, m_peeked.size()));
      std::memcpy(buffer, m_peeked.data(), n);
      m_peeked.erase(0, n);
      *done = n;
      return TRUE;
    }
  }
  for (;;) {
    switch (m_fd.WaitReadable(-1)) {
      case CancellableFd::Aborted:
        SetLastError(ERROR_OPERATION_ABORTED);
        return FALSE;
      case CancellableFd::Failed:
        SetLastErrorFromErrno(errno);
        return FALSE;
      default:
        break;
    }
    ssize_t n = ::read(m_fd.fd(), buffer, size);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n < 0) {
      SetLastErrorFromErrno(errno);
      return FALSE;
    }
    if (n == 0) {
      SetLastError(ERROR_BROKEN_PIPE);
      return FALSE;
    }
    *done = static_cast<DWORD>(n);
    return TRUE;
  }
}

BOOL PipeEnd::Write(const void* data, DWORD size, DWORD* done) {
  *done = 0;
  if (m_readEnd) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  const char* p = static_cast<const char*>(data);
  while (*done < size) {
    if (m_fd.WaitWritable(-1) == CancellableFd::Aborted) {
      SetLastError(ERROR_OPERATION_ABORTED);
      return FALSE;
    }
    ssize_t n = WriteNoSignal(m_fd.fd(), p + *done, size - *done);
    if (n < 0 && errno == EAGAIN) continue;
    if (n < 0) {
      SetLastError(errno == EPIPE ? ERROR_NO_DATA : Win32ErrorFromErrno(errno));
      return FALSE;
    }
    *done += static_cast<DWORD>(n);
  }
  return TRUE;
}

BOOL PipeEnd::Peek(void* buffer, DWORD size, DWORD* copied, DWORD* available) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_readEnd) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (!FillPeeked()) {
    SetLastError(ERROR_BROKEN_PIPE);
    return FALSE;
  }
  DWORD n = buffer ? static_cast<DWORD>(std::min<size_t>(size, m_peeked.size())) : 0;
  if (n) std::memcpy(buffer, m_peeked.data(), n);
  if (copied) *copied = n;
  if (available) *available = static_cast<DWORD>(m_peeked.size());
  return TRUE;
}

std::shared_ptr<StreamObject> PipeEnd::Duplicate() {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_peeked.empty()) {  // the copy could not see those bytes
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  int fd = fcntl(m_fd.fd(), F_DUPFD_CLOEXEC, 3);
  if (fd < 0) {
    SetLastErrorFromErrno(errno);
    return nullptr;
  }
  return std::make_shared<PipeEnd>(fd, m_readEnd);
}

}  // namespace plat

BOOL CreatePipe(PHANDLE readPipe, PHANDLE writePipe, LPSECURITY_ATTRIBUTES, DWORD) {
  if (!readPipe || !writePipe) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    plat::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  *readPipe = plat::AddHandle(std::make_shared<plat::PipeEnd>(fds[0], true));
  *writePipe = plat::AddHandle(std::make_shared<plat::PipeEnd>(fds[1], false));
  return TRUE;
}

BOOL PeekNamedPipe(HANDLE h, LPVOID buffer, DWORD size, LPDWORD copied, LPDWORD available, LPDWORD left) {
  if (left) *left = 0;
  auto pipe = plat::FindHandle<plat::PipeEnd>(h);
  if (!pipe) return FALSE;
  return pipe->Peek(buffer, size, copied, available);
}

BOOL DuplicateHandle(HANDLE sourceProcess, HANDLE source, HANDLE targetProcess, LPHANDLE target, DWORD, BOOL,
                     DWORD options) {
  if (sourceProcess != GetCurrentProcess() || targetProcess != GetCurrentProcess() || !target) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto stream = plat::FindStream(source);
  if (!stream) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  auto copy = stream->Duplicate();
  if (!copy) return FALSE;
  *target = plat::AddHandle(copy);
  if (options & DUPLICATE_CLOSE_SOURCE) CloseHandle(source);
  return TRUE;
}
