// Handles that ReadFile and WriteFile serve with their own rules (pipe
// ends, serial ports) instead of those of a disk file.
#pragma once

#include <memory>

#include "platform/base/windef.h"
#include "platform/sys/kernel_object.h"

namespace plat {

class StreamObject : public KernelObject {
 public:
  // As ReadFile and WriteFile: *done is always set; failures set the last
  // error.
  virtual BOOL Read(void* buffer, DWORD size, DWORD* done) = 0;
  virtual BOOL Write(const void* data, DWORD size, DWORD* done) = 0;
  // The handle is being closed: wakes reads and writes that wait on it,
  // which then fail with ERROR_OPERATION_ABORTED.
  virtual void Close() = 0;
  // A second object over the same stream (DuplicateHandle); null with the
  // last error set when the stream cannot be duplicated.
  virtual std::shared_ptr<StreamObject> Duplicate() = 0;
  // The descriptor that a child process receives for this handle.
  virtual int Descriptor() const = 0;
};

// The stream behind a handle; null (last error untouched) for any other
// kind of handle.
std::shared_ptr<StreamObject> FindStream(HANDLE h);

}  // namespace plat
