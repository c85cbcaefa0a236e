// Reads arbitrary bytes as a watch value text (what gdb or the debug
// information renders of the program's data). Reading must end, and every
// member takes at least one byte of the text, so a text cannot make more
// members than it has bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "debugger/value_text_parse.h"

namespace {

size_t FuzzValueMembers(const ParsedValue& v) {
  size_t n = v.members.size();
  for (const ParsedMember& m : v.members) n += FuzzValueMembers(m.value);
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  ValueParseResult r = ParseValueText(text.c_str());
  if (FuzzValueMembers(r.value) > size + 1) abort();
  return 0;
}
