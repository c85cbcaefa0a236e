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
#include "tests/debugger/eval_program.h"

namespace {

struct Program {
  fixture::FakeTarget target;
  CDebugInterpBorland* interp = nullptr;
  CEvalBorland eval;
  CEval8086Regs regs;

  Program() {
    std::string bytes = fixture::EvalProgram().Write();
    int ok = 0;
    interp = new CDebugInterpBorland(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &ok,
                                     fixture::kEvalLoadSegment);
    fixture::PutEvalValues(target);
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
