// Evaluates arbitrary text as a watch expression, and writes through it,
// over a fixed program and target memory.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "debugger/debug_interp_borland.h"
#include "tests/fuzz/app_core/quiet_boxes.h"
#include "debugger/eval_8086regs.h"
#include "debugger/eval_borland.h"
#include "debugger/session_globals.h"
#include "tests/debugger/borland_fixture.h"
#include "tests/debugger/fake_target.h"

namespace {

struct Program {
  fixture::FakeTarget target;
  CDebugInterpBorland* interp = nullptr;
  CEvalBorland eval;
  CEval8086Regs regs;

  Program() {
    fixture::BorlandExe x;
    uint16_t seg = x.AddSegment(x.AddModule("m"), 0x10, 0, 0x40);
    x.AddLines(seg, "e.c", {{1, 0}, {2, 0x10}});
    uint32_t s = x.AddType(0x1E, "S", 6, x.AddMembers({{"a", 5}, {"b", 6}}));
    uint32_t ps = x.AddType(0x16, "", 4, s);
    uint32_t arr = x.AddType(0x1A, "", 6, 5);
    x.AddSymbol("i", 5, 0x20, 0x00);
    x.AddSymbol("l", 6, 0x20, 0x02);
    x.AddSymbol("f", 15, 0x20, 0x08);
    x.AddSymbol("s", s, 0x20, 0x10);
    x.AddSymbol("p", ps, 0x20, 0x20);
    x.AddSymbol("arr", arr, 0x20, 0x30);
    x.AddScope(seg, 0, 0, 0x20, {{"loc", 9, 0, 0xFFFE, 2}});
    x.AddSymbol("T", 9, 0, 0);
    std::string bytes = x.Write();
    int ok = 0;
    interp =
        new CDebugInterpBorland(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &ok, 0x1000);
    target.Put<uint32_t>(0x10220, 0x10200010);
    g_pDebugInterp = interp;
    g_pDebugAccess = &target;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QuietBoxes();
  static Program program;
  std::string text(reinterpret_cast<const char*>(data), size);
  CAddr at(0x1010, 0x05);
  for (CEval* e : {static_cast<CEval*>(&program.eval), static_cast<CEval*>(&program.regs)}) {
    uint16_t* type = nullptr;
    uint8_t* bytes = nullptr;
    uint32_t n = 0;
    int basic = 0;
    e->Evaluate(text.c_str(), &type, &bytes, &n, &basic, &at);
    if (bytes && !type) abort();               // a value always has a type
    if (e == &program.regs && bytes) abort();  // the register evaluator has no values
    if (bytes) {
      CString shown;
      program.interp->ValueText(bytes, type, uint16_t(n), shown, basic);
    }
    delete type;
    delete[] bytes;
  }
  if (size && data[0] == 'w') program.eval.Write(text.c_str() + 1, &at, 1.5);
  return 0;
}
