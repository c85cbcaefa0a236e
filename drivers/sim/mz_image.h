// MZ executables: the header, the load module and its relocations, and
// loading the module at a segment of board memory.
#pragma once
#include <cstdint>
#include <vector>

#include "drivers/sim/sparse_memory.h"

namespace sim {

struct MzRelocation {
  uint16_t offset = 0, segment = 0;
};

struct MzImage {
  std::vector<uint8_t> module;  // the bytes after the header
  std::vector<MzRelocation> relocations;
  uint16_t ip = 0, cs = 0, sp = 0, ss = 0;  // relative to the load segment
  uint32_t extraBytes = 0;                  // memory the program needs beyond its module
};

// Largest module plus extra memory a program may ask for (conventional memory).
constexpr uint32_t kMzMaxMemory = 0x90000;

// Reads an MZ file; false when it is not a well-formed one (short header,
// module or relocation table outside the file, too large a program).
bool ParseMz(const uint8_t* data, size_t size, MzImage* out);
// Bytes of memory the loaded program occupies from its load segment.
uint32_t MzMemorySize(const MzImage& image);
// Copies the module to loadSegment:0 and adds loadSegment to every relocated word.
void LoadMz(const MzImage& image, uint16_t loadSegment, SparseMemory& memory);

}  // namespace sim
