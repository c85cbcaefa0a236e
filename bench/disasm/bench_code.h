// A megabyte of typical 16-bit code as the target's memory, shared by the
// disassembler's benchmarks.
#pragma once

#include <vector>

#include "disasm/disass_neighbours.h"

namespace bench_code {

// A mix of common instructions, repeated to 1 MB.
const std::vector<BYTE>& Code();

// Reads from Code(); fails past its end.
class MemoryTarget : public CDisassTarget {
 public:
  BOOL ReadMemory(DWORD linear, WORD count, BYTE* buffer) override;
};

}  // namespace bench_code
