// Copies of a few dozen bytes (a source line) done in place: for these a
// call into the C library's copy costs more than the copy, and on machines
// where it takes the widest vector registers it slows the scans that follow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace shortcopy {

constexpr size_t kLongCopy = 256;  // bytes from which the library copies

inline void Copy(char* to, const char* from, size_t n) {
  if (n >= kLongCopy) {
    std::memcpy(to, from, n);
    return;
  }
  // Fixed-size copies compile to single moves.
  for (; n >= 8; n -= 8, to += 8, from += 8) {
    uint64_t word;
    std::memcpy(&word, from, 8);
    std::memcpy(to, &word, 8);
  }
  if (n >= 4) {
    uint32_t word;
    std::memcpy(&word, from, 4);
    std::memcpy(to, &word, 4);
    n -= 4, to += 4, from += 4;
  }
  if (n >= 2) {
    uint16_t word;
    std::memcpy(&word, from, 2);
    std::memcpy(to, &word, 2);
    n -= 2, to += 2, from += 2;
  }
  if (n == 1) *to = *from;
}

}  // namespace shortcopy
