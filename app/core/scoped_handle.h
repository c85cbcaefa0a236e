// Closes a file handle when the scope ends, also when a fatal message ends
// the process by an exception (as tests do).
#pragma once

#include "platform/sys/file.h"

class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle) : m_handle(handle) {}
  ~ScopedHandle() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  HANDLE get() const { return m_handle; }

 private:
  HANDLE m_handle;
};
