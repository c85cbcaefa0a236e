// A megabyte of typical 16-bit code as the target's memory, shared by the
// disassembler's benchmarks.
#pragma once

#include <vector>

#include "disasm/disass_neighbours.h"
#include "disasm/listing_line.h"

namespace bench_code {

// A mix of common instructions, repeated to 1 MB.
const std::vector<BYTE>& Code();

// Lines on one screen of the disassembly window.
constexpr int kScreenLines = 60;
// Decodes and formats the screen's lines from an address.
void DecodeScreen(CDisassx86& disass, DWORD at);

// Reads from Code(); fails past its end.
class MemoryTarget : public CDisassTarget {
 public:
  BOOL ReadMemory(DWORD linear, WORD count, BYTE* buffer) override;
};

}  // namespace bench_code
