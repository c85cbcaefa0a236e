// The lines of a fuzz input (CR LF or LF endings).
#pragma once
#include <string>
#include <vector>

inline std::vector<std::string> InsFuzzLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i)
    if (i == text.size() || text[i] == '\n') {
      std::string line = text.substr(start, i - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      start = i + 1;
    }
  return lines;
}
