// The framework's own texts: the program's string resources first, then
// the built-in English texts.
#pragma once

#include "platform/base/cstring.h"

namespace afx {
CString FrameworkString(UINT nID);
// The string with "%1" replaced by the argument (AfxFormatString1).
CString FormatString1(UINT nID, LPCSTR lpsz1);
}  // namespace afx

void AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1);
