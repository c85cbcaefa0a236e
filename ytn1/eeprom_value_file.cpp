#include "ytn1/eeprom_value_file.h"

#include <cstdio>
#include <vector>

namespace ytn1 {

std::string EepromFilePath(const std::string& chosen) {
  size_t nameStart = chosen.find_last_of("/\\");
  nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  size_t dot = chosen.find('.', nameStart);
  std::string base = (dot != std::string::npos && dot != nameStart) ? chosen.substr(0, dot) : chosen;
  return base + ".eep";
}

std::string FormatEepromFile(const std::string& header, const WORD* words, WORD count) {
  std::string text = header + "\r\n";
  char line[8];
  for (WORD i = 0; i < count; ++i) {
    std::snprintf(line, sizeof line, "%.4hX\r\n", (unsigned short)words[i]);
    text += line;
  }
  return text;
}

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  return lines;
}

// One to four hexadecimal digits, blanks around them allowed.
bool ParseWord(const std::string& line, WORD* out) {
  size_t b = line.find_first_not_of(" \t"), e = line.find_last_not_of(" \t");
  if (b == std::string::npos || e - b + 1 > 4) return false;
  unsigned v = 0;
  for (size_t i = b; i <= e; ++i) {
    char c = line[i];
    int d = c >= '0' && c <= '9'   ? c - '0'
            : c >= 'a' && c <= 'f' ? c - 'a' + 10
            : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                   : -1;
    if (d < 0) return false;
    v = v * 16 + unsigned(d);
  }
  *out = WORD(v);
  return true;
}

}  // namespace

EepromFileResult ParseEepromFile(const std::string& text, const std::string& header, WORD* words,
                                 WORD count) {
  std::vector<std::string> lines = SplitLines(text);
  if (lines.empty() || lines[0] != header) return kEepromWrongHeader;
  if (lines.size() - 1 != count) return kEepromWrongLineCount;
  std::vector<WORD> values(count);
  for (WORD i = 0; i < count; ++i)
    if (!ParseWord(lines[i + 1], &values[i])) return kEepromNotHex;
  for (WORD i = 0; i < count; ++i) words[i] = values[i];
  return kEepromOk;
}

}  // namespace ytn1
