#include "debugger/value_text_parse.h"

#include <cstring>

namespace {

bool ValueIsNumberChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || c == '+' || c == '-' || c == '.' || c == 'x' ||
         c == ':';
}

bool ValueIsNameChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool ValueIsNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }

class ValueTextReader {
 public:
  explicit ValueTextReader(const char* text) : m_p(text) {}

  ValueParseResult Read() {
    ValueParseResult result;
    Value(result.value, 0);
    result.errors = std::move(m_errors);
    return result;
  }

 private:
  void Error(const char* caption, const std::string& text) { m_errors.push_back({caption, text}); }

  // A quoted text from the opening quote; a backslash takes the next
  // character along.
  void Quoted(char quote) {
    ++m_p;
    while (*m_p && *m_p != quote) m_p += m_p[0] == '\\' && m_p[1] ? 2 : 1;
    if (*m_p == quote) ++m_p;
  }
  // Up to and with `close`, or to the end.
  void Through(char close) {
    while (*m_p && *m_p != close) ++m_p;
    if (*m_p == close) ++m_p;
  }
  void NumberRun() {
    while (ValueIsNumberChar(*m_p)) ++m_p;
  }
  // What may follow a number or a name after one blank.
  void Tails() {
    if (m_p[0] == ' ' && m_p[1] == '"') {
      ++m_p;
      Quoted('"');
    }
    if (m_p[0] == ' ' && m_p[1] == '\'') {
      ++m_p;
      Quoted('\'');
    }
    if (m_p[0] == ' ' && m_p[1] == '(') {
      ++m_p;
      Through(')');
    }
    if (m_p[0] == ' ' && m_p[1] == '<') {
      ++m_p;
      Through('>');
    }
  }

  // A name where a letter starts more than a number run would take.
  bool StartsName() const {
    if (!ValueIsNameStart(*m_p)) return false;
    const char* number = m_p;
    while (ValueIsNumberChar(*number)) ++number;
    const char* name = m_p;
    while (ValueIsNameChar(*name)) ++name;
    return name > number;
  }

  void Value(ParsedValue& v, int depth) {
    v.text = "<undef>";
    const char* start = m_p;
    if (depth > kValueTextMaxDepth) {
      Error("Error in ParseValue:", m_p);
      m_p += std::strlen(m_p);
      return;
    }
    const char c = *m_p;
    if (c == '"' || c == '\'') {
      // A string, possibly cut ("..."), or a character run ('a' <repeats 9 times>).
      Quoted(c);
      if (std::strncmp(m_p, "...", 3) == 0) m_p += 3;
      Tails();
    } else if (c == '(') {
      Through(')');
      if (*m_p) ++m_p;
      NumberRun();
      Tails();
    } else if (StartsName()) {
      while (ValueIsNameChar(*m_p)) ++m_p;
      Tails();
    } else if (c == '-' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')) {
      NumberRun();
      Tails();
    } else if (c == '<') {
      Through('>');
    } else if (c == '[') {
      ++m_p;
      while (ValueIsNumberChar(*m_p) && *m_p != ':') ++m_p;
      for (int skip = 0; skip < 2 && *m_p; ++skip) ++m_p;
      Members(v, depth, ']', "ParseBitfield");
      return;
    } else if (c == '{') {
      Aggregate(v, depth);
      return;
    } else {
      Error("Error in ParseValue:", m_p);
      return;
    }
    v.text.assign(start, size_t(m_p - start));
  }

  void Aggregate(ParsedValue& v, int depth) {
    ++m_p;
    if (*m_p == '}') {
      v.text = "<empty>";
      ++m_p;
      return;
    }
    v.text = "";
    const char* blank = std::strchr(m_p, ' ');
    const char* brace = std::strchr(m_p, '{');
    if (blank && (!brace || blank < brace) && blank[1] == '=')
      Members(v, depth, '}', "ParseStruct");
    else
      Elements(v, depth);
  }

  // After a member: ", " goes on, `close` ends; anything else is an error,
  // after which reading goes on at the next separator. False at the end.
  bool Separator(char close, const char* what, bool& more) {
    if (*m_p == ',') {
      ++m_p;
      if (*m_p == ' ') ++m_p;
      more = true;
      return true;
    }
    if (*m_p == close) {
      ++m_p;
      more = false;
      return true;
    }
    Error("Error", what);
    while (*m_p && *m_p != ',' && *m_p != close) ++m_p;
    if (!*m_p) return false;
    return Separator(close, what, more);
  }

  void Members(ParsedValue& v, int depth, char close, const char* what) {
    bool more = *m_p != '\0';
    while (more) {
      const char* blank = std::strchr(m_p, ' ');
      if (!blank) {
        Error("Error", what);
        m_p += std::strlen(m_p);
        return;
      }
      ParsedMember member;
      member.name.assign(m_p, size_t(blank - m_p));
      const char* valueBlank = std::strchr(blank + 1, ' ');
      m_p = valueBlank ? valueBlank + 1 : blank + 1 + std::strlen(blank + 1);
      Value(member.value, depth + 1);
      v.members.push_back(std::move(member));
      if (!*m_p || !Separator(close, what, more)) return;
    }
  }

  void Elements(ParsedValue& v, int depth) {
    bool more = *m_p != '\0';
    for (int i = 0; more; ++i) {
      ParsedMember element;
      element.name = "[" + std::to_string(i) + "]";
      Value(element.value, depth + 1);
      v.members.push_back(std::move(element));
      if (!*m_p || !Separator('}', "ParseArray", more)) return;
    }
  }

  const char* m_p;
  std::vector<ValueParseError> m_errors;
};

}  // namespace

ValueParseResult ParseValueText(const char* text) { return ValueTextReader(text ? text : "").Read(); }
