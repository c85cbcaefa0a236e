#include "platform/sys/time.h"

#include <time.h>

#include <cerrno>

#include "platform/base/winerror.h"

namespace {

constexpr int64_t kEpochDelta = 11644473600LL;  // seconds from 1601 to 1970
constexpr int64_t kTicksPerSecond = 10000000LL;

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// Offset of local time from UTC at the given UTC instant, in seconds.
int64_t LocalOffsetAt(time_t utc) {
  struct tm local;
  if (!localtime_r(&utc, &local)) return 0;
  return local.tm_gmtoff;
}

void FillSystemTime(const struct timespec& ts, bool local, LPSYSTEMTIME st) {
  FILETIME ft = plat::FileTimeFromUnix(ts.tv_sec + (local ? LocalOffsetAt(ts.tv_sec) : 0), ts.tv_nsec);
  FileTimeToSystemTime(&ft, st);
}

}  // namespace

namespace plat {

FILETIME FileTimeFromUnix(int64_t seconds, int64_t nanoseconds) {
  int64_t ticks = (seconds + kEpochDelta) * kTicksPerSecond + nanoseconds / 100;
  return MakeFileTime(ticks < 0 ? 0 : static_cast<ULONGLONG>(ticks));
}

void UnixFromFileTime(const FILETIME& ft, int64_t& seconds, int64_t& nanoseconds) {
  ULONGLONG v = FileTimeValue(ft);
  seconds = static_cast<int64_t>(v / kTicksPerSecond) - kEpochDelta;
  nanoseconds = static_cast<int64_t>(v % kTicksPerSecond) * 100;
}

}  // namespace plat

DWORD GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

ULONGLONG GetTickCount64() {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<ULONGLONG>(ts.tv_sec) * 1000 + static_cast<ULONGLONG>(ts.tv_nsec) / 1000000;
}

void Sleep(DWORD ms) {
  struct timespec req = {static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
  while (nanosleep(&req, &req) != 0 && errno == EINTR) {
  }
}

void GetSystemTime(LPSYSTEMTIME st) {
  struct timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  FillSystemTime(ts, false, st);
}

void GetLocalTime(LPSYSTEMTIME st) {
  struct timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  FillSystemTime(ts, true, st);
}

void GetSystemTimeAsFileTime(LPFILETIME ft) {
  struct timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  *ft = plat::FileTimeFromUnix(ts.tv_sec, ts.tv_nsec);
}

LONG CompareFileTime(const FILETIME* a, const FILETIME* b) {
  ULONGLONG x = plat::FileTimeValue(*a), y = plat::FileTimeValue(*b);
  return x < y ? -1 : x > y ? 1 : 0;
}

BOOL FileTimeToSystemTime(const FILETIME* ft, LPSYSTEMTIME st) {
  if (!ft || !st) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  ULONGLONG v = plat::FileTimeValue(*ft);
  if (v >= 0x8000000000000000ULL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  ULONGLONG secs = v / kTicksPerSecond;
  int64_t days = static_cast<int64_t>(secs / 86400) - kEpochDelta / 86400;
  unsigned daySecs = static_cast<unsigned>(secs % 86400);
  int64_t y;
  unsigned m, d;
  CivilFromDays(days, y, m, d);
  st->wYear = static_cast<WORD>(y);
  st->wMonth = static_cast<WORD>(m);
  st->wDay = static_cast<WORD>(d);
  st->wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  st->wHour = static_cast<WORD>(daySecs / 3600);
  st->wMinute = static_cast<WORD>(daySecs / 60 % 60);
  st->wSecond = static_cast<WORD>(daySecs % 60);
  st->wMilliseconds = static_cast<WORD>(v % kTicksPerSecond / 10000);
  return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* st, LPFILETIME ft) {
  if (!st || !ft || st->wYear < 1601 || st->wYear > 30827 || st->wMonth < 1 || st->wMonth > 12 ||
      st->wDay < 1 || st->wDay > DaysInMonth(st->wYear, st->wMonth) || st->wHour > 23 || st->wMinute > 59 ||
      st->wSecond > 59 || st->wMilliseconds > 999) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int64_t days = DaysFromCivil(st->wYear, st->wMonth, st->wDay);
  int64_t secs = days * 86400 + st->wHour * 3600 + st->wMinute * 60 + st->wSecond;
  *ft = plat::FileTimeFromUnix(secs, static_cast<int64_t>(st->wMilliseconds) * 1000000);
  return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* in, LPFILETIME out) {
  if (!in || !out) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int64_t s, ns;
  plat::UnixFromFileTime(*in, s, ns);
  *out = plat::FileTimeFromUnix(s + LocalOffsetAt(static_cast<time_t>(s)), ns);
  return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* in, LPFILETIME out) {
  if (!in || !out) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int64_t s, ns;
  plat::UnixFromFileTime(*in, s, ns);
  // The offset of the instant itself, found from a first guess.
  int64_t guess = s - LocalOffsetAt(static_cast<time_t>(s));
  *out = plat::FileTimeFromUnix(s - LocalOffsetAt(static_cast<time_t>(guess)), ns);
  return TRUE;
}

BOOL FileTimeToDosDateTime(const FILETIME* ft, LPWORD date, LPWORD time) {
  SYSTEMTIME st;
  if (!ft || !date || !time || !FileTimeToSystemTime(ft, &st) || st.wYear < 1980 || st.wYear > 2107) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *date = static_cast<WORD>(((st.wYear - 1980) << 9) | (st.wMonth << 5) | st.wDay);
  *time = static_cast<WORD>((st.wHour << 11) | (st.wMinute << 5) | (st.wSecond / 2));
  return TRUE;
}

BOOL DosDateTimeToFileTime(WORD date, WORD time, LPFILETIME ft) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(1980 + (date >> 9));
  st.wMonth = static_cast<WORD>((date >> 5) & 15);
  st.wDay = static_cast<WORD>(date & 31);
  st.wHour = static_cast<WORD>(time >> 11);
  st.wMinute = static_cast<WORD>((time >> 5) & 63);
  st.wSecond = static_cast<WORD>((time & 31) * 2);
  if (!ft || !SystemTimeToFileTime(&st, ft)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}
