// A long scan for a LiteralScan's strings shared with the side thread: the
// caller scans the first half, the side thread the second a stretch at a
// time, so that it stops soon once the first half has a hit. The text is
// cut only right after a NUL byte (as ends each line's text in a block),
// where no string found can begin before the cut and end after it, so the
// result is the one a single scan gives.
#pragma once

#include <cstddef>

class LiteralScan;

struct SplitScanSizes {
  size_t splitFrom = 1u << 20;  // shorter scans are not split
  size_t stretch = 256u << 10;  // scanned alone first, and the side thread's steps
};

// LiteralScan::Find over [p, p + n): the same offset, or -1.
long SplitScanFind(const LiteralScan& scan, const char* p, size_t n, const SplitScanSizes& sizes = {});
