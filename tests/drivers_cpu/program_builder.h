// Test programs for the boards' CPU: 16-bit sources assembled by nasm into
// flat binaries, wrapped into MZ executables.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace cpu_test {

// Assembles a 16-bit flat binary (origin 0); fails the test when nasm does.
std::vector<uint8_t> Assemble(const std::string& source);

struct MzLayout {
  uint16_t ip = 0, cs = 0, ss = 0, sp = 0;                 // relative to the load segment
  uint16_t extraParagraphs = 0;                            // memory beyond the module
  std::vector<std::pair<uint16_t, uint16_t>> relocations;  // (offset, segment)
};

// An MZ file holding `module`.
std::string MzFile(const std::vector<uint8_t>& module, const MzLayout& layout);

}  // namespace cpu_test
