// Objects behind HANDLE values (files, find searches, threads, events...).
// A handle is a small number, never a pointer, so a stale or made-up handle
// is refused with ERROR_INVALID_HANDLE instead of touching freed memory.
#pragma once

#include <memory>

#include "platform/base/windef.h"

namespace plat {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

// Registers the object and returns its new handle.
HANDLE AddHandle(std::shared_ptr<KernelObject> object);

// The object of a handle when it is of type T; null (and the last error set
// to ERROR_INVALID_HANDLE) otherwise.
std::shared_ptr<KernelObject> FindHandleObject(HANDLE h);
template <class T>
std::shared_ptr<T> FindHandle(HANDLE h);

// Forgets the handle; the object lives on while others still hold it.
// False (ERROR_INVALID_HANDLE) for an unknown handle.
bool RemoveHandle(HANDLE h);

}  // namespace plat

#include "platform/base/winerror.h"

template <class T>
std::shared_ptr<T> plat::FindHandle(HANDLE h) {
  auto p = std::dynamic_pointer_cast<T>(FindHandleObject(h));
  if (!p) SetLastError(ERROR_INVALID_HANDLE);
  return p;
}
