#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/base/crtstring.h"
#include "platform/base/cstring.h"
#include "platform/base/winstring.h"

namespace {

TEST(WinString, CopyConcatAndLength) {
  char buf[8];
  EXPECT_EQ(lstrcpyn(buf, "abcdefghij", 5), buf);
  EXPECT_STREQ(buf, "abcd");  // n - 1 bytes and a NUL
  lstrcpyn(buf, "ab", 8);
  EXPECT_STREQ(buf, "ab");
  lstrcpyn(buf, nullptr, 8);
  EXPECT_STREQ(buf, "");
  buf[0] = 'z';
  lstrcpyn(buf, "abc", 0);  // nothing written
  EXPECT_EQ(buf[0], 'z');
  lstrcpy(buf, "ab");
  lstrcat(buf, "cd");
  EXPECT_STREQ(buf, "abcd");
  EXPECT_EQ(lstrlen(buf), 4);
  EXPECT_EQ(lstrlen(nullptr), 0);
}

TEST(WinString, Comparisons) {
  struct Case {
    const char* a;
    const char* b;
    int cmp;
    int cmpi;
  };
  const Case cases[] = {
      {"abc", "abc", 0, 0},  {"abc", "ABC", 1, 0}, {"a", "b", -1, -1},
      {"", "a", -1, -1},     {nullptr, "", 0, 0},  {"\xe9t\xe9", "\xc9T\xc9", 1, 0},
      {"ab", "abc", -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a ? c.a : "(null)") + " vs " + c.b);
    EXPECT_EQ(lstrcmp(c.a, c.b), c.cmp);
    EXPECT_EQ(lstrcmpi(c.a, c.b), c.cmpi);
  }
  struct CrtCase {
    const char* a;
    const char* b;
    size_t n;
    int sign;
  };
  const CrtCase crt[] = {
      {"Hello", "hello", 99, 0}, {"abc", "ABD", 99, -1},
      {"abX", "ABy", 2, 0},      {"_", "A", 99, -1},  // compared in lower case, as the C library does
      {"\xe9", "\xc9", 99, 1},                        // only ASCII letters fold
  };
  for (const CrtCase& c : crt) {
    int got = _strnicmp(c.a, c.b, c.n);
    EXPECT_EQ((got > 0) - (got < 0), c.sign) << c.a << " vs " << c.b;
  }
  EXPECT_EQ(_stricmp("MiXeD", "mixed"), 0);
  EXPECT_EQ(_memicmp("AbC", "aBc", 3), 0);
  EXPECT_LT(
      _mbscmp(reinterpret_cast<const unsigned char*>("a"), reinterpret_cast<const unsigned char*>("\xe9")),
      0);
}

TEST(WinString, WsprintfCutsAt1023Bytes) {
  char buf[1100];
  EXPECT_EQ(wsprintf(buf, "%s-%ld-%04X", CString("x"), static_cast<LONG>(-2), 0xbeefu), 9);
  EXPECT_STREQ(buf, "x--2-BEEF");
  std::string big(2000, 'a');
  EXPECT_EQ(wsprintf(buf, "%s", big.c_str()), 1023);
  EXPECT_EQ(std::string(buf).size(), 1023u);
}

TEST(WinString, CharCaseAndClasses) {
  char text[] = "abc\xe0\xff";
  EXPECT_EQ(CharUpper(text), text);
  EXPECT_STREQ(text, "ABC\xc0\x9f");
  CharLower(text);
  EXPECT_STREQ(text, "abc\xe0\xff");
  LPSTR one = CharUpper(reinterpret_cast<LPSTR>(static_cast<uintptr_t>('q')));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(one), static_cast<uintptr_t>('Q'));
  char buf[] = "xyz";
  EXPECT_EQ(CharUpperBuff(buf, 2), 2u);
  EXPECT_STREQ(buf, "XYz");
  EXPECT_EQ(CharNext(buf), buf + 1);
  EXPECT_EQ(CharNext(buf + 3), buf + 3);
  EXPECT_EQ(CharPrev(buf, buf), buf);
  EXPECT_EQ(CharPrev(buf, buf + 2), buf + 1);

  struct Case {
    char c;
    bool alpha, alnum, upper, lower;
  };
  const Case cases[] = {
      {'a', 1, 1, 0, 1},    {'Z', 1, 1, 1, 0},    {'5', 0, 1, 0, 0},    {'_', 0, 0, 0, 0},
      {'\xc9', 1, 1, 1, 0}, {'\xe9', 1, 1, 0, 1}, {'\xd7', 0, 0, 0, 0}, {'\xdf', 1, 1, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c.c)));
    EXPECT_EQ(IsCharAlpha(c.c) != 0, c.alpha);
    EXPECT_EQ(IsCharAlphaNumeric(c.c) != 0, c.alnum);
    EXPECT_EQ(IsCharUpper(c.c) != 0, c.upper);
    EXPECT_EQ(IsCharLower(c.c) != 0, c.lower);
  }
}

TEST(CrtString, CaseReverseAndDup) {
  char s[] = "Ab\xe9z";
  EXPECT_STREQ(_strupr(s), "AB\xe9Z");
  EXPECT_STREQ(_strlwr(s), "ab\xe9z");
  EXPECT_STREQ(_strrev(s),
               "z\xe9"
               "ba");
  char* copy = _strdup("dup");
  EXPECT_STREQ(copy, "dup");
  std::free(copy);
  EXPECT_EQ(_strdup(nullptr), nullptr);
  EXPECT_EQ(_mbctolower('Q'), static_cast<unsigned>('q'));
  EXPECT_EQ(_mbctoupper('q'), static_cast<unsigned>('Q'));
  unsigned char dst[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
  _mbsnbcpy(dst, reinterpret_cast<const unsigned char*>("ab"), 4);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(dst), 6), std::string("ab\0\0xx", 6));
}

TEST(CrtString, NumbersToText) {
  char buf[70];
  struct Case {
    std::string got;
    const char* want;
  };
  const Case cases[] = {
      {_itoa(-123, buf, 10), "-123"},
      {_itoa(-1, buf, 16), "ffffffff"},  // no sign outside radix 10
      {_itoa(255, buf, 2), "11111111"},
      {_itoa(35, buf, 36), "z"},
      {_itoa(0, buf, 10), "0"},
      {_itoa(-2147483647 - 1, buf, 10), "-2147483648"},
      {_ltoa(-5, buf, 10), "-5"},
      {_ltoa(-1, buf, 8), "37777777777"},
      {_ultoa(4294967295ul, buf, 10), "4294967295"},
      {_i64toa(-1, buf, 16), "ffffffffffffffff"},
      {_ui64toa(1ull << 40, buf, 10), "1099511627776"},
      {_itoa(10, buf, 1), ""},  // bad radix
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(WinString, MulDiv) {
  struct Case {
    int a, b, c, want;
  };
  const Case cases[] = {
      {10, 3, 4, 8},                                                         // 7.5 rounds up
      {-10, 3, 4, -8},                                                       // and away from zero below it
      {10, 3, -4, -8},        {7, 1, 3, 2}, {2000000000, 2, 4, 1000000000},  // 64-bit product
      {2000000000, 4, 2, -1},                                                // too large
      {5, 5, 0, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.want) << c.a << "*" << c.b << "/" << c.c;
}

}  // namespace
