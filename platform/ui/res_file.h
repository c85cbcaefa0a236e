// Private: the binary resource format (.res) and the per-module tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/resources.h"

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

// The entry of a module's resources with that name and type; null when
// there is none.
const ResEntry* FindEntry(HMODULE h, LPCSTR name, LPCSTR type);
// An accelerator resource: 8-byte entries, the last one flagged 0x80.
// False when the data ends before that entry.
bool ParseAccelerators(const unsigned char* p, size_t size, std::vector<ACCEL>* out);

}  // namespace mirt_ui
