// Allocator for line records and line texts. Blocks come zero-filled from
// large slabs; freed blocks are kept per size and reused, and a slab whose
// blocks are all free again is handed back once enough of them gather.
#pragma once

#include <cstddef>

namespace editpool {

// Largest block served from slabs; bigger ones come from the heap.
constexpr size_t kMaxPooled = 4096;

// A zero-filled block of `size` bytes (size a multiple of 16 when pooled),
// null when memory runs out. Free with the same size.
void* Alloc(size_t size);
void Free(void* p, size_t size);
// Two blocks at once (a line record and its text); false, with neither
// allocated, when memory runs out.
bool AllocPair(size_t a, size_t b, void** pa, void** pb);

// Bytes held in slabs (for tests and benchmarks).
size_t SlabBytes();

}  // namespace editpool
