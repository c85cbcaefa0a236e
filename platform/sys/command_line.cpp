// Command lines split as the Windows C run-time does, and programs found
// on the search path.
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/sys/ini_document.h"
#include "platform/sys/path.h"
#include "platform/sys/process.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The program word: up to the next quote when quoted, else to a blank;
// backslashes are plain characters here.
size_t ProgramWord(const std::string& s, size_t i, std::string& out) {
  if (i < s.size() && s[i] == '"') {
    size_t end = s.find('"', i + 1);
    if (end == std::string::npos) end = s.size();
    out = s.substr(i + 1, end - i - 1);
    return end < s.size() ? end + 1 : end;
  }
  size_t end = i;
  while (end < s.size() && !IsBlank(s[end])) ++end;
  out = s.substr(i, end - i);
  return end;
}

// One argument: 2n backslashes and a quote give n backslashes and toggle
// quoting, 2n+1 give n backslashes and a quote; "" inside quotes is a quote.
size_t ArgumentWord(const std::string& s, size_t i, std::string& out) {
  bool quoted = false;
  out.clear();
  while (i < s.size() && (quoted || !IsBlank(s[i]))) {
    if (s[i] == '\\') {
      size_t n = 0;
      while (i < s.size() && s[i] == '\\') ++n, ++i;
      if (i < s.size() && s[i] == '"') {
        out.append(n / 2, '\\');
        if (n % 2) {
          out += '"';
          ++i;
        }
      } else {
        out.append(n, '\\');
      }
      continue;
    }
    if (s[i] == '"') {
      if (quoted && i + 1 < s.size() && s[i + 1] == '"') {
        out += '"';
        i += 2;
        continue;
      }
      quoted = !quoted;
      ++i;
      continue;
    }
    out += s[i++];
  }
  return i;
}

bool IsExecutableFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// The name itself, then without a trailing ".exe".
std::vector<std::string> NameForms(const std::string& name) {
  std::vector<std::string> forms{name};
  if (name.size() > 4 && plat::EqualNoCase(name.substr(name.size() - 4), ".exe"))
    forms.push_back(name.substr(0, name.size() - 4));
  return forms;
}

}  // namespace

namespace plat {

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  if (i >= commandLine.size()) return words;
  std::string word;
  i = ProgramWord(commandLine, i, word);
  words.push_back(word);
  for (;;) {
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    if (i >= commandLine.size()) break;
    i = ArgumentWord(commandLine, i, word);
    words.push_back(word);
  }
  return words;
}

std::string FindProgram(const std::string& name, const std::string& searchPath) {
  if (name.empty()) return "";
  std::string normal = NormalizeSeparators(name);
  if (normal.find('/') != std::string::npos) {
    for (const std::string& form : NameForms(normal))
      if (IsExecutableFile(form)) return form;
    return "";
  }
  size_t start = 0;
  for (;;) {
    size_t end = searchPath.find(':', start);
    std::string dir = searchPath.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (dir.empty()) dir = ".";
    for (const std::string& form : NameForms(normal)) {
      std::string candidate = dir + "/" + form;
      if (IsExecutableFile(candidate)) return candidate;
    }
    if (end == std::string::npos) return "";
    start = end + 1;
  }
}

}  // namespace plat
