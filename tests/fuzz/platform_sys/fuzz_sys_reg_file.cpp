// The registry store's file reader: any bytes are read without harm, and
// what it keeps is written and read back unchanged and without complaint.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/sys/reg_file_format.h"

using namespace plat::regfile;

static bool Same(const std::vector<Key>& a, const std::vector<Key>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].path != b[i].path || a[i].values.size() != b[i].values.size()) return false;
    for (size_t j = 0; j < a[i].values.size(); ++j) {
      const Value &x = a[i].values[j], &y = b[i].values[j];
      if (x.name != y.name || x.type != y.type || x.data != y.data) return false;
    }
  }
  return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ParseResult first = Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  ParseResult second = Parse(Format(first.keys));
  if (!second.errors.empty() || !Same(first.keys, second.keys)) std::abort();
  return 0;
}
