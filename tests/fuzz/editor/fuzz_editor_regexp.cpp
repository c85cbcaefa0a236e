// A pattern and a text (split at the first NUL) for the regular expressions;
// a match must contain one of the strings the pattern requires. The rest,
// NULs and all, is scanned for those strings as a block of line texts,
// split with the side thread as a long one would be: it finds one on the
// line a single scan finds (for one string, the same one).
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "editor/literalscan.h"
#include "editor/regexp.h"
#include "editor/splitscan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  size_t cut = bytes.find('\0');
  std::string pattern = bytes.substr(0, cut);
  std::string text = cut == std::string::npos ? std::string("abc") : bytes.substr(cut + 1);
  text = text.substr(0, text.find('\0'));
  RegExp re;
  if (!re.Compile(pattern.c_str())) return 0;
  if (cut != std::string::npos) {
    std::string block = bytes.substr(cut + 1);
    LiteralScan scan;
    scan.Set(re.RequiredStrings(), LiteralScan::Fold::kExact);
    if (!scan.Empty()) {
      constexpr SplitScanSizes kSmall{32, 8};
      long one = scan.Find(block.data(), block.size());
      long split = SplitScanFind(scan, block.data(), block.size(), kSmall);
      auto line = [&block](long at) {
        return at < 0 ? -1L : (long)std::count(block.begin(), block.begin() + at, '\0');
      };
      if (re.RequiredStrings().size() == 1 ? split != one : line(split) != line(one)) std::abort();
    }
  }
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
