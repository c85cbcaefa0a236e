// Reads key=value lines from arbitrary bytes until the reader stops.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/core/keyvalue_file.h"
#include "platform/sys/file.h"
#include "tests/fuzz/app_core/fuzz_input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = FuzzInputFile("kv.txt", data, size);
  HANDLE file = CreateFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  size_t taken = 0;
  char* key = nullptr;
  char* value = nullptr;
  while (ReadKeyValueLine(file, &key, &value) == kKeyValueLine) {
    size_t k = strlen(key), v = strlen(value);
    if (k > kKeyValueMaxLength || v > kKeyValueMaxLength) abort();
    taken += k + v;
    if (taken > size) abort();
    free(key);
    free(value);
  }
  CloseHandle(file);
  return 0;
}
