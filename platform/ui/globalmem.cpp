#include "platform/ui/globalmem.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

struct Block {
  SIZE_T size = 0;
  UINT flags = 0;
  int locks = 0;
};

struct Blocks {
  std::mutex m;
  std::unordered_map<void*, Block> map;
};

Blocks& All() {
  static Blocks* b = new Blocks;
  return *b;
}

}  // namespace

// A handle is the address of its bytes, as for fixed blocks on Windows;
// it stays the same for the block's life unless reallocated.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  void* p = std::calloc(bytes ? bytes : 1, 1);
  if (!p) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  std::lock_guard<std::mutex> lock(All().m);
  All().map[p] = Block{bytes, flags, 0};
  return p;
}

HGLOBAL GlobalReAlloc(HGLOBAL h, SIZE_T bytes, UINT flags) {
  std::lock_guard<std::mutex> lock(All().m);
  auto it = All().map.find(h);
  if (it == All().map.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (flags & GMEM_MODIFY) {
    it->second.flags = flags & ~GMEM_MODIFY;
    return h;
  }
  void* p = std::realloc(h, bytes ? bytes : 1);
  if (!p) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Block b = it->second;
  All().map.erase(it);
  if (bytes > b.size && (flags & GMEM_ZEROINIT))
    std::memset(static_cast<char*>(p) + b.size, 0, bytes - b.size);
  b.size = bytes;
  All().map[p] = b;
  return p;
}

HGLOBAL GlobalFree(HGLOBAL h) {
  if (!h) return nullptr;
  std::lock_guard<std::mutex> lock(All().m);
  auto it = All().map.find(h);
  if (it == All().map.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return h;
  }
  All().map.erase(it);
  std::free(h);
  return nullptr;
}

LPVOID GlobalLock(HGLOBAL h) {
  std::lock_guard<std::mutex> lock(All().m);
  auto it = All().map.find(h);
  if (it == All().map.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  ++it->second.locks;
  return h;
}

BOOL GlobalUnlock(HGLOBAL h) {
  std::lock_guard<std::mutex> lock(All().m);
  auto it = All().map.find(h);
  if (it == All().map.end() || it->second.locks == 0) return FALSE;
  return --it->second.locks > 0;
}

SIZE_T GlobalSize(HGLOBAL h) {
  std::lock_guard<std::mutex> lock(All().m);
  auto it = All().map.find(h);
  return it == All().map.end() ? 0 : it->second.size;
}

UINT GlobalFlags(HGLOBAL h) {
  std::lock_guard<std::mutex> lock(All().m);
  auto it = All().map.find(h);
  return it == All().map.end() ? 0x8000 /* GMEM_INVALID_HANDLE */
                               : static_cast<UINT>(it->second.locks & 0xFF);
}
