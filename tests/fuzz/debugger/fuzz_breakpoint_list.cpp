// Reads arbitrary bytes as a breakpoint list file; every breakpoint read
// comes back unchanged through the Edit Breakpoints text form.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "debugger/breakpoint_list.h"
#include "debugger/breakpoint_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CBreakpointList list;
  list.AppendFromText(std::string(reinterpret_cast<const char*>(data), size));
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    const CBreakpoint& bp = list.GetNext(pos);
    if (bp.file.IsEmpty()) abort();
    CBreakpoint back;
    if (!ParseBreakpointListText(BreakpointListText(bp), back) || !back.IsEqual(bp) ||
        back.file.str() != bp.file.str())
      abort();
  }
  list.ToText();
  return 0;
}
