// Where the names of the debug information's name pool start. Name n starts
// behind the (n-1)-th NUL of the pool; a NUL at the pool's last byte starts
// no name. Names the header counts but the pool lacks are the empty name at
// the pool's end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "debugger/borland_tables.h"

// The start of every name the pool holds: element n - 1 for name n.
std::vector<uint32_t> IndexNames(const BorlandDebugInfo& d);

// The pool offsets of the names `indexes[0..n)` (any order, repeats and 0
// allowed) into `offsets`, with one pass over the pool up to the highest.
void FindNameOffsets(const BorlandDebugInfo& d, const uint32_t* indexes, size_t n, uint32_t* offsets);
