#include "platform/sys/ini_document.h"

namespace plat {

std::string IniDocument::Trim(std::string_view s) {
  size_t a = s.find_first_not_of(" \t");
  if (a == std::string_view::npos) return "";
  size_t b = s.find_last_not_of(" \t");
  return std::string(s.substr(a, b - a + 1));
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  std::string cur;
  bool pending = false;
  for (size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == '\r' || c == '\n') {
      doc.m_lines.push_back(cur);
      cur.clear();
      pending = false;
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      cur += c;
      pending = true;
    }
  }
  if (pending) doc.m_lines.push_back(cur);
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (const std::string& line : m_lines) out += line + "\r\n";
  return out;
}

std::optional<std::string> IniDocument::SectionHeaderName(const std::string& line) {
  std::string t = Trim(line);
  if (t.empty() || t[0] != '[') return std::nullopt;
  size_t close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(std::string_view(t).substr(1, close - 1));
}

bool IniDocument::SplitEntry(const std::string& line, std::string& key, std::string& rest) {
  std::string t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return false;
  size_t eq = t.find('=');
  if (eq == std::string::npos) {
    key = t;
    rest.clear();
  } else {
    key = Trim(std::string_view(t).substr(0, eq));
    rest = t.substr(eq + 1);
  }
  return true;
}

bool IniDocument::IsListed(const std::string& line, std::string& key, std::string& rest) {
  return SplitEntry(line, key, rest) && !key.empty() && line.find('=') != std::string::npos;
}

std::optional<IniDocument::Span> IniDocument::FindSection(std::string_view section) const {
  for (size_t i = 0; i < m_lines.size(); ++i) {
    auto name = SectionHeaderName(m_lines[i]);
    if (!name || !EqualNoCase(*name, Trim(section))) continue;
    size_t end = i + 1;
    while (end < m_lines.size() && !SectionHeaderName(m_lines[end])) ++end;
    return Span{i, end};
  }
  return std::nullopt;
}

size_t IniDocument::LastEntryLine(const Span& span) const {
  size_t last = span.header;
  std::string key, rest;
  for (size_t i = span.header + 1; i < span.end; ++i)
    if (SplitEntry(m_lines[i], key, rest)) last = i;
  return last;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const std::string& line : m_lines) {
    auto name = SectionHeaderName(line);
    if (!name) continue;
    bool seen = false;
    for (const auto& n : names) seen = seen || EqualNoCase(n, *name);
    if (!seen) names.push_back(*name);
  }
  return names;
}

bool IniDocument::HasSection(std::string_view section) const { return FindSection(section).has_value(); }

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> keys;
  auto span = FindSection(section);
  if (!span) return keys;
  std::string key, rest;
  for (size_t i = span->header + 1; i < span->end; ++i)
    if (IsListed(m_lines[i], key, rest)) keys.push_back(key);
  return keys;
}

std::vector<std::string> IniDocument::EntryLines(std::string_view section) const {
  std::vector<std::string> lines;
  auto span = FindSection(section);
  if (!span) return lines;
  std::string key, rest;
  for (size_t i = span->header + 1; i < span->end; ++i)
    if (IsListed(m_lines[i], key, rest)) lines.push_back(key + "=" + Trim(rest));
  return lines;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
  auto span = FindSection(section);
  if (!span) return std::nullopt;
  std::string want = Trim(key), k, rest;
  for (size_t i = span->header + 1; i < span->end; ++i) {
    if (!SplitEntry(m_lines[i], k, rest) || !EqualNoCase(k, want)) continue;
    std::string v = Trim(rest);
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
    return v;
  }
  return std::nullopt;
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  std::string want = Trim(key);
  std::string line = want + "=" + std::string(value);
  auto span = FindSection(section);
  if (!span) {
    m_lines.push_back("[" + Trim(section) + "]");
    m_lines.push_back(line);
    return;
  }
  std::string k, rest;
  for (size_t i = span->header + 1; i < span->end; ++i) {
    if (SplitEntry(m_lines[i], k, rest) && EqualNoCase(k, want)) {
      m_lines[i] = k + "=" + std::string(value);
      return;
    }
  }
  m_lines.insert(m_lines.begin() + static_cast<long>(LastEntryLine(*span) + 1), line);
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
  auto span = FindSection(section);
  if (!span) return false;
  std::string want = Trim(key), k, rest;
  bool removed = false;
  for (size_t i = span->end; i-- > span->header + 1;) {
    if (SplitEntry(m_lines[i], k, rest) && EqualNoCase(k, want)) {
      m_lines.erase(m_lines.begin() + static_cast<long>(i));
      removed = true;
    }
  }
  return removed;
}

bool IniDocument::DeleteSection(std::string_view section) {
  bool removed = false;
  while (auto span = FindSection(section)) {
    m_lines.erase(m_lines.begin() + static_cast<long>(span->header),
                  m_lines.begin() + static_cast<long>(span->end));
    removed = true;
  }
  return removed;
}

void IniDocument::ReplaceSection(std::string_view section, const std::vector<std::string>& lines) {
  auto span = FindSection(section);
  if (!span) {
    m_lines.push_back("[" + Trim(section) + "]");
    m_lines.insert(m_lines.end(), lines.begin(), lines.end());
    return;
  }
  // Comments and blank lines after the last entry stay where they are.
  size_t last = LastEntryLine(*span);
  m_lines.erase(m_lines.begin() + static_cast<long>(span->header + 1),
                m_lines.begin() + static_cast<long>(last + 1));
  m_lines.insert(m_lines.begin() + static_cast<long>(span->header + 1), lines.begin(), lines.end());
}

}  // namespace plat
