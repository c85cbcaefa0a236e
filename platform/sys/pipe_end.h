// One end of an anonymous pipe behind a handle.
#pragma once

#include <mutex>
#include <string>

#include "platform/sys/fd_wait.h"
#include "platform/sys/stream_object.h"

namespace plat {

class PipeEnd : public StreamObject {
 public:
  PipeEnd(int fd, bool readEnd) : m_fd(fd), m_readEnd(readEnd) {}

  BOOL Read(void* buffer, DWORD size, DWORD* done) override;
  BOOL Write(const void* data, DWORD size, DWORD* done) override;
  void Close() override { m_fd.Cancel(); }
  std::shared_ptr<StreamObject> Duplicate() override;
  int Descriptor() const override { return m_fd.fd(); }
  BOOL Peek(void* buffer, DWORD size, DWORD* copied, DWORD* available);

 private:
  // Moves what the pipe holds now into m_peeked; false at the end of the
  // pipe when nothing is left.
  bool FillPeeked();

  CancellableFd m_fd;
  bool m_readEnd;
  std::mutex m_mutex;
  std::string m_peeked;  // bytes already taken from the pipe by Peek
};

// Writes every byte to a descriptor without ever raising SIGPIPE; errno
// is EPIPE when the reader is gone.
ssize_t WriteNoSignal(int fd, const void* data, size_t size);

}  // namespace plat
