#include "app/core/number_text.h"

#include <string_view>

namespace {

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

DWORD HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return DWORD(c - '0');
  if (c >= 'a' && c <= 'f') return DWORD(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return DWORD(c - 'A' + 10);
  return 0;
}

// First character, second (when there is one) and last are hex digits.
bool HasNumberShape(std::string_view t) {
  if (t.empty() || !IsHexDigit(t.front())) return false;
  if (t.size() > 1 && !IsHexDigit(t[1])) return false;
  return IsHexDigit(t.back());
}

// Strips the markers "$", "0x" and a trailing "h" until the text has the
// shape of a number. False when no marker is left to strip.
bool StripMarkers(std::string_view& t, bool& hex) {
  while (!HasNumberShape(t)) {
    bool stripped = false;
    if (!t.empty() && t.front() == '$') {
      t.remove_prefix(1);
      hex = stripped = true;
    }
    if (t.size() >= 2 && t[0] == '0' && t[1] == 'x') {
      t.remove_prefix(2);
      hex = stripped = true;
    }
    if (!t.empty() && t.back() == 'h') {
      t.remove_suffix(1);
      hex = stripped = true;
    }
    if (!stripped) return false;
  }
  return true;
}

DWORD Accumulate(std::string_view t, bool hex) {
  DWORD value = 0;
  for (char c : t) {
    if (hex) {
      value = value * 16 + HexDigitValue(c);
    } else {
      value = value * 10 + ((c >= '0' && c <= '9') ? DWORD(c - '0') : 0);
    }
  }
  return value;
}

}  // namespace

DWORD ParseNumberText(const char* text) {
  if (!text) return 0;
  std::string_view t(text);
  size_t blank = t.find(' ');
  if (blank != std::string_view::npos) t = t.substr(0, blank);
  bool hex = false;
  if (!StripMarkers(t, hex)) return 0;
  return Accumulate(t, hex);
}
