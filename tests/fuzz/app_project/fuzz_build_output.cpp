// Feeds arbitrary bytes, cut into chunks by the first byte, to the compile
// detection of a build's output: the verdict only depends on the last TAB
// or compiler name, and feeding the same chunks twice gives the same one.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/compile_detector.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t chunk = 1 + data[0] % 64;
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  CCompileDetector first, second;
  for (size_t at = 0; at < text.size(); at += chunk) {
    std::string piece = text.substr(at, chunk);
    first.Feed(piece.data(), piece.size());
    second.Feed(piece.data(), piece.size());
  }
  if (first.Compiled() != second.Compiled()) abort();
  // Output without a TAB and without a compiler's name never counts as a compile.
  if (text.find('\t') == std::string::npos && text.find("xscale-elf-g") == std::string::npos &&
      first.Compiled())
    abort();
  return 0;
}
