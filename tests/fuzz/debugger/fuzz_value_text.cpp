// Reads arbitrary bytes as a watch value text (what gdb or the debug
// information renders of the program's data); reading must end, and every
// member must have a name.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "debugger/value_text_parse.h"

namespace {

void FuzzValueCheck(const ParsedValue& v) {
  for (const ParsedMember& m : v.members) {
    if (m.name.empty() && m.value.members.empty() && m.value.text.empty()) abort();
    FuzzValueCheck(m.value);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  ValueParseResult r = ParseValueText(text.c_str());
  FuzzValueCheck(r.value);
  return 0;
}
