#include "editor/linepool.h"

#include "platform/sys/zeroed_pages.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace editpool {
namespace {

constexpr size_t kSlabSize = 2 * 1024 * 1024;  // slabs are aligned to their size
constexpr size_t kClasses = kMaxPooled / 16 + 1;
constexpr size_t kKeepEmpty = 2;  // empty slabs kept for reuse; more are handed back

struct FreeBlock {
  FreeBlock* next;
};

// The head of each slab: its own free blocks by size class, and its links
// in the pool's lists of slabs that have free blocks of a class.
struct Slab {
  size_t live;  // blocks handed out and not freed
  bool empty;   // counted among the pool's empty slabs
  FreeBlock* free[kClasses];
  Slab* nextWith[kClasses];
  Slab* prevWith[kClasses];
};

constexpr size_t kHeader = (sizeof(Slab) + 63) & ~size_t{63};  // keeps 16-byte alignment

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
    if (Slab* s = m_with[c]) {
      FreeBlock* b = s->free[c];
      s->free[c] = b->next;
      if (s->free[c] == nullptr) Unlink(s, c);
      if (s->live++ == 0 && s->empty) {
        s->empty = false;
        --m_emptySlabs;
      }
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
    size_t c = size / 16;
    Slab* s = SlabOf(p);
    FreeBlock* b = static_cast<FreeBlock*>(p);
    b->next = s->free[c];
    if (s->free[c] == nullptr) Link(s, c);
    s->free[c] = b;
    if (--s->live == 0 && s != m_curSlab) Emptied(s);
  }

  // Blocks that all lie in one slab (lock held): a slab that they leave
  // empty and that is not kept goes back without its blocks being listed.
  void FreeRun(const std::pair<void*, size_t>* blocks, size_t n) {
    if (n == 0) return;
    Slab* s = SlabOf(blocks[0].first);
    if (s != m_curSlab && s->live == n && m_emptySlabs >= kKeepEmpty) {
      s->live = 0;
      Release(s);
      return;
    }
    for (size_t i = 0; i < n; ++i) FreeLocked(blocks[i].first, blocks[i].second);
  }

  std::mutex& Lock() { return m_lock; }

  size_t SlabBytes() {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_slabCount * kSlabSize;
  }

 private:
  void Link(Slab* s, size_t c) {
    s->prevWith[c] = nullptr;
    s->nextWith[c] = m_with[c];
    if (m_with[c] != nullptr) m_with[c]->prevWith[c] = s;
    m_with[c] = s;
  }

  void Unlink(Slab* s, size_t c) {
    if (s->prevWith[c] != nullptr)
      s->prevWith[c]->nextWith[c] = s->nextWith[c];
    else
      m_with[c] = s->nextWith[c];
    if (s->nextWith[c] != nullptr) s->nextWith[c]->prevWith[c] = s->prevWith[c];
    s->nextWith[c] = s->prevWith[c] = nullptr;
  }

  // A slab with no block in use: kept while few are, else handed back with
  // its free blocks, which only it lists.
  void Emptied(Slab* s) {
    if (m_emptySlabs < kKeepEmpty) {
      s->empty = true;
      ++m_emptySlabs;
      return;
    }
    Release(s);
  }

  void Release(Slab* s) {
    for (size_t c = 0; c < kClasses; ++c) {
      if (s->free[c] != nullptr) Unlink(s, c);
    }
    plat::FreeZeroedPages(s, kSlabSize);
    --m_slabCount;
  }

  bool NewSlab() {
    // Fresh pages are zero and become resident only as blocks are used.
    void* mem = plat::AllocZeroedPages(kSlabSize, kSlabSize);
    if (mem == nullptr) return false;
    Slab* old = m_curSlab;
    m_curSlab = static_cast<Slab*>(mem);
    ++m_slabCount;
    m_cur = static_cast<char*>(mem) + kHeader;
    m_end = static_cast<char*>(mem) + kSlabSize;
    // The rest of the old slab is left unused; a slab left empty counts now.
    if (old != nullptr && old->live == 0) Emptied(old);
    return true;
  }

  std::mutex m_lock;
  Slab* m_with[kClasses] = {};  // slabs with free blocks of each class
  size_t m_slabCount = 0;
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

FreeBatch::FreeBatch() {
  if (!kDirect) ThePool().Lock().lock();
}

FreeBatch::~FreeBatch() {
  if (kDirect) return;
  Flush();
  ThePool().Lock().unlock();
}

void FreeBatch::Flush() {
  ThePool().FreeRun(m_run.data(), m_run.size());
  m_run.clear();
}

void FreeBatch::Free(void* p, size_t size) {
  if (p == nullptr) return;
  if (size == 0) size = 16;
  if (kDirect || size > kMaxPooled) {
    std::free(p);
    return;
  }
  // Blocks of one slab gather, so that a slab they empty is not written to.
  void* slab = SlabOf(p);
  if (slab != m_slab) {
    Flush();
    m_slab = slab;
  }
  m_run.emplace_back(p, Rounded(size));
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
