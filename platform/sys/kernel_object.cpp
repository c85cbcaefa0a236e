#include "platform/sys/kernel_object.h"

#include <mutex>
#include <unordered_map>

namespace plat {

namespace {

struct HandleTable {
  std::mutex mutex;
  std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
  uintptr_t next = 0x1000;
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable;  // lives until the process ends
  return *table;
}

}  // namespace

HANDLE AddHandle(std::shared_ptr<KernelObject> object) {
  HandleTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  uintptr_t id = t.next;
  t.next += 4;
  t.objects.emplace(id, std::move(object));
  return reinterpret_cast<HANDLE>(id);
}

std::shared_ptr<KernelObject> FindHandleObject(HANDLE h) {
  HandleTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.objects.find(reinterpret_cast<uintptr_t>(h));
  return it == t.objects.end() ? nullptr : it->second;
}

bool RemoveHandle(HANDLE h) {
  std::shared_ptr<KernelObject> doomed;  // destroyed after the lock is released
  {
    HandleTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.objects.find(reinterpret_cast<uintptr_t>(h));
    if (it == t.objects.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return false;
    }
    doomed = std::move(it->second);
    t.objects.erase(it);
  }
  return true;
}

}  // namespace plat
