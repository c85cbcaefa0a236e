#include "platform/sys/reg_file_format.h"

#include <cstdio>

namespace plat::regfile {

namespace {

constexpr uint32_t kSz = 1, kBinary = 3, kDword = 4;

struct Line {
  int number;
  std::string text;
};

// Splits at CR LF, LF or CR and joins hex lists continued with a trailing "\".
std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> raw;
  std::string cur;
  int number = 1;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      raw.push_back({number++, cur});
      cur.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) raw.push_back({number, cur});

  std::vector<Line> out;
  for (size_t i = 0; i < raw.size(); ++i) {
    Line line = raw[i];
    bool isValue = !line.text.empty() && (line.text[0] == '"' || line.text[0] == '@');
    while (isValue && !line.text.empty() && line.text.back() == '\\' && i + 1 < raw.size()) {
      line.text.pop_back();
      std::string next = raw[++i].text;
      size_t lead = next.find_first_not_of(" \t");
      line.text += lead == std::string::npos ? "" : next.substr(lead);
    }
    out.push_back(std::move(line));
  }
  return out;
}

// A quoted text starting at s[pos] == '"'; pos ends after the closing quote.
bool ReadQuoted(const std::string& s, size_t& pos, std::string& out) {
  out.clear();
  ++pos;
  while (pos < s.size()) {
    char c = s[pos++];
    if (c == '"') return true;
    if (c == '\\' && pos < s.size()) {
      char e = s[pos++];
      out += e == 'n' ? '\n' : e == 'r' ? '\r' : e;
    } else {
      out += c;
    }
  }
  return false;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ReadHexList(std::string_view s, std::string& out) {
  out.clear();
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  };
  skipBlanks();
  if (i == s.size()) return true;
  for (;;) {
    skipBlanks();
    int hi = i < s.size() ? HexDigit(s[i]) : -1;
    if (hi < 0) return false;
    int value = hi;
    ++i;
    if (i < s.size() && HexDigit(s[i]) >= 0) value = value * 16 + HexDigit(s[i++]);
    out += static_cast<char>(value);
    skipBlanks();
    if (i == s.size()) return true;
    if (s[i] != ',') return false;
    ++i;
    skipBlanks();
    if (i == s.size()) return true;  // a trailing comma is tolerated
  }
}

bool ReadData(std::string_view s, Value& v) {
  if (!s.empty() && s[0] == '"') {
    std::string text(s);
    size_t pos = 0;
    std::string str;
    if (!ReadQuoted(text, pos, str)) return false;
    if (text.find_first_not_of(" \t", pos) != std::string::npos) return false;
    v.type = kSz;
    v.data = str + '\0';
    return true;
  }
  if (s.substr(0, 6) == "dword:") {
    std::string_view digits = s.substr(6);
    while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t')) digits.remove_suffix(1);
    if (digits.empty() || digits.size() > 8) return false;
    uint32_t n = 0;
    for (char c : digits) {
      if (HexDigit(c) < 0) return false;
      n = n * 16 + static_cast<uint32_t>(HexDigit(c));
    }
    v.type = kDword;
    v.data.assign({static_cast<char>(n & 0xff), static_cast<char>((n >> 8) & 0xff),
                   static_cast<char>((n >> 16) & 0xff), static_cast<char>(n >> 24)});
    return true;
  }
  if (s.substr(0, 4) == "hex:") {
    v.type = kBinary;
    return ReadHexList(s.substr(4), v.data);
  }
  if (s.substr(0, 4) == "hex(") {
    size_t close = s.find(')');
    if (close == std::string_view::npos || close == 4 || close > 12 || s.substr(close, 2) != "):")
      return false;
    uint32_t type = 0;
    for (char c : s.substr(4, close - 4)) {
      if (HexDigit(c) < 0) return false;
      type = type * 16 + static_cast<uint32_t>(HexDigit(c));
    }
    v.type = type;
    return ReadHexList(s.substr(close + 2), v.data);
  }
  return false;
}

// One value line; returns an error text or "" on success.
std::string ReadValueLine(const std::string& s, Value& v) {
  size_t pos = 0;
  if (s[0] == '@') {
    v.name.clear();
    pos = 1;
  } else if (!ReadQuoted(s, pos, v.name)) {
    return "unterminated value name";
  }
  while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
  if (pos >= s.size() || s[pos] != '=') return "missing \"=\" after the value name";
  ++pos;
  while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
  if (!ReadData(std::string_view(s).substr(pos), v)) return "unreadable value data";
  return "";
}

std::string Trimmed(const std::string& s) {
  size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  size_t b = s.find_last_not_of(" \t");
  return s.substr(a, b - a + 1);
}

}  // namespace

ParseResult Parse(std::string_view text) {
  ParseResult r;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  bool sawHeader = false;
  Key* current = nullptr;
  bool skippingKey = false;
  for (const Line& line : SplitLines(text)) {
    std::string s = Trimmed(line.text);
    auto error = [&](const std::string& why) {
      r.errors.push_back("line " + std::to_string(line.number) + ": " + why);
    };
    if (s.empty() || s[0] == ';' || s[0] == '#') continue;
    if (!sawHeader) {
      sawHeader = true;
      if (s == "REGEDIT4" || s == "Windows Registry Editor Version 5.00") continue;
      error("missing \"REGEDIT4\" header");
    }
    if (s[0] == '[') {
      size_t close = s.rfind(']');
      std::string path = close == std::string::npos ? "" : s.substr(1, close - 1);
      if (close != s.size() - 1 || path.empty() || path[0] == '-' || path[0] == '\\') {
        error("bad key line");
        current = nullptr;
        skippingKey = true;
        continue;
      }
      r.keys.push_back({path, {}});
      current = &r.keys.back();
      skippingKey = false;
      continue;
    }
    if (s[0] == '"' || s[0] == '@') {
      if (!current) {
        if (!skippingKey) error("value outside of any key");
        continue;
      }
      Value v;
      std::string why = ReadValueLine(s, v);
      if (!why.empty()) {
        error(why);
        continue;
      }
      current->values.push_back(std::move(v));
      continue;
    }
    error("unrecognised line");
  }
  return r;
}

namespace {

std::string Quote(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// Data that reads back the same from a quoted string: text, one final NUL.
bool IsPlainText(const std::string& data) {
  if (data.empty() || data.back() != '\0') return false;
  for (size_t i = 0; i + 1 < data.size(); ++i) {
    char c = data[i];
    if (c == '\0' || c == '\r' || c == '\n') return false;
  }
  return true;
}

void AppendHex(std::string& out, size_t prefixLength, const std::string& data) {
  static const char digits[] = "0123456789abcdef";
  size_t column = prefixLength;
  for (size_t i = 0; i < data.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(data[i]);
    out += digits[b >> 4];
    out += digits[b & 15];
    column += 2;
    if (i + 1 < data.size()) {
      out += ',';
      ++column;
      if (column > 75) {
        out += "\\\r\n  ";
        column = 2;
      }
    }
  }
}

std::string FormatValue(const Value& v) {
  std::string line = v.name.empty() ? "@" : Quote(v.name);
  line += '=';
  if (v.type == kSz && IsPlainText(v.data)) {
    return line + Quote(v.data.substr(0, v.data.size() - 1));
  }
  if (v.type == kDword && v.data.size() == 4) {
    uint32_t n = 0;
    for (int i = 3; i >= 0; --i) n = n * 256 + static_cast<unsigned char>(v.data[i]);
    char buf[16];
    std::snprintf(buf, sizeof buf, "dword:%08x", n);
    return line + buf;
  }
  if (v.type == kBinary) {
    line += "hex:";
  } else {
    char buf[24];
    std::snprintf(buf, sizeof buf, "hex(%x):", v.type);
    line += buf;
  }
  AppendHex(line, line.size(), v.data);
  return line;
}

}  // namespace

std::string Format(const std::vector<Key>& keys) {
  std::string out = "REGEDIT4\r\n";
  for (const Key& k : keys) {
    out += "\r\n[" + k.path + "]\r\n";
    for (const Value& v : k.values) out += FormatValue(v) + "\r\n";
  }
  return out;
}

}  // namespace plat::regfile
