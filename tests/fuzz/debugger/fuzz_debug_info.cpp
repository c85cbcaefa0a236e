// Reads arbitrary bytes as an executable with debug information and asks
// the loaded information every kind of question.
#include <cstdint>
#include <cstdlib>

#include "debugger/debug_interp_borland.h"
#include "tests/fuzz/app_core/quiet_boxes.h"
#include "debugger/target_registers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QuietBoxes();
  int ok = -1;
  CDebugInterpBorland d(data, size, &ok, 0x1000);
  if (ok != 0 && ok != 1) abort();
  CAddr none = CAddr::Invalid();
  d.SetEntryAddress(&none);
  // Every line start: its line, scope, function range and variables.
  CAddr a;
  int steps = 0;
  for (d.FirstLineAddress(&a); a.IsValid() && steps < 64; d.NextLineAddress(&a), ++steps) {
    const char* file = nullptr;
    uint16_t first = 0, line = 0;
    d.AddressToLine(&a, &file, &first, &line);
    if (!file) abort();  // a line start has its line
    uint16_t back = line;
    CAddr found;
    d.LineToAddress(file, &back, &found);
    char* near = nullptr;
    d.AddressToNearestLine(&a, &near, &line);
    delete[] near;
    CAddr s, e;
    d.FunctionRange(&a, &s, &e);
    delete d.FindScope(&a);
    uint16_t* t = nullptr;
    int basic = 0;
    CAddr where;
    d.FindVariable("x", &t, &where, &basic, &a);
    delete t;
    char* name = nullptr;
    d.SymbolNameAt(&a, &name);
    delete[] name;
  }
  for (d.FirstFunction(&a); a.IsValid() && steps < 128; d.NextFunction(&a), ++steps)
    d.IsLanguageCode4Function(a);
  // Value texts of every type over a buffer of bytes from the input.
  uint8_t bytes[256] = {};
  for (size_t i = 0; i < sizeof bytes && i < size; ++i) bytes[i] = data[size - 1 - i];
  for (uint16_t type = 1; type < 80; ++type) {
    CString text;
    d.ValueText(bytes, &type, uint16_t(type * 3 % 257), text, 0);
    uint16_t* out = nullptr;
    int basic = 0;
    d.PointedType(&type, &out, &basic);
    delete out;
    out = nullptr;
    d.ElementType(&type, &out, &basic);
    delete out;
    out = nullptr;
    d.MemberLookup(&type, "a", &out, &basic);
    delete out;
  }
  d.IsTypeSymbolName("t");
  d.FindTypeByName("S");
  return 0;
}
