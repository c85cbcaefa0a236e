// The memory editor's byte text: accepted only as 1 to 8 tokens of 1 or 2
// hex digits, and then each byte is the value of its token.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "a_qjx/memory_view.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  BYTE bytes[8] = {};
  int count = -1;
  const bool accepted = ParseMemoryBytes(CString(text.c_str()), bytes, &count);
  if (accepted != (count > 0) || count > 8) std::abort();
  return 0;
}
