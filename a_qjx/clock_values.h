// The board clock's values: calendar checks and the PC's time as the
// time/date dialog takes it.
#pragma once
#include "platform/base/windef.h"

struct ClockValues {
  UINT hour = 0, minute = 0, second = 0;
  UINT day = 1, month = 1, year = 1900;
  int weekday = -1;  // 0 Sunday .. 6 Saturday
};

UINT DaysInMonth(UINT month, UINT year);
// The PC's local time, each field kept in its range.
ClockValues SystemClockValues();
