#include "app/compiler_message.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "app/core/project_data.h"

namespace {

constexpr const char* kCompilerMsgErrorWord = "Error";
constexpr const char* kCompilerMsgWarningWord = "Warning";
constexpr const char* kCompilerMsgGccWarning = "warning";

// A decimal integer with leading blanks and a sign; false without digits.
bool CompilerMsgReadNumber(const std::string& text, int& value) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  long n = std::strtol(begin, &end, 10);
  if (end == begin || errno == ERANGE || n > INT_MAX || n < INT_MIN) return false;
  value = static_cast<int>(n);
  return true;
}

// Borland: "Error main.c 12: text", the file starting at `skip`.
bool CompilerMsgBorland(const std::string& line, size_t skip, CompilerMessageLocation& out) {
  if (line.size() < skip) return false;
  size_t blank = line.find(' ', skip);
  out.file = line.substr(skip, blank == std::string::npos ? std::string::npos : blank - skip);
  if (blank == std::string::npos) return false;
  size_t colon = line.find(':', blank + 1);
  std::string number =
      line.substr(blank + 1, colon == std::string::npos ? std::string::npos : colon - blank - 1);
  return CompilerMsgReadNumber(number, out.line);
}

// gcc: "main.c:15: text".
bool CompilerMsgGcc(const std::string& line, CompilerMessageLocation& out) {
  size_t colon = line.find(':');
  out.file = line.substr(0, colon);
  if (colon == std::string::npos) return false;
  size_t next = line.find(':', colon + 1);
  std::string number =
      line.substr(colon + 1, next == std::string::npos ? std::string::npos : next - colon - 1);
  return CompilerMsgReadNumber(number, out.line);
}

// Pascal: "demo.pas(12): Error 3: text".
bool CompilerMsgPascal(const std::string& line, CompilerMessageLocation& out) {
  if (line.size() < 2 || line.find(kCompilerMsgErrorWord, 1) == std::string::npos) return false;
  size_t open = line.find('(');
  out.file = line.substr(0, open);
  if (open == std::string::npos) return false;
  size_t close = line.find(')', open + 1);
  std::string number =
      line.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
  return CompilerMsgReadNumber(number, out.line);
}

bool CompilerMsgStartsWith(const std::string& line, const char* word) { return line.rfind(word, 0) == 0; }

}  // namespace

bool ParseCompilerMessage(const std::string& line, WORD projectKind, CompilerMessageLocation& out) {
  out = CompilerMessageLocation();
  if (projectKind == kProjectKindPascal) return CompilerMsgPascal(line, out);
  if (projectKind != kProjectKindMake) return false;
  if (CompilerMsgStartsWith(line, kCompilerMsgErrorWord)) return CompilerMsgBorland(line, 6, out);
  if (CompilerMsgStartsWith(line, kCompilerMsgWarningWord)) return CompilerMsgBorland(line, 8, out);
  if (line.find(kCompilerMsgGccWarning) != std::string::npos) return CompilerMsgGcc(line, out);
  size_t colon = line.find(':');
  if (colon != std::string::npos && colon + 1 < line.size() && line[colon + 1] >= '0' &&
      line[colon + 1] <= '9')
    return CompilerMsgGcc(line, out);
  return false;
}
