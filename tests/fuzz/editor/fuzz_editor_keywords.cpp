// Any bytes as a keyword file, then keyword spans of a line.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "editor/editbuffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  size_t cut = bytes.find("\n--\n");
  std::string line = cut == std::string::npos ? "int x = MAX_VALUE; return x;" : bytes.substr(cut + 4);
  std::string file = cut == std::string::npos ? bytes : bytes.substr(0, cut);
  std::string path = "/tmp/mirt_fuzz_" + std::to_string(getpid()) + "_kw.ini";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) std::abort();
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
  for (BOOL matchCase : {FALSE, TRUE}) {
    EditBuffer buffer;
    buffer.m_bCase = matchCase;
    buffer.m_strKeywordFile = path.c_str();
    buffer.LoadKeywordFile();
    std::string text = line.substr(0, line.find('\0'));
    const char* pos = text.c_str();
    int start = 0, end = 0;
    while (buffer.NextKeywordSpan(&pos, &start, &end)) {
      if (end <= start) std::abort();
      pos += end - start;
    }
  }
  std::remove(path.c_str());
  return 0;
}
