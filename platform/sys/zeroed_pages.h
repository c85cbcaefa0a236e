// Large zero-filled blocks straight from the system, for allocators that
// carve them up themselves. Pages are only made resident when touched.
#pragma once

#include <cstddef>

namespace plat {

// `size` bytes aligned to `alignment` (a power of two, a multiple of the
// page size), zero-filled, in ordinary pages (huge ones only slowed and
// scattered loads in fresh processes). Null on
// failure.
void* AllocZeroedPages(size_t size, size_t alignment);
void FreeZeroedPages(void* p, size_t size);
// Makes the pages of [p, p + size) of such a block resident at once (one
// call instead of a fault per page); false when the system cannot.
bool MakePagesResident(void* p, size_t size);

}  // namespace plat
