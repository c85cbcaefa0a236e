#include "platform/sys/wildcard.h"

#include <cctype>
#include <string>

namespace plat {

namespace {

bool SameChar(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// Iterative matcher with one back-tracking point per "*".
bool Match(std::string_view p, std::string_view n) {
  size_t pi = 0, ni = 0, star = std::string_view::npos, mark = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || (p[pi] != '*' && SameChar(p[pi], n[ni])))) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = ni;
    } else if (star != std::string_view::npos) {
      pi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  // Trailing blanks and dots are dropped, as Windows drops them from names;
  // a dropped dot after the name ("x.", "*.") asks for no extension.
  bool noExtension = false;
  if (pattern != "." && pattern != "..") {
    while (!pattern.empty() && (pattern.back() == ' ' || pattern.back() == '.')) {
      noExtension = noExtension || pattern.back() == '.';
      pattern.remove_suffix(1);
    }
    noExtension = noExtension && pattern.find('.') == std::string_view::npos;
  }
  if (noExtension) {
    if (name.find('.') != std::string_view::npos && name != "." && name != "..") return false;
    return Match(pattern, name);
  }
  if (pattern == "*.*" || pattern == "*") return true;
  if (Match(pattern, name)) return true;
  // "x*.*" also matches "x" (no dot), as on Windows.
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos)
    return Match(pattern.substr(0, pattern.size() - 2), name);
  return false;
}

}  // namespace plat
