// Private: little-endian numbers in resource and bitmap bytes.
#pragma once

#include <cstdint>

namespace mirt_ui {

inline uint16_t LeU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t LeU32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace mirt_ui
