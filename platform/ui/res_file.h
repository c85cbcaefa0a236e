// Private: the binary resource format (.res) and the per-module tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mirt_ui {

// A type or name: an ordinal, or a string (kept upper case for lookup).
struct ResId {
  bool isOrdinal = true;
  uint16_t ordinal = 0;
  std::string name;
  bool operator==(const ResId& o) const {
    return isOrdinal == o.isOrdinal && (isOrdinal ? ordinal == o.ordinal : name == o.name);
  }
};

struct ResEntry {
  ResId type;
  ResId name;
  uint16_t language = 0;
  const unsigned char* data = nullptr;
  uint32_t size = 0;
};

// Parses a .res image; entries point into `res`, which must outlive them.
// Returns false (and what it read so far) on a malformed image.
bool ParseResFile(const unsigned char* res, size_t size, std::vector<ResEntry>* out);
ResId MakeResId(const char* nameOrOrdinal);
// UTF-16LE code units to Windows-1252 bytes.
std::string Utf16To1252(const unsigned char* p, size_t units);

}  // namespace mirt_ui
