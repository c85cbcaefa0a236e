// The kernel object behind a file handle, and the in-process table of
// share modes that CreateFile checks.
#pragma once

#include <sys/types.h>

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/windef.h"
#include "platform/sys/kernel_object.h"

namespace plat {

class FileObject : public KernelObject {
 public:
  FileObject(int fd, std::string path, DWORD access, DWORD share, dev_t dev, ino_t ino);
  ~FileObject() override;  // closes the descriptor and leaves the share table

  int fd() const { return m_fd; }
  const std::string& path() const { return m_path; }
  bool CanRead() const;
  bool CanWrite() const;

  // Byte ranges locked through this handle.
  std::mutex lockMutex;
  std::vector<std::pair<uint64_t, uint64_t>> locks;  // offset, length
  // For a handle without write access: a descriptor opened for writing that
  // carries its locks; -2 before the first lock, -1 when none could be had.
  int lockFd = -2;
  // FILE_FLAG_DELETE_ON_CLOSE: the file goes when the handle is closed.
  bool deleteOnClose = false;

 private:
  int m_fd;
  std::string m_path;
  DWORD m_access;
  DWORD m_share;
  dev_t m_dev;
  ino_t m_ino;
};

// Registers an opening of the file (dev, ino) with the access and share mode
// asked for; false when an open handle of this process forbids it.
bool ShareTableEnter(dev_t dev, ino_t ino, DWORD access, DWORD share);
void ShareTableLeave(dev_t dev, ino_t ino, DWORD access, DWORD share);

}  // namespace plat
