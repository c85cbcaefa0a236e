#include "platform/sys/zeroed_pages.h"

#include <sys/mman.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace plat {

void* AllocZeroedPages(size_t size, size_t alignment) {
  if (size == 0 || alignment == 0 || (alignment & (alignment - 1)) != 0) return nullptr;
  // Map enough to cut an aligned block out of it, then give back the rest.
  size_t span = size + alignment;
  void* raw = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  uintptr_t start = reinterpret_cast<uintptr_t>(raw);
  uintptr_t aligned = (start + alignment - 1) & ~(uintptr_t)(alignment - 1);
  if (aligned > start) munmap(raw, aligned - start);
  uintptr_t end = aligned + size;
  if (start + span > end) munmap(reinterpret_cast<void*>(end), start + span - end);
  return reinterpret_cast<void*>(aligned);
}

void FreeZeroedPages(void* p, size_t size) {
  if (p != nullptr && size > 0) munmap(p, size);
}

bool MakePagesResident(void* p, size_t size) {
#ifdef MADV_POPULATE_WRITE
  return size == 0 || madvise(p, size, MADV_POPULATE_WRITE) == 0;
#else
  (void)p;
  (void)size;
  return false;
#endif
}

size_t PageBytes() {
  static const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  return page;
}

void KeepResidentAhead(char*& resident, const char* at, char* end, size_t step) {
  if (at <= resident || resident >= end) return;
  const size_t page = PageBytes();
  size_t ahead = (static_cast<size_t>(at - resident) + step + page - 1) & ~(page - 1);
  char* to = resident + std::min(ahead, static_cast<size_t>(end - resident));
  MakePagesResident(resident, static_cast<size_t>(to - resident));
  resident = to;
}

}  // namespace plat
