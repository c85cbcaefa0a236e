// Time conversions, tick counts and environment variables.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/sys/environment.h"
#include "platform/sys/time.h"

namespace {

TEST(TimeTest, SystemTimeAndFileTimeConvertBothWays) {
  struct Case {
    SYSTEMTIME st;
    ULONGLONG ticks;
  } cases[] = {
      {{1601, 1, 1, 1, 0, 0, 0, 0}, 0ULL},
      {{1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000ULL},
      {{2000, 2, 2, 29, 23, 59, 58, 999}, 125963423989990000ULL},
  };
  for (const Case& c : cases) {
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&c.st, &ft));
    EXPECT_EQ(c.ticks, plat::FileTimeValue(ft));
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    EXPECT_EQ(0, std::memcmp(&c.st, &back, sizeof back)) << c.st.wYear;
  }
  SYSTEMTIME bad = {2001, 2, 0, 29, 0, 0, 0, 0};
  FILETIME ft;
  EXPECT_FALSE(SystemTimeToFileTime(&bad, &ft));
  EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
}

TEST(TimeTest, DosDateAndTimeWords) {
  SYSTEMTIME st = {2024, 12, 0, 31, 23, 59, 58, 0};
  FILETIME ft, back;
  SystemTimeToFileTime(&st, &ft);
  WORD date, time;
  ASSERT_TRUE(FileTimeToDosDateTime(&ft, &date, &time));
  EXPECT_EQ(((2024 - 1980) << 9) | (12 << 5) | 31, date);
  EXPECT_EQ((23 << 11) | (59 << 5) | 29, time);
  ASSERT_TRUE(DosDateTimeToFileTime(date, time, &back));
  EXPECT_EQ(0, CompareFileTime(&ft, &back));
  SYSTEMTIME old = {1979, 12, 0, 31, 0, 0, 0, 0};
  SystemTimeToFileTime(&old, &ft);
  EXPECT_FALSE(FileTimeToDosDateTime(&ft, &date, &time));
  EXPECT_FALSE(DosDateTimeToFileTime(0, 0, &ft));  // day 0 of month 0
}

TEST(TimeTest, LocalTimeAndTicks) {
  setenv("TZ", "UTC-2", 1);
  tzset();
  FILETIME utc = plat::MakeFileTime(125963423989990000ULL), local, back;
  ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
  EXPECT_EQ(2ULL * 3600 * 10000000, plat::FileTimeValue(local) - plat::FileTimeValue(utc));
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
  EXPECT_EQ(0, CompareFileTime(&utc, &back));
  unsetenv("TZ");
  tzset();

  DWORD t0 = GetTickCount();
  Sleep(20);
  DWORD elapsed = GetTickCount() - t0;
  EXPECT_GE(elapsed, 19u);
  EXPECT_LT(elapsed, 2000u);
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_GE(now.wYear, 2024);
}

TEST(EnvironmentTest, GetSetAndExpand) {
  ASSERT_TRUE(SetEnvironmentVariable("MIRT_T_VAR", "value"));
  char buf[64];
  EXPECT_EQ(5u, GetEnvironmentVariable("MIRT_T_VAR", buf, sizeof buf));
  EXPECT_STREQ("value", buf);
  EXPECT_EQ(6u, GetEnvironmentVariable("mirt_t_var", buf, 3));  // names without letter case
  struct Case {
    const char *in, *out;
  } cases[] = {
      {"%MIRT_T_VAR%\\bin", "value\\bin"},
      {"a%UNSET_MIRT_X%b", "a%UNSET_MIRT_X%b"},
      {"100%", "100%"},
      {"%MIRT_T_VAR%%MIRT_T_VAR%", "valuevalue"},
      {"%UNSET_MIRT_X%MIRT_T_VAR%", "%UNSET_MIRT_X%MIRT_T_VAR%"},
  };
  for (const Case& c : cases) {
    DWORD n = ExpandEnvironmentStrings(c.in, buf, sizeof buf);
    EXPECT_STREQ(c.out, buf) << c.in;
    EXPECT_EQ(std::strlen(c.out) + 1, n);
  }
  EXPECT_EQ(10u, ExpandEnvironmentStrings("%MIRT_T_VAR%\\bin", buf, 2));
  ASSERT_TRUE(SetEnvironmentVariable("MIRT_T_VAR", nullptr));
  EXPECT_EQ(0u, GetEnvironmentVariable("MIRT_T_VAR", buf, sizeof buf));
  EXPECT_EQ(ERROR_ENVVAR_NOT_FOUND, GetLastError());
}

}  // namespace
