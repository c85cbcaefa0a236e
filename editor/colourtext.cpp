#include "editor/colourtext.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

COLORREF ParseColour(const char* text) {
  int part[3] = {0, 0, 0};
  const char* p = text != nullptr ? text : "";
  for (int i = 0; i < 3 && p != nullptr; ++i) {
    part[i] = std::atoi(p);
    p = std::strchr(p, ',');
    if (p != nullptr) ++p;
  }
  return RGB(part[0], part[1], part[2]);
}

CString FormatColour(COLORREF colour) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d,%d,%d", int(GetRValue(colour)), int(GetGValue(colour)),
                int(GetBValue(colour)));
  return CString(buf);
}
