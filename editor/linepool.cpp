#include "editor/linepool.h"

#include "platform/sys/zeroed_pages.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace editpool {
namespace {

constexpr size_t kSlabSize = 2 * 1024 * 1024;  // slabs are aligned to their size
constexpr size_t kHeader = 64;                 // slab header, keeps 16-byte alignment
constexpr size_t kClasses = kMaxPooled / 16 + 1;
constexpr size_t kSweepAt = 8;  // empty slabs gathered before a sweep

struct Slab {
  size_t live;  // blocks handed out and not freed
};

struct FreeBlock {
  FreeBlock* next;
};

Slab* SlabOf(void* p) {
  return reinterpret_cast<Slab*>(reinterpret_cast<uintptr_t>(p) & ~(uintptr_t)(kSlabSize - 1));
}

class Pool {
 public:
  void* Alloc(size_t size) {
    std::lock_guard<std::mutex> hold(m_lock);
    return AllocLocked(size);
  }

  void* AllocLocked(size_t size) {
    size_t c = size / 16;
    if (FreeBlock* b = m_free[c]) {
      m_free[c] = b->next;
      Slab* s = SlabOf(b);
      if (s->live++ == 0 && s != m_curSlab) --m_emptySlabs;
      std::memset(b, 0, size);
      return b;
    }
    if (m_cur == nullptr || (size_t)(m_end - m_cur) < size) {
      if (!NewSlab()) return nullptr;
    }
    void* p = m_cur;
    m_cur += size;
    m_curSlab->live++;
    return p;
  }

  // Two blocks under one lock, the second right after the first when both
  // come fresh from the slab.
  bool AllocPair(size_t a, size_t b, void** pa, void** pb) {
    std::lock_guard<std::mutex> hold(m_lock);
    *pa = AllocLocked(a);
    *pb = *pa != nullptr ? AllocLocked(b) : nullptr;
    if (*pb != nullptr) return true;
    if (*pa != nullptr) FreeLocked(*pa, a);
    return false;
  }

  void Free(void* p, size_t size) {
    std::lock_guard<std::mutex> hold(m_lock);
    FreeLocked(p, size);
  }

  void FreeLocked(void* p, size_t size) {
    FreeBlock* b = static_cast<FreeBlock*>(p);
    b->next = m_free[size / 16];
    m_free[size / 16] = b;
    Slab* s = SlabOf(p);
    if (--s->live == 0 && s != m_curSlab && ++m_emptySlabs >= SweepAt()) Sweep();
  }

  size_t SlabBytes() {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_slabs.size() * kSlabSize;
  }

 private:
  bool NewSlab() {
    // Fresh pages are zero and become resident only as blocks are used.
    void* mem = plat::AllocZeroedPages(kSlabSize, kSlabSize);
    if (mem == nullptr) return false;
    Slab* old = m_curSlab;
    m_curSlab = static_cast<Slab*>(mem);
    m_slabs.push_back(m_curSlab);
    m_cur = static_cast<char*>(mem) + kHeader;
    m_end = static_cast<char*>(mem) + kSlabSize;
    // The rest of the old slab is left unused; a slab left empty counts now.
    if (old != nullptr && old->live == 0 && ++m_emptySlabs >= SweepAt()) Sweep();
    return true;
  }

  // A sweep walks every free block, so it waits until a good share of the
  // slabs is empty.
  size_t SweepAt() const { return std::max(kSweepAt, m_slabs.size() / 4); }

  // Drops the free blocks of empty slabs from the lists and releases those slabs.
  void Sweep() {
    auto empty = [this](void* p) {
      Slab* s = SlabOf(p);
      return s->live == 0 && s != m_curSlab;
    };
    for (FreeBlock*& head : m_free) {
      FreeBlock** link = &head;
      while (*link != nullptr) {
        if (empty(*link))
          *link = (*link)->next;
        else
          link = &(*link)->next;
      }
    }
    auto gone = std::stable_partition(m_slabs.begin(), m_slabs.end(), [&](Slab* s) { return !empty(s); });
    for (auto it = gone; it != m_slabs.end(); ++it) plat::FreeZeroedPages(*it, kSlabSize);
    m_slabs.erase(gone, m_slabs.end());
    m_emptySlabs = 0;
  }

  std::mutex m_lock;
  FreeBlock* m_free[kClasses] = {};
  std::vector<Slab*> m_slabs;
  Slab* m_curSlab = nullptr;
  char* m_cur = nullptr;
  char* m_end = nullptr;
  size_t m_emptySlabs = 0;
};

// Never destroyed: lines may still be freed while the program ends.
Pool& ThePool() {
  static Pool* pool = new Pool;
  return *pool;
}

size_t Rounded(size_t size) { return (size + 15) & ~(size_t)15; }

// Under the address sanitizer every block is its own heap block, so that
// use after free and overruns of line texts are caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kDirect = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kDirect = true;
#else
constexpr bool kDirect = false;
#endif
#else
constexpr bool kDirect = false;
#endif

}  // namespace

void* Alloc(size_t size) {
  if (size == 0) size = 16;
  if (kDirect || size > kMaxPooled) return std::calloc(1, size);
  return ThePool().Alloc(Rounded(size));
}

void Free(void* p, size_t size) {
  if (p == nullptr) return;
  if (size == 0) size = 16;
  if (kDirect || size > kMaxPooled) {
    std::free(p);
    return;
  }
  ThePool().Free(p, Rounded(size));
}

bool AllocPair(size_t a, size_t b, void** pa, void** pb) {
  if (kDirect || a > kMaxPooled || b > kMaxPooled || a == 0 || b == 0) {
    *pa = Alloc(a);
    *pb = *pa != nullptr ? Alloc(b) : nullptr;
    if (*pb != nullptr) return true;
    Free(*pa, a);
    return false;
  }
  return ThePool().AllocPair(Rounded(a), Rounded(b), pa, pb);
}

size_t SlabBytes() { return ThePool().SlabBytes(); }

}  // namespace editpool
