#include <gtest/gtest.h>

#include <string>

#include "debugger/value_text_parse.h"

namespace {

// The value as one text: "text" or "text{name=...,name=...}".
std::string ValueShape(const ParsedValue& v) {
  std::string s = v.text;
  if (v.members.empty()) return s;
  s += "{";
  for (size_t i = 0; i < v.members.size(); ++i)
    s += (i ? "," : "") + v.members[i].name + "=" + ValueShape(v.members[i].value);
  return s + "}";
}

TEST(ValueText, FormsBecomeValuesAndMembers) {
  struct Case {
    const char* text;
    const char* shape;
  };
  const Case cases[] = {
      {"{a = 1, b = {c = 2, d = 3}}", "{a=1,b={c=2,d=3}}"},
      {"{1, 2, 3}", "{[0]=1,[1]=2,[2]=3}"},
      {"{}", "<empty>"},
      {"{1}", "{[0]=1}"},
      {"5 \"abc\"", "5 \"abc\""},
      {"\"a \\\"q\\\" b\"", "\"a \\\"q\\\" b\""},
      {"(char *) 0x1f", "(char *) 0x1f"},
      {"0x401136 (main+4)", "0x401136 (main+4)"},
      {"65 'A'", "65 'A'"},
      {"0x555555556004 \"r=%d\\n\"", "0x555555556004 \"r=%d\\n\""},
      {"1234:0010", "1234:0010"},
      {"-1.500000", "-1.500000"},
      {"<not defined>", "<not defined>"},
      {"RED", "RED"},
      {"true", "true"},
      {"blue", "blue"},
      {"beef", "beef"},
      {"[5: a = 1, b = 0]", "<undef>{a=1,b=0}"},
      {"{0 <repeats 16 times>}", "{[0]=0 <repeats 16 times>}"},
      {"{{x = 1}, {x = 2}}", "{[0]={x=1},[1]={x=2}}"},
      {"{s = \"a, b\", n = 2}", "{s=\"a, b\",n=2}"},
      {"{'a' <repeats 9 times>, \"bc\"...}", "{[0]='a' <repeats 9 times>,[1]=\"bc\"...}"},
  };
  for (const Case& c : cases) {
    ValueParseResult r = ParseValueText(c.text);
    EXPECT_EQ(ValueShape(r.value), c.shape) << c.text;
    EXPECT_TRUE(r.errors.empty()) << c.text << ": " << r.errors.front().text;
  }
}

TEST(ValueText, BadTextsAreReportedAndReadingGoesOn) {
  struct Case {
    const char* text;
    const char* shape;
    const char* caption;
    const char* error;
  };
  const Case cases[] = {
      {"%x", "<undef>", "Error in ParseValue:", "%x"},
      {"{a = 1; b = 2}", "{a=1}", "Error", "ParseStruct"},
      {"{1 2, 3}", "{[0]=1,[1]=3}", "Error", "ParseArray"},
      {"[1: a = 1; b = 0]", "<undef>{a=1}", "Error", "ParseBitfield"},
  };
  for (const Case& c : cases) {
    ValueParseResult r = ParseValueText(c.text);
    EXPECT_EQ(ValueShape(r.value), c.shape) << c.text;
    ASSERT_FALSE(r.errors.empty()) << c.text;
    EXPECT_EQ(r.errors.front().caption, c.caption) << c.text;
    EXPECT_EQ(r.errors.front().text, c.error) << c.text;
  }
}

TEST(ValueText, DeepNestingStopsAtTheLimit) {
  constexpr int kDepth = 10000;
  const std::string text = std::string(kDepth, '{') + "1" + std::string(kDepth, '}');
  ValueParseResult r = ParseValueText(text.c_str());
  ASSERT_FALSE(r.errors.empty());
  EXPECT_EQ(r.errors.front().caption, "Error in ParseValue:");
}

}  // namespace
