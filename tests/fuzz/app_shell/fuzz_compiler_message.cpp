// Reads arbitrary build output line by line as each project kind reads a
// double-clicked line: a line that names a place names a file that is part
// of the line, and a line number that is written in it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/compiler_message.h"
#include "app/core/project_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  size_t start = 0;
  while (start <= bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(start, end - start);
    for (WORD kind : {WORD{0}, kProjectKindMake, kProjectKindPascal}) {
      CompilerMessageLocation where;
      if (!ParseCompilerMessage(line, kind, where)) continue;
      if (kind == 0) abort();
      if (line.find(where.file) == std::string::npos) abort();
      const long long number = where.line < 0 ? -static_cast<long long>(where.line) : where.line;
      if (line.find(std::to_string(number)) == std::string::npos) abort();
    }
    start = end + 1;
  }
  return 0;
}
