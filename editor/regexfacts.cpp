#include "editor/regexfacts.h"

#include <algorithm>

namespace {

void Dedupe(std::vector<std::string>& v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
}

size_t Shortest(const std::vector<std::string>& v) {
  size_t n = v.empty() ? 0 : v[0].size();
  for (const std::string& s : v) n = std::min(n, s.size());
  return n;
}

// The better of two required sets: longer shortest string, then fewer strings.
const std::vector<std::string>& Better(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  size_t la = Shortest(a), lb = Shortest(b);
  if (la != lb) return la > lb ? a : b;
  return b.size() < a.size() ? b : a;
}

}  // namespace

RegexFacts RegexFacts::Literal(const char* s, size_t n) {
  RegexFacts f;
  f.strings = {std::string(s, n)};
  f.nullable = n == 0;
  if (n > 0) f.first.set(static_cast<unsigned char>(s[0]));
  return f;
}

RegexFacts RegexFacts::Set(const std::bitset<256>& bytes) {
  RegexFacts f;
  f.nullable = false;
  f.strings.clear();
  for (int c = 1; c < 256; ++c) {
    if (!bytes[c]) continue;
    f.first.set(c);
    f.strings.push_back(std::string(1, static_cast<char>(c)));
  }
  if (f.strings.size() > 4) {
    f.exact = false;
    f.strings.clear();
  }
  return f;
}

RegexFacts RegexFacts::EndOfText() {
  RegexFacts f;  // matches the empty string, but only at the end
  f.nullable = false;
  f.first.set(kEnd);
  return f;
}

std::vector<std::string> RegexFacts::Required() const {
  if (!exact) return required;
  for (const std::string& s : strings) {
    if (s.empty()) return {};
  }
  return strings;
}

void RegexFacts::Then(const RegexFacts& next) {
  if (nullable) first |= next.first;
  nullable = nullable && next.nullable;
  if (exact && next.exact && strings.size() * next.strings.size() <= kMaxStrings) {
    std::vector<std::string> joined;
    for (const std::string& a : strings) {
      for (const std::string& b : next.strings) joined.push_back(a + b);
    }
    Dedupe(joined);
    strings = std::move(joined);
    return;
  }
  required = Better(Required(), next.Required());
  exact = false;
  strings.clear();
}

void RegexFacts::Or(const RegexFacts& other) {
  first |= other.first;
  nullable = nullable || other.nullable;
  if (exact && other.exact && strings.size() + other.strings.size() <= kMaxStrings) {
    strings.insert(strings.end(), other.strings.begin(), other.strings.end());
    Dedupe(strings);
    return;
  }
  std::vector<std::string> a = Required(), b = other.Required();
  required.clear();
  if (!a.empty() && !b.empty() && a.size() + b.size() <= kMaxStrings) {
    required = std::move(a);
    required.insert(required.end(), b.begin(), b.end());
    Dedupe(required);
  }
  exact = false;
  strings.clear();
}

void RegexFacts::Repeated(Repeat how) {
  if (how != Repeat::kOneOrMore) nullable = true;
  if (how == Repeat::kZeroOrOne && exact && strings.size() < kMaxStrings) {
    strings.push_back(std::string());
    Dedupe(strings);
    return;
  }
  required = how == Repeat::kOneOrMore ? Required() : std::vector<std::string>();
  exact = false;
  strings.clear();
}
