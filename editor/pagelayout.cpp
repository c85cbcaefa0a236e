#include "editor/pagelayout.h"

#include <string>

namespace {

int RowsOf(const PrintLine& line, int charsPerRow) {
  if (line.contentLength <= charsPerRow) return 1;
  return (line.contentLength + charsPerRow - 1) / charsPerRow;
}

void ReplaceFirst(std::string& text, const char* code, const std::string& by) {
  size_t at = text.find(code);
  if (at != std::string::npos) text.replace(at, 2, by);
}

}  // namespace

std::vector<int> ComputePageStarts(const std::vector<PrintLine>& lines, int charsPerRow, int rowsPerPage) {
  std::vector<int> starts;
  if (lines.empty()) return starts;
  starts.push_back(lines.front().number);
  if (charsPerRow < 1 || rowsPerPage < 1) return starts;
  int used = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    int rows = RowsOf(lines[i], charsPerRow);
    if (used > 0 && used + rows > rowsPerPage && lines[i].mayStartPage) {
      // The line starts the next page.
      starts.push_back(lines[i].number);
      used = 0;
    }
    // A line taller than a page gets a page of its own.
    used += rows;
    if (used >= rowsPerPage && i + 1 < lines.size() && lines[i + 1].mayStartPage) {
      starts.push_back(lines[i + 1].number);
      used = 0;
    }
  }
  return starts;
}

CString FormatPageText(const CString& pattern, const char* fileName, int page, std::time_t when) {
  std::string text(static_cast<LPCSTR>(pattern), pattern.GetLength());
  ReplaceFirst(text, "&p", std::to_string(page));
  ReplaceFirst(text, "&f", fileName ? fileName : "");
  if (text.empty()) return CString();
  std::tm local{};
  localtime_r(&when, &local);
  std::string out(text.size() * 4 + 256, '\0');
  size_t n = std::strftime(out.data(), out.size(), text.c_str(), &local);
  if (n == 0) return CString(text.c_str());
  out.resize(n);
  return CString(out.c_str());
}
