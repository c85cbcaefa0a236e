// The fuzz input as a file, since the readers take file handles and paths.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>

inline std::string FuzzInputFile(const char* name, const uint8_t* data, size_t size) {
  static const std::string dir = [] {
    char tmpl[] = "/tmp/mirt-fuzz-XXXXXX";
    const char* made = mkdtemp(tmpl);
    return std::string(made ? made : "/tmp");
  }();
  std::string path = dir + "/" + name;
  FILE* f = fopen(path.c_str(), "wb");
  if (f) {
    fwrite(data, 1, size, f);
    fclose(f);
  }
  return path;
}
