#include "ytn1/address_conversion.h"

#include <cstdio>

#include "ytn1/ytn1.h"

namespace ytn1 {

DWORD ReadHexText(const CString& text) {
  unsigned long value = 0;
  return std::sscanf(text, "%lX", &value) == 1 ? DWORD(value) : 0;
}

void SplitPhysicalAddress(DWORD physical, CString* segment, CString* offset) {
  segment->Format("%.4lX", (unsigned long)ulBITxy(physical, 4, 19));
  offset->Format("%.4lX", (unsigned long)ulBITxy(physical, 0, 3));
}

CString JoinSegmentOffset(const CString& segment, const CString& offset) {
  DWORD physical = 0;
  ulxyBIT(&physical, 4, 19, ReadHexText(segment) & 0xFFFF);
  CString text;
  text.Format("%lX", (unsigned long)(physical + ReadHexText(offset)));
  return text;
}

}  // namespace ytn1
