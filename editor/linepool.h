// Allocator for line records and line texts. Blocks come zero-filled from
// large slabs; each slab keeps its freed blocks per size for reuse, and a
// slab whose blocks are all free again is handed back at once (a couple
// are kept for the next allocations).
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace editpool {

// Largest block served from slabs; bigger ones come from the heap.
constexpr size_t kMaxPooled = 4096;

// Where a block is carved from: records and texts fill slabs of their own.
enum class Stream { kRecords, kTexts };

// A zero-filled block of `size` bytes (size a multiple of 8 when pooled),
// null when memory runs out. Free with the same size.
void* Alloc(size_t size, Stream stream);
void Free(void* p, size_t size);
// Two blocks at once (a line record and its text, from their streams);
// false, with neither allocated, when memory runs out.
bool AllocPair(size_t a, size_t b, void** pa, void** pb);

// Frees many blocks under one hold of the pool (one thread's run of frees,
// such as closing a file); no other pool call may be made meanwhile.
class FreeBatch {
 public:
  FreeBatch();
  ~FreeBatch();
  FreeBatch(const FreeBatch&) = delete;
  FreeBatch& operator=(const FreeBatch&) = delete;
  void Free(void* p, size_t size);

 private:
  struct Run {
    void* slab = nullptr;                          // the slab of the gathered blocks
    std::vector<std::pair<void*, size_t>> blocks;  // its blocks not yet freed
    unsigned long touched = 0;
  };
  void Flush(Run& run);

  Run m_runs[4];
  Run* m_last = nullptr;  // the run of the last block
  unsigned long m_clock = 0;
  bool m_locks;  // the batch took the pool's lock
};

// Holds the pool for one thread's run of allocations and frees (such as
// the lines one change rebuilds): meanwhile that thread's pool calls skip
// the lock, and other threads wait until Yield or the end of the hold.
class Hold {
 public:
  Hold();
  ~Hold();
  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;
  // Lets other threads in between two stretches of the run.
  void Yield();
};

// Bytes held in slabs (for tests and benchmarks).
size_t SlabBytes();

}  // namespace editpool
