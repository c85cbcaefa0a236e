#include "platform/base/cstring.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <string>

namespace {

struct Case {
  std::string got;
  const char* want;
};

TEST(Format, WindowsSizesAndTypedArguments) {
  const LONG minus = -5;
  const DWORD big = 0xFFFFFFFFu;
  const long long wide = 0x123456789LL;
  CString name("x");
  const Case cases[] = {
      {mirt::FormatString("%ld|%lu|%lx", minus, big, big), "-5|4294967295|ffffffff"},
      {mirt::FormatString("%d", wide), "591751049"},  // %d takes 32 bits
      {mirt::FormatString("%I64d|%lld", wide, wide), "4886718345|4886718345"},
      {mirt::FormatString("%hd|%hu", 70000, -1), "4464|65535"},
      {mirt::FormatString("%04X|%-4d|%+d", 0xab, 7, 3), "00AB|7   |+3"},
      {mirt::FormatString("%*d|%-*d|%.*s", 4, 1, 3, 2, 2, "abc"), "   1|2  |ab"},
      {mirt::FormatString("%5s|%-3s|%.1s", "ab", "c", "xyz"), "   ab|c  |x"},
      {mirt::FormatString("%s=%s", name, CString("v")), "x=v"},
      {mirt::FormatString("%c%c", 'o', 'k'), "ok"},
      {mirt::FormatString("%.2f|%g|%e", 1.005, 0.5, 100.0), "1.00|0.5|1.000000e+02"},
      {mirt::FormatString("100%%"), "100%"},
      {mirt::FormatString("%u", static_cast<unsigned char>(200)), "200"},
      {mirt::FormatString("%s|%s", const_cast<char*>("mutable"),
                          reinterpret_cast<const unsigned char*>("u8")),
       "mutable|u8"},
      {mirt::FormatString("%p", static_cast<void*>(nullptr)) == mirt::FormatString("%p", nullptr) ? "same"
                                                                                                  : "differ",
       "same"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].want) << "case " << i;
}

TEST(Format, BadFormatsNeverReadPastTheArguments) {
  int n = 0;
  const Case cases[] = {
      {mirt::FormatString("%d %s %f"), "0  0.000000"},  // missing arguments
      {mirt::FormatString("%s", 12), "(null)"},         // number for %s
      {mirt::FormatString("%s", static_cast<const char*>(nullptr)), "(null)"},
      {mirt::FormatString("a%nb", &n), "ab"},  // %n writes nothing
      {mirt::FormatString("%y%"), "%y%"},      // unknown letter kept
      {mirt::FormatString("%99999999d", 1).size() == 100000 ? "ok" : "bad", "ok"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].want) << "case " << i;
  EXPECT_EQ(n, 0);
}

CString ViaFormatV(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  CString s;
  s.FormatV(fmt, ap);
  va_end(ap);
  return s;
}

TEST(Format, FormatVReadsWindowsSizes) {
  EXPECT_EQ(ViaFormatV("%ld,%s,%I64d,%c,%.1f", static_cast<LONG>(-3), "s", 1LL << 40, 'z', 2.25).str(),
            "-3,s,1099511627776,z,2.2");
  std::string big(3000, 'q');
  EXPECT_EQ(ViaFormatV("%s!", big.c_str()).GetLength(), 3001);
}

}  // namespace
