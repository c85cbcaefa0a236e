#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "editor/regexp.h"

namespace {

struct Case {
  const char* pattern;
  const char* text;
  int at;  // offset of the match, -1 for none
  const char* match;
};

}  // namespace

TEST(RegExp, MatchesTheLeftmostLongestByBacktracking) {
  const Case cases[] = {
      {"a|b", "xxbxa", 2, "b"},
      {"(ab)+", "ababx", 0, "abab"},
      {"[]a]+", "x]a]b", 1, "]a]"},
      {"[a-]", "xyz-", 3, "-"},
      {"[^0-9]+", "123abc4", 3, "abc"},
      {"^abc", "abcabc", 0, "abc"},
      {"^bc", "abc", -1, nullptr},
      {"c$", "abcc", 3, "c"},
      {"a.c", "xabcx", 1, "abc"},
      {"colou?r", "my color", 3, "color"},
      {"ab*c", "xac abbbc", 1, "ac"},
      {"[A-Za-z_]+_t", "int x; size_t n;", 7, "size_t"},
      {"(a|b)*c", "zababcz", 1, "ababc"},
      {"x(y|)z", "xz", 0, "xz"},
      {"\\.\\*", "a.*b", 1, ".*"},
      {"a+a", "aaaa", 0, "aaaa"},
      {"", "abc", 0, ""},
  };
  for (const Case& c : cases) {
    RegExp re;
    ASSERT_TRUE(re.Compile(c.pattern)) << c.pattern;
    EXPECT_EQ(re.Exec(c.text), c.at) << c.pattern << " in " << c.text;
    if (c.at >= 0) {
      ASSERT_NE(re.m_pMatch, nullptr);
      EXPECT_STREQ(re.m_pMatch, c.match) << c.pattern;
      EXPECT_EQ(re.MatchLength(), (int)strlen(c.match));
    }
  }
}

TEST(RegExp, RejectsBadPatterns) {
  const char* bad[] = {"x**", "*x",    "(ab", "ab)",   "[abc",
                       "a\\", "(a*)*", "x+?", "[z-a]", "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)",
                       "|*",  nullptr};
  for (int i = 0; bad[i] != nullptr; ++i) {
    RegExp re;
    EXPECT_FALSE(re.Compile(bad[i])) << bad[i];
    EXPECT_EQ(re.Exec("anything"), -1);
  }
  RegExp re;
  EXPECT_FALSE(re.Compile(nullptr));
  EXPECT_TRUE(re.Compile("(a)(b)(c)(d)(e)(f)(g)(h)(i)"));
  EXPECT_EQ(re.Exec("abcdefghi"), 0);
  EXPECT_STREQ(re.m_pMatch, "abcdefghi");
}

TEST(RegExp, PrecomputesStartAnchorAndRequiredText) {
  RegExp re;
  ASSERT_TRUE(re.Compile("abc+d"));
  EXPECT_EQ(re.m_regstart, 'a');
  ASSERT_TRUE(re.Compile("^x"));
  EXPECT_TRUE(re.m_reganch);
  ASSERT_TRUE(re.Compile("[a-z]*needle[0-9]"));
  ASSERT_NE(re.m_regmust, nullptr);
  EXPECT_STREQ(re.m_regmust, "needle");
  EXPECT_EQ(re.Exec("no such thing"), -1);
  EXPECT_EQ(re.Exec("a needle1"), 2);
}

TEST(RegExp, SearchingOnInsideALineKeepsTheLineStart) {
  RegExp re;
  ASSERT_TRUE(re.Compile("^a"));
  EXPECT_EQ(re.Exec("aaa", 1), -1);
  ASSERT_TRUE(re.Compile("a"));
  EXPECT_EQ(re.Exec("aaa", 2), 2);
  EXPECT_EQ(re.Exec("aaa", 9), -1);
}

// A text matched in place ends where its view ends: $ holds there and
// nothing runs on into the bytes after it, as in a copy of the view's bytes.
TEST(RegExp, ATextMatchedInPlaceEndsWithItsView) {
  const struct {
    const char* pattern;
    const char* bytes;
    int length;  // of the view
    int start;
    int at;
    int matchLength;
  } cases[] = {
      {"c$", "abcd", 3, 0, 2, 1},    {"b.*", "abcd", 3, 0, 1, 2},      {"[a-d]+", "abcd", 2, 0, 0, 2},
      {"abcd", "abcd", 3, 0, -1, 0}, {"cd", "abcd", 3, 0, -1, 0},      {"c*$", "abcc", 3, 0, 2, 1},
      {"x|$", "abc", 2, 1, 2, 0},    {"(a|ab)c", "abcd", 2, 0, -1, 0}, {"^b", "abc", 3, 1, -1, 0},
      {"b", "abc", 1, 2, -1, 0},     {"", "abc", 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    RegExp re;
    ASSERT_TRUE(re.Compile(c.pattern)) << c.pattern;
    int at = re.ExecIn(std::string_view(c.bytes, c.length), c.start, RegExp::Prefilter::kLookFirst);
    EXPECT_EQ(at, c.at) << c.pattern << " in " << std::string_view(c.bytes, c.length);
    if (at >= 0) {
      EXPECT_EQ(re.MatchLength(), c.matchLength) << c.pattern;
    }
    std::string copy(c.bytes, c.length);
    EXPECT_EQ(re.Exec(copy.c_str(), c.start), c.at) << c.pattern;
  }
}

TEST(RegExp, SubstitutesGroupsIntoTheTemplate) {
  const struct {
    const char* pattern;
    const char* text;
    const char* templ;
    const char* result;
  } cases[] = {
      {"b+", "abbc", "<&>", "<bb>"},         {"(b)c", "abc", "\\1", "b"},
      {"b", "abc", "\\&x\\\\", "&x\\"},      {"(x)|(b)", "abc", "[\\1][\\2]", "[][b]"},
      {"(a)(b)", "ab", "\\2\\1\\0", "baab"},
  };
  for (const auto& c : cases) {
    RegExp re;
    ASSERT_TRUE(re.Compile(c.pattern));
    ASSERT_GE(re.Exec(c.text), 0);
    char* out = re.Substitute(c.templ);
    EXPECT_STREQ(out, c.result) << c.pattern << " / " << c.templ;
    std::free(out);
  }
  RegExp none;
  ASSERT_TRUE(none.Compile("q"));
  EXPECT_EQ(none.Exec("abc"), -1);
  EXPECT_EQ(none.Substitute("&"), nullptr);
}

TEST(RegExp, RunawayPatternsEndWithoutAMatch) {
  RegExp re;
  ASSERT_TRUE(re.Compile("(a|aa)+(b|bb)+c"));
  std::string text(5000, 'a');
  text += std::string(5000, 'b');
  EXPECT_EQ(re.Exec(text.c_str()), -1);
  ASSERT_TRUE(re.Compile("(ab)+$"));
  std::string pairs;
  for (int i = 0; i < 8000; ++i) pairs += "ab";
  EXPECT_LE(re.Exec(pairs.c_str()), 0);  // deep but bounded
}

// The copy of the match is reused from match to match: a longer match after
// a short one is copied whole, and a failed one leaves none.
TEST(RegExp, EachMatchIsCopiedWholeAndAFailureLeavesNone) {
  constexpr auto kShort = "x ab";
  const std::string kLong = "a" + std::string(200, 'b');
  RegExp re;
  ASSERT_TRUE(re.Compile("ab*"));
  ASSERT_EQ(re.Exec(kShort), 2);
  EXPECT_STREQ(re.m_pMatch, "ab");
  ASSERT_EQ(re.Exec(kLong.c_str()), 0);
  EXPECT_EQ(re.m_pMatch, kLong);
  EXPECT_EQ(re.Exec("none"), -1);
  EXPECT_EQ(re.m_pMatch, nullptr);
  // A caller that has seen a required string skips the look for it, with
  // the same result.
  ASSERT_TRUE(re.Compile("needle[0-9]"));
  EXPECT_EQ(re.Exec("a needle7", 0, RegExp::Prefilter::kSeen), 2);
  EXPECT_EQ(re.Exec("a needle", 0, RegExp::Prefilter::kSeen), -1);
}
