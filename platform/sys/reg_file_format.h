// The text format of the registry store: the Windows registry-export
// format ("REGEDIT4"). Keys in brackets, then their values:
//   "Name"="text"        string (REG_SZ)
//   @="text"             the key's default value
//   "N"=dword:0000000a   32-bit number
//   "B"=hex:01,02        binary; hex(2): expandable string, hex(7): string
//                        list, hex(N): any other type, raw bytes
// Long hex lists continue on the next line after a trailing "\".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plat::regfile {

struct Value {
  std::string name;  // "" for the default value
  uint32_t type = 0;
  std::string data;  // raw bytes, as RegQueryValueEx gives them
};

struct Key {
  std::string path;  // full path with "\" separators, e.g. "HKEY_CURRENT_USER\Software"
  std::vector<Value> values;
};

struct ParseResult {
  std::vector<Key> keys;
  std::vector<std::string> errors;  // "line N: why", one per rejected line
};

// Reads a whole file. Bad lines are reported and skipped; the rest is kept.
ParseResult Parse(std::string_view text);

// Writes keys in the given order, with CR LF line ends.
std::string Format(const std::vector<Key>& keys);

}  // namespace plat::regfile
