// Real-mode addresses: a physical address below 1 MB as segment and
// offset ("%.4lX" each) and back ("%lX"); texts that are not hex count as 0.
#pragma once
#include "platform/base/cstring.h"
#include "platform/base/windef.h"

namespace ytn1 {

// The text read with "%lX"; 0 when nothing is read.
DWORD ReadHexText(const CString& text);
// Segment = bits 4 to 19, offset = bits 0 to 3.
void SplitPhysicalAddress(DWORD physical, CString* segment, CString* offset);
// Segment (low 16 bits) shifted left by 4 plus the offset, without limit.
CString JoinSegmentOffset(const CString& segment, const CString& offset);

}  // namespace ytn1
