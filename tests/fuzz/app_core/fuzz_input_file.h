// The fuzz input as a file, since the readers take file handles and paths.
// The files live in one scratch folder that goes when the run ends.
#pragma once

#include <cstdio>
#include <string>

#include "tests/support/scratch_dir.h"

inline std::string FuzzInputFile(const char* name, const uint8_t* data, size_t size) {
  static const mirt_test::ScratchDir dir("mirt-fuzz");
  std::string path = (dir.Path().empty() ? std::string("/tmp") : dir.Path()) + "/" + name;
  FILE* f = fopen(path.c_str(), "wb");
  if (f) {
    fwrite(data, 1, size, f);
    fclose(f);
  }
  return path;
}
