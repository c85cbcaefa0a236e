// What the syntax of a regular expression tells about its matches, worked
// out piece by piece while it is compiled: the strings one of which every
// match contains, and the bytes a match can start with. Searches use them
// to pass over text that can not match.
#pragma once

#include <bitset>
#include <string>
#include <vector>

struct RegexFacts {
  static constexpr size_t kMaxStrings = 16;  // larger string sets are dropped
  static constexpr int kEnd = 256;           // in `first`: an empty match at the end of the text

  // Every string the piece can match, when they are few (`exact` false: unknown).
  bool exact = true;
  std::vector<std::string> strings{std::string()};
  // When not exact: every match contains one of these (empty: nothing known).
  std::vector<std::string> required;
  // Bytes a match can start with; nullable: it may match the empty string.
  std::bitset<257> first;
  bool nullable = true;

  static RegexFacts Empty() { return {}; }
  static RegexFacts Literal(const char* s, size_t n);
  static RegexFacts Set(const std::bitset<256>& bytes);
  static RegexFacts EndOfText();

  // This piece followed by `next`; one of the two.
  void Then(const RegexFacts& next);
  void Or(const RegexFacts& other);
  enum class Repeat { kZeroOrOne, kZeroOrMore, kOneOrMore };
  void Repeated(Repeat how);

  // The strings one of which every match contains; empty when a match can
  // do without any (or too little is known).
  std::vector<std::string> Required() const;
};
