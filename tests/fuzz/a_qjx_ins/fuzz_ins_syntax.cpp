// Installation files: any text, line by line through the syntax pass.
#include <cstddef>
#include <cstdint>
#include <string>

#include "a_qjx/ins_interpreter.h"
#include "tests/fuzz/a_qjx_ins/ins_fuzz_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InsInterpreter interpreter(0);
  CString help, answer, result;
  for (const std::string& line : InsFuzzLines(std::string(reinterpret_cast<const char*>(data), size))) {
    interpreter.ParseLine(line.c_str(), FALSE, help, answer, result);
    interpreter.ParseCmd(line.c_str(), FALSE, help, answer, result);
  }
  return 0;
}
