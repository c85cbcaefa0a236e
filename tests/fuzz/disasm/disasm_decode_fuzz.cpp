// Any bytes at any address through the decoder and the listing-line
// formatter: every length is 1 to 15, no byte outside the input is read,
// texts fit their buffers.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "disasm/instruction_text.h"
#include "disasm/listing_line.h"
#include "disasm/disass_neighbours.h"

namespace {

const uint8_t* g_data;
size_t g_size;
DWORD g_base;

class FuzzTarget : public CDisassTarget {
 public:
  BOOL ReadMemory(DWORD linear, WORD count, BYTE* buffer) override {
    for (WORD i = 0; i < count; ++i) {
      DWORD at = linear + i - g_base;
      if (linear + i < g_base || at >= g_size) return FALSE;
      buffer[i] = g_data[at];
    }
    return TRUE;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  std::memcpy(&g_base, data, 4);
  g_data = data + 4;
  g_size = size - 4;
  static FuzzTarget target;
  static CDisassx86 disass(&target);
  char line[kDisassLineSize];
  DWORD end = g_base + DWORD(g_size);
  for (DWORD at = g_base; at - g_base < g_size;) {
    DWORD next = disass.FormatLine(at, line);
    DWORD length = next - at;
    if (length < 1 || length > 15 || std::strlen(line) >= size_t(kDisassLineSize)) std::abort();
    disass.IsCallInstruction(line);
    at = next;
  }
  DWORD addr = end;
  DWORD start = disass.FormatPreviousLine(&addr, line);
  if (addr - start < 1 || addr - start > 15 || std::strlen(line) >= size_t(kDisassLineSize)) std::abort();
  return 0;
}
