#include "a_qjx/clock_values.h"

#include "platform/sys/time.h"

UINT DaysInMonth(UINT month, UINT year) {
  static constexpr UINT kClockMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 31;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kClockMonthDays[month - 1];
}

ClockValues SystemClockValues() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  ClockValues v;
  v.year = t.wYear > 9999 ? 1900 : t.wYear;
  v.month = t.wMonth > 12 ? 1 : t.wMonth;
  v.day = t.wDay > 31 ? 1 : t.wDay;
  v.weekday = t.wDayOfWeek > 6 ? 1 : t.wDayOfWeek;
  v.hour = t.wHour > 23 ? 0 : t.wHour;
  v.minute = t.wMinute > 59 ? 0 : t.wMinute;
  v.second = t.wSecond > 59 ? 0 : t.wSecond;
  return v;
}
