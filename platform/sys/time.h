// Time: tick counts, wall-clock time as SYSTEMTIME, file times and DOS
// date/time words, Sleep.
#pragma once

#include "platform/base/windef.h"
#include "platform/base/winerror.h"

// Milliseconds since an arbitrary start, from the monotonic clock; wraps
// after 49.7 days like Windows.
DWORD GetTickCount();
ULONGLONG GetTickCount64();
void Sleep(DWORD dwMilliseconds);

void GetSystemTime(LPSYSTEMTIME lpSystemTime);  // UTC
void GetLocalTime(LPSYSTEMTIME lpSystemTime);   // the machine's time zone
void GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime);

// File times: 100-nanosecond intervals since 1 January 1601 (UTC).
LONG CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2);
BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime);
BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime);
BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime);
BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime);

// DOS date word: bits 0-4 day, 5-8 month, 9-15 year - 1980; time word:
// bits 0-4 seconds / 2, 5-10 minute, 11-15 hour. No time zone conversion.
BOOL FileTimeToDosDateTime(const FILETIME* lpFileTime, LPWORD lpFatDate, LPWORD lpFatTime);
BOOL DosDateTimeToFileTime(WORD wFatDate, WORD wFatTime, LPFILETIME lpFileTime);

namespace plat {

// Conversions between POSIX times and file times.
FILETIME FileTimeFromUnix(int64_t seconds, int64_t nanoseconds);
void UnixFromFileTime(const FILETIME& ft, int64_t& seconds, int64_t& nanoseconds);
inline ULONGLONG FileTimeValue(const FILETIME& ft) {
  return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}
inline FILETIME MakeFileTime(ULONGLONG v) {
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(v);
  ft.dwHighDateTime = static_cast<DWORD>(v >> 32);
  return ft;
}

}  // namespace plat
