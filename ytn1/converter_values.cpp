// A/D and D/A converter values as texts by range code, and size texts.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "ytn1/ytn1.h"

namespace {

enum class Divisor { Full, Half };
enum class DaLimits { Unipolar, NegativeUnipolar, Bipolar, None };

struct Range {
  WORD code;
  double fullScale;
  Divisor divisor;
  DaLimits limits;
};

const Range kRanges[] = {
    {33, 312.5, Divisor::Full, DaLimits::Unipolar},
    {34, 625.0, Divisor::Full, DaLimits::Unipolar},
    {35, 1.25, Divisor::Full, DaLimits::Unipolar},
    {36, 2.5, Divisor::Full, DaLimits::Unipolar},
    {37, 5.0, Divisor::Full, DaLimits::Unipolar},
    {38, 10.0, Divisor::Full, DaLimits::Unipolar},
    {65, 312.5, Divisor::Full, DaLimits::NegativeUnipolar},
    {66, 625.0, Divisor::Full, DaLimits::NegativeUnipolar},
    {67, 1.25, Divisor::Full, DaLimits::NegativeUnipolar},
    {68, 2.5, Divisor::Full, DaLimits::NegativeUnipolar},
    {69, 5.0, Divisor::Full, DaLimits::NegativeUnipolar},
    {70, 10.0, Divisor::Full, DaLimits::NegativeUnipolar},
    {97, 312.5, Divisor::Half, DaLimits::Bipolar},
    {98, 625.0, Divisor::Half, DaLimits::Bipolar},
    {99, 1.25, Divisor::Half, DaLimits::Bipolar},
    {100, 2.5, Divisor::Half, DaLimits::Bipolar},
    {101, 5.0, Divisor::Half, DaLimits::Bipolar},
    {102, 10.0, Divisor::Half, DaLimits::Bipolar},
    {104, 1.0, Divisor::Half, DaLimits::None},
    {105, 500.0, Divisor::Half, DaLimits::None},
    {106, 250.0, Divisor::Half, DaLimits::None},
    {129, 20.0, Divisor::Full, DaLimits::Unipolar},
};

const Range* FindRange(WORD code) {
  for (const Range& r : kRanges)
    if (r.code == code) return &r;
  return nullptr;
}

double DivisorOf(const Range& r, unsigned bits) {
  double full = std::ldexp(1.0, int(bits));
  return r.divisor == Divisor::Full ? full : full / 2;
}

void Limits(const Range& r, unsigned bits, long long* lo, long long* hi) {
  long long full = 1ll << bits;
  switch (r.limits) {
    case DaLimits::Unipolar:
      *lo = 0;
      *hi = full - 1;
      break;
    case DaLimits::NegativeUnipolar:
      *lo = 1 - full;
      *hi = 0;
      break;
    case DaLimits::Bipolar:
      *lo = -(full / 2);
      *hi = full / 2 - 1;
      break;
    case DaLimits::None:
      break;
  }
}

}  // namespace

extern "C" {

void WINAPI ADValueToString(LPSTR buffer, LONG raw, WORD format, WORD range, WORD bits) {
  const Range* r = FindRange(range);
  char text[64];
  if (!r) {
    std::strcpy(text, "Range Error");
  } else if (format == 0) {
    std::snprintf(text, sizeof text, "%ld", (long)raw);
  } else if (format == 1) {
    std::snprintf(text, sizeof text, "%lX", (unsigned long)(DWORD)raw);
    size_t keep = bits <= 8 ? 2 : bits <= 16 ? 4 : sizeof text;
    size_t len = std::strlen(text);
    if (len > keep) std::memmove(text, text + len - keep, keep + 1);
  } else if (format == 2) {
    std::snprintf(text, sizeof text, "%.3f", double(raw) * r->fullScale / DivisorOf(*r, bits));
  } else {
    std::strcpy(text, "Format Error");
  }
  std::strcpy(buffer, text);
}

LONG WINAPI StringToDAValue(LPCSTR text, WORD format, WORD range, BYTE bits) {
  const Range* r = FindRange(range);
  if (!r || r->limits == DaLimits::None || bits > 31) return -1;
  long long raw = 0;
  if (format == 0) {
    long v = 0;
    if (std::sscanf(text, "%ld", &v) == 1) raw = v;
  } else if (format == 1) {
    unsigned long v = 0;
    if (std::sscanf(text, "%lx", &v) == 1) raw = (long)v;
  } else if (format == 2) {
    float x = 0;
    if (std::sscanf(text, "%f", &x) == 1) {
      double v = double(x) * DivisorOf(*r, bits) / r->fullScale;
      v += x > 0 ? 0.5 : x < 0 ? -0.5 : 0;
      raw = std::isfinite(v) ? (long long)std::trunc(std::fmax(std::fmin(v, 4e18), -4e18)) : 0;
    }
  } else {
    return -1;
  }
  long long lo = 0, hi = 0;
  Limits(*r, bits, &lo, &hi);
  if (raw > hi) raw = hi;
  if (raw < lo) raw = lo;
  return LONG(raw);
}

WORD WINAPI GetRangeString(WORD range, LPSTR buffer) {
  const char* text = range == 36    ? "0 ... 2,5 V"
                     : range == 37  ? "0 ... 5,0 V"
                     : range == 101 ? "-5,0 ... 5,0 V"
                     : range == 102 ? "-10,0 ... 10,0 V"
                                    : nullptr;
  std::strcpy(buffer, text ? text : " ");
  return text ? 0 : 1;
}

WORD WINAPI GetDataSizeUnit(double size, LPSTR buffer) {
  const char* unit = " GB";
  double n = size / 1073741824.0;
  if (size >= 0 && size < 1024)
    unit = " Byte", n = size;
  else if (size >= 1024 && size < 1048576)
    unit = " KB", n = size / 1024;
  else if (size >= 1048576 && size < 1073741824.0)
    unit = " MB", n = size / 1048576;
  std::snprintf(buffer, 64, "%.1f %s", n, unit);
  return 0;
}

}  // extern "C"
