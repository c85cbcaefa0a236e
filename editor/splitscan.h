// A long scan for a LiteralScan's strings shared with the side thread: a
// first stretch is scanned alone (a hit is mostly near), then the caller
// scans the first half of the rest, the side thread the second a stretch
// at a time, so that it stops soon once the first half has a hit. The
// halves are cut right after a NUL byte (as ends each line's text in a
// block), where no string can begin before the cut and end after it.
#pragma once

#include <cstddef>

class LiteralScan;

struct SplitScanSizes {
  size_t splitFrom = 1u << 20;  // shorter scans are not split
  size_t stretch = 256u << 10;  // scanned alone first, and the side thread's steps
};

// LiteralScan::Find over [p, p + n): the same offset for one string; for
// several, an occurrence in the same NUL-ended line; -1 for none.
long SplitScanFind(const LiteralScan& scan, const char* p, size_t n, const SplitScanSizes& sizes = {});
