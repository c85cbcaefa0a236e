#include "editor/linepool.h"

#include "platform/sys/page_warmer.h"
#include "platform/sys/zeroed_pages.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <mutex>

namespace editpool {
namespace {

constexpr size_t kSlabSize = 2 * 1024 * 1024;  // slabs are aligned to their size
// Pages of the slab being filled are made resident this far ahead at once,
// as a fault per page costs more than the page's share of one call.
constexpr size_t kResidentStep = 256 * 1024;
// The warmer is given the next stretch once the fill comes this close to
// the pages made resident.
constexpr size_t kWarmLead = 2 * kResidentStep;
constexpr size_t kGrain = 8;  // block sizes are multiples of this
constexpr size_t kClasses = kMaxPooled / kGrain + 1;
constexpr size_t kStreams = 2;    // line records and line texts fill slabs of their own
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

// A slab being carved up from its start.
struct Cursor {
  Slab* slab = nullptr;
  char* at = nullptr;
  char* end = nullptr;
  plat::WarmFront front;  // how far its pages are resident
};

Slab* SlabOf(void* p) {
  return reinterpret_cast<Slab*>(reinterpret_cast<uintptr_t>(p) & ~(uintptr_t)(kSlabSize - 1));
}

class Pool {
 public:
  void* Alloc(size_t size, Stream stream) {
    std::lock_guard<std::mutex> hold(m_lock);
    return AllocLocked(size, stream);
  }

  void* AllocLocked(size_t size, Stream stream) {
    size_t c = size / kGrain;
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
    Cursor& cur = m_cursor[static_cast<size_t>(stream)];
    if (cur.at == nullptr || (size_t)(cur.end - cur.at) < size) {
      if (!NewSlab(cur)) return nullptr;
    }
    void* p = cur.at;
    cur.at += size;
    // The pages are made resident and touched a stretch ahead, mostly by
    // the warmer's thread.
    m_warmer.KeepAhead(cur.front, cur.at, cur.end, kResidentStep, kWarmLead);
    cur.slab->live++;
    return p;
  }

  // A record and a text under one lock, each from its own stream: texts of
  // lines made one after another follow one another in memory.
  bool AllocPair(size_t a, size_t b, void** pa, void** pb) {
    std::lock_guard<std::mutex> hold(m_lock);
    return AllocPairLocked(a, b, pa, pb);
  }

  bool AllocPairLocked(size_t a, size_t b, void** pa, void** pb) {
    *pa = AllocLocked(a, Stream::kRecords);
    *pb = *pa != nullptr ? AllocLocked(b, Stream::kTexts) : nullptr;
    if (*pb != nullptr) return true;
    if (*pa != nullptr) FreeLocked(*pa, a);
    return false;
  }

  void Free(void* p, size_t size) {
    std::lock_guard<std::mutex> hold(m_lock);
    FreeLocked(p, size);
  }

  void FreeLocked(void* p, size_t size) {
    size_t c = size / kGrain;
    Slab* s = SlabOf(p);
    FreeBlock* b = static_cast<FreeBlock*>(p);
    b->next = s->free[c];
    if (s->free[c] == nullptr) Link(s, c);
    s->free[c] = b;
    if (--s->live == 0 && !IsCurrent(s)) Emptied(s);
  }

  // Blocks that all lie in one slab (lock held): a slab that they leave
  // empty and that is not kept goes back without its blocks being listed.
  void FreeRun(const std::pair<void*, size_t>* blocks, size_t n) {
    if (n == 0) return;
    Slab* s = SlabOf(blocks[0].first);
    if (!IsCurrent(s) && s->live == n && m_emptySlabs >= kKeepEmpty) {
      s->live = 0;
      Release(s);
      return;
    }
    for (size_t i = 0; i < n; ++i) FreeLocked(blocks[i].first, blocks[i].second);
  }

  std::mutex& Lock() { return m_lock; }

  size_t SlabBytes() {
    std::lock_guard<std::mutex> hold(m_lock);
    return SlabBytesLocked();
  }
  size_t SlabBytesLocked() const { return m_slabCount * kSlabSize; }

 private:
  bool IsCurrent(const Slab* s) const {
    for (const Cursor& cur : m_cursor) {
      if (cur.slab == s) return true;
    }
    return false;
  }

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

  bool NewSlab(Cursor& cur) {
    // The slab left may go back to the system: the warmer is done with it.
    m_warmer.Leave(cur.front);
    // Fresh pages are zero and become resident a stretch ahead of use.
    void* mem = plat::AllocZeroedPages(kSlabSize, kSlabSize);
    if (mem == nullptr) return false;
    Slab* old = cur.slab;
    cur.slab = static_cast<Slab*>(mem);
    ++m_slabCount;
    cur.at = static_cast<char*>(mem) + kHeader;
    cur.end = static_cast<char*>(mem) + kSlabSize;
    cur.front = plat::WarmFront{static_cast<char*>(mem), nullptr};
    // The rest of the old slab is left unused; a slab left empty counts now.
    if (old != nullptr && old->live == 0) Emptied(old);
    return true;
  }

  std::mutex m_lock;
  Slab* m_with[kClasses] = {};  // slabs with free blocks of each class
  size_t m_slabCount = 0;
  Cursor m_cursor[kStreams];
  size_t m_emptySlabs = 0;
  plat::PageWarmer m_warmer;
};

// Never destroyed: lines may still be freed while the program ends.
Pool& ThePool() {
  static Pool* pool = new Pool;
  return *pool;
}

size_t Rounded(size_t size) { return (size + kGrain - 1) & ~(kGrain - 1); }

// Whether this thread holds the pool through a Hold.
thread_local bool t_poolHeld = false;

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

void* Alloc(size_t size, Stream stream) {
  if (size == 0) size = 16;
  if (kDirect || size > kMaxPooled) return std::calloc(1, size);
  if (t_poolHeld) return ThePool().AllocLocked(Rounded(size), stream);
  return ThePool().Alloc(Rounded(size), stream);
}

void Free(void* p, size_t size) {
  if (p == nullptr) return;
  if (size == 0) size = 16;
  if (kDirect || size > kMaxPooled) {
    std::free(p);
    return;
  }
  if (t_poolHeld) {
    ThePool().FreeLocked(p, Rounded(size));
    return;
  }
  ThePool().Free(p, Rounded(size));
}

Hold::Hold() {
  if (kDirect) return;
  ThePool().Lock().lock();
  t_poolHeld = true;
}

Hold::~Hold() {
  if (kDirect) return;
  t_poolHeld = false;
  ThePool().Lock().unlock();
}

void Hold::Yield() {
  if (kDirect) return;
  ThePool().Lock().unlock();
  ThePool().Lock().lock();
}

// Within a Hold the pool is held already.
FreeBatch::FreeBatch() : m_locks(!kDirect && !t_poolHeld) {
  if (m_locks) ThePool().Lock().lock();
}

FreeBatch::~FreeBatch() {
  if (kDirect) return;
  for (Run& run : m_runs) Flush(run);
  if (m_locks) ThePool().Lock().unlock();
}

void FreeBatch::Flush(Run& run) {
  ThePool().FreeRun(run.blocks.data(), run.blocks.size());
  run.blocks.clear();
  run.slab = nullptr;
}

void FreeBatch::Free(void* p, size_t size) {
  if (p == nullptr) return;
  if (size == 0) size = 16;
  if (kDirect || size > kMaxPooled) {
    std::free(p);
    return;
  }
  // Blocks of one slab gather, so that a slab they empty is not written to;
  // records and texts come from different slabs, so a few gather at once.
  Slab* slab = SlabOf(p);
  Run* run = m_last != nullptr && m_last->slab == slab ? m_last : nullptr;
  for (size_t i = 0; run == nullptr && i < std::size(m_runs); ++i) {
    if (m_runs[i].slab == slab) run = &m_runs[i];
  }
  if (run == nullptr) {
    run = &m_runs[0];
    for (Run& r : m_runs) {
      if (r.slab == nullptr || r.touched < run->touched) run = &r;
      if (r.slab == nullptr) break;
    }
    if (run->slab != nullptr) Flush(*run);
    run->slab = slab;
  }
  run->touched = ++m_clock;
  m_last = run;
  run->blocks.emplace_back(p, Rounded(size));
  // Blocks that are all the slab has in use go back with the slab at once.
  if (static_cast<Slab*>(slab)->live == run->blocks.size()) Flush(*run);
}

bool AllocPair(size_t a, size_t b, void** pa, void** pb) {
  if (kDirect || a > kMaxPooled || b > kMaxPooled || a == 0 || b == 0) {
    *pa = Alloc(a, Stream::kRecords);
    *pb = *pa != nullptr ? Alloc(b, Stream::kTexts) : nullptr;
    if (*pb != nullptr) return true;
    Free(*pa, a);
    return false;
  }
  if (t_poolHeld) return ThePool().AllocPairLocked(Rounded(a), Rounded(b), pa, pb);
  return ThePool().AllocPair(Rounded(a), Rounded(b), pa, pb);
}

size_t SlabBytes() { return t_poolHeld ? ThePool().SlabBytesLocked() : ThePool().SlabBytes(); }

}  // namespace editpool
