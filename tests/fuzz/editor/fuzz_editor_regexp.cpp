// A pattern and a text (split at the first NUL) for the regular expressions;
// a match must contain one of the strings the pattern requires.
#include <cstdlib>
#include <cstring>
#include <string>

#include "editor/literalscan.h"
#include "editor/regexp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  size_t cut = bytes.find('\0');
  std::string pattern = bytes.substr(0, cut);
  std::string text = cut == std::string::npos ? std::string("abc") : bytes.substr(cut + 1);
  text = text.substr(0, text.find('\0'));
  RegExp re;
  if (!re.Compile(pattern.c_str())) return 0;
  int at = re.Exec(text.c_str());
  if (at >= 0) {
    if (at > (int)text.size() || at + re.MatchLength() > (int)text.size()) std::abort();
    LiteralScan required;
    required.Set(re.RequiredStrings(), LiteralScan::Fold::kExact);
    if (!required.Empty() && required.Find(text.data() + at, re.MatchLength()) < 0) std::abort();
    char* out = re.Substitute("<&\\1\\9\\\\>");
    std::free(out);
    if (at < (int)text.size()) re.Exec(text.c_str(), at + 1);
  }
  return 0;
}
