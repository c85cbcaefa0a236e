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
// For such a block filled from its start on: pages below `resident` are
// resident. Once the fill `at` passes it, the pages from there up to `step`
// bytes beyond `at` (whole pages, at most to `end`) are made resident at
// once and `resident` moves past them.
void KeepResidentAhead(char*& resident, const char* at, char* end, size_t step);
// The size of a page.
size_t PageBytes();

}  // namespace plat
